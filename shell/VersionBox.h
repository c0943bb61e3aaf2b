#pragma once

#include <QString>

// The text of the version box: title line, the maker's notice centred under it,
// and the support addresses, with CR LF line breaks.
QString VersionBoxText();

void ShowVersionBox();

// The version the box names, "2.00" (the version of the build).
QString GameVersion();

// Spaces before the notice line so that it stands centred under a title line of
// `titleLength` characters (its two CR LF breaks included).
int NoticeIndent(int titleLength, int noticeLength);
