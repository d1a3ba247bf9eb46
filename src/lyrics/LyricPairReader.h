#pragma once
// Loads a song's lyric file pair into the lyric table, as the player's open
// action does.
#include "base/TextFile.h"
#include "lyrics/LyricTable.h"

#include <QString>

namespace cantorel::lyrics {

struct LyricLoad {
    enum class Outcome {
        NoLyricFile,     // nothing loaded, table untouched
        LyricOnly,       // the lyric alone; noTranslation set
        WithTranslation, // both files; noTranslation cleared
        Failed,          // a file could not be opened or read, see `error`
    };
    // What the player tells the user about a failed open or read.
    enum class Error { None, FileNotFound, DiskNotReady, Other };

    Outcome outcome = Outcome::NoLyricFile;
    Error error = Error::None;
    // Lines were dropped: a record whose time is not a number ended the
    // file's load there, or the file held more than 1200 records.
    bool cutShort = false;
};

// Loads the pair of `mediaPath` into `table`:
// - no lyric file: nothing changes;
// - otherwise the list copies are emptied, the lyric's records fill slots
//   1..N (lineCount = N + 1) and, when the translated file exists, its
//   records fill translatedLines 1..M by position (M may differ from N;
//   nothing compares the counts).
// Files are read in whatever encoding they were written (readLyricFile:
// byte-order marks, UTF-8, a guessed legacy encoding, Windows-1252); blank
// lines are skipped. A record that cannot be read ends that file's load and
// keeps what was read before it; the load still counts as a success, with
// cutShort set, so the song plays with the lines that could be read.
LyricLoad loadLyricPair(const QString& mediaPath, LyricTable& table);

// For every lyric source read like the pair (readLyricFile): true when no
// ordinary file was there (nothing, or a folder), which is no lyric rather
// than a failure; and the error a failed read is reported as.
bool noFileThere(const TextFileRead& read);
LyricLoad::Error loadErrorOf(const TextFileRead& read);

// One record of a lyric file: the time and the unescaped text. False when the
// line holds no record (its time is not a plain number).
bool parseLyricRecord(const QString& line, double* timeCentis, QString* text);

} // namespace cantorel::lyrics
