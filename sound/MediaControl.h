#pragma once

#include <QString>

#include <cstdint>

// The sound code's side of the media-control service: command texts are sent in
// the ANSI code page; status replies come back into a fixed-length buffer.

// Sends a command; 0 on success.
uint32_t SendMediaCommand(const QString& command);

// Sends a command whose failure the service reports itself, in a message box.
void ExecuteMediaCommand(const QString& command);

// The 80-character status buffer of the monitors and `say`: filled with blanks
// before each query, it receives the reply and a NUL at its start, and keeps
// its blanks after them.
inline constexpr int kStatusBufferLength = 80;
QString BlankStatusBuffer();
uint32_t SendStatusQuery(const QString& command, QString& buffer);

// Whether a status buffer begins with "playing". A failed query leaves blanks,
// which count as not playing.
bool ReportsPlaying(const QString& buffer);

// Fills a fresh buffer with the "status wavplay mode" reply and reads it; the
// query's code goes to `result` when asked for.
bool WaveIsPlaying(uint32_t* result = nullptr);

// Milliseconds the open wave has left to play (its length less its position),
// or -1 when the service cannot say.
int64_t WaveTimeLeft();

// Whether the wave player would take `name` at all.
bool EndsInLowerV(const QString& name);
