#pragma once

#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>

// The current directory followed by the separator: where the game's data lives.
QString CurrentDirectoryWithSeparator();

// The game folder: nothing the game names is read from outside it. The current
// directory unless set (the checker sets the folder it checks); an empty name
// goes back to the current directory.
void SetGameFolder(const QString& folder);

// Whether `path` is a regular file whose real location, links followed, lies
// inside `folder` (the game folder when empty). A name that climbs out with
// "..", an absolute path elsewhere, a link pointing out, a named pipe or a
// device are none: reading them could leak the player's files or block for ever.
bool IsGameFile(const QString& path, const QString& folder = QString());

// Opens a regular file without ever waiting on it: a file that turns into a
// pipe or device between the lookup and the open is refused, not read.
bool OpenRegularFile(QFile& file, const QString& path,
                     QIODevice::OpenMode mode = QIODevice::ReadOnly);

// The path under which a file the game names can be opened. Game data is often
// made on systems that ignore case and write '\' between folders, so '\' is taken
// as a separator and a name that does not exist exactly as written is matched
// case-insensitively, one path component at a time: a short name by trying its
// few spellings, a longer one in a listing of its folder kept while the
// folder's modification time stays the same. When nothing matches, the
// name comes back with '/' separators, and opening it fails as it should; a file
// that is no game file (above) comes back as an empty name, which opens nothing.
QString ResolveFileName(const QString& name);

// Whether ResolveFileName finds a game file, and whether it had to ignore case.
// Anything that is no game file is Missing: the player reports it as a file
// that is not there.
enum class FileMatch { Missing, Exact, OtherCase };
FileMatch FindFile(const QString& name, QString* resolved = nullptr);

// Folder listings kept between lookups, for a program that looks up many names in
// folders that do not change meanwhile (the scenario checker): each folder is
// listed once.
class FolderListings {
  public:
    // The entry of `dir` named `component`: an exact match first, else the first
    // in listing order that differs only in case; empty when there is none.
    QString match(const QString& dir, const QString& component);

  private:
    struct Listing {
        QSet<QString> names;
        QHash<QString, QString> folded;
    };
    QHash<QString, Listing> listings_;
};

// FindFile for `name` relative to `folder`, which is the game folder here, with
// the listings kept in `listings`.
FileMatch FindFileIn(const QString& folder, const QString& name, QString* resolved,
                     FolderListings& listings);
