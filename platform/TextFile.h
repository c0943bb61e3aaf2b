#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <initializer_list>

// Sequential reading of text files by file number, as the scenario reader uses it.
// Lines end at CR LF, LF or CR and are decoded from CP932, so a double-byte
// character is one column. Only the user-interface thread uses these.

// Files are read in chunks of this many bytes (tests put line ends at the edges).
inline constexpr int kTextFileChunkBytes = 64 * 1024;

// A line keeps at most this many bytes; the rest of a longer one is skipped.
inline constexpr int kLongestLineBytes = 64 * 1024;

// A file is read up to this many bytes, and never past the size it had when it
// was opened.
inline constexpr qint64 kLongestTextFileBytes = qint64(256) << 20;

// The lowest file number not in use (1 to 255), or 0 when all are taken.
int16_t FreeFileNumber();

// Opens `path` for reading under `number`, closing whatever that number had open.
// Returns false when the file is missing or cannot be read, and when it is no
// game file (outside the game folder, a device, a pipe): see FileLookup.h.
bool OpenForInput(int16_t number, const QString& path);

// Reads the next line without its terminator. Returns false at the end of the
// file or when `number` is not open.
bool ReadLine(int16_t number, QString& line);

// Reads on to the first line whose bytes are exactly one of `wanted` and decodes
// that line alone: lines passed over are compared as bytes, never converted, so
// a search through a long file costs little more than reading it. `linesRead`
// grows by every line read, the one found included. Returns false at the end of
// the file or when `number` is not open.
bool ReadLineMatching(int16_t number, std::initializer_list<QByteArrayView> wanted, QString& line,
                      int64_t& linesRead);

// Whether the line ReadLine gave last was longer than kLongestLineBytes and
// came back cut at that bound.
bool LastLineWasCut(int16_t number);

// Whether reading has come to kLongestTextFileBytes of a file longer than that.
bool StoppedAtBound(int16_t number);

bool IsFileOpen(int16_t number);
void CloseFile(int16_t number);
void CloseAllFiles();
