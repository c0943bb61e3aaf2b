#pragma once

#include <QString>

class Window;

// Shows the help file's contents in a window of the program owned by `owner`.
// The file may be HTML or plain text, in UTF-8 or Shift-JIS. A missing or
// unreadable file is reported by the viewer itself.
void ShowHelpContents(const QString& fileName, Window& owner);

// The viewer's window title and text (tests); empty when it is not open.
QString HelpViewerText();
bool HelpViewerOpen();
void CloseHelpViewer();
