#pragma once

#include <QString>

// The text of the version box: title line, the maker's notice centred under it,
// and the support addresses, with CR LF line breaks.
QString VersionBoxText();

void ShowVersionBox();
