#pragma once
// cantorel-lyrics' exit statuses, shared by all its commands (the usage text
// in main.cpp and the README list them; the online commands add theirs in
// OnlineCommands.h).

namespace cantorel::tool {

constexpr int kLyricError = 1;      // a lyric file could not be read or written
constexpr int kEngineError = 2;     // the audio engine refused the song
constexpr int kMediaError = 3;      // there is no such song
constexpr int kUsageError = 64;     // the command line is wrong
constexpr int kReadOnlyTarget = 77; // a read-only file left alone (--force replaces it)

} // namespace cantorel::tool
