#pragma once

#include <QString>

// The current directory followed by the separator: where the game's data lives.
QString CurrentDirectoryWithSeparator();

// The path under which a file the game names can be opened. Game data is often
// made on systems that ignore case and write '\' between folders, so '\' is taken
// as a separator and a name that does not exist exactly as written is matched
// case-insensitively, one path component at a time. When nothing matches, the
// name comes back with '/' separators, and opening it fails as it should.
QString ResolveFileName(const QString& name);

// Whether ResolveFileName finds an existing file, and whether it had to ignore case.
enum class FileMatch { Missing, Exact, OtherCase };
FileMatch FindFile(const QString& name, QString* resolved = nullptr);
