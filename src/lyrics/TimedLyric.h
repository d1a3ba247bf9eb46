#pragma once
// A timed lyric as a plain list, whatever it came from (an LRC file, a tag
// in the song, the lyric pair): each line with its start time and its
// translation. This is what LRC files are read into and written from, and
// what the lyric table is filled from when the lyric is not the pair.
#include "lyrics/LyricTable.h"

#include <QList>
#include <QString>

namespace cantorel::lyrics {

struct TimedLine {
    double timeCentis = 0; // start, hundredths of a second from the song's start
    QString text;
    QString translation; // "" when the line has none
    // The times of the words of `text`, when it is sung word by word; the
    // translation has none.
    LineWords words = {};
    bool operator==(const TimedLine&) const = default;
};

struct TimedLyric {
    QList<TimedLine> lines;
    // Whether the lyric comes with a translation at all (the table's
    // noTranslation is its negation).
    bool translated = false;
    bool operator==(const TimedLyric&) const = default;
};

// Fills `table` as the pair loader does: the list copies are emptied in
// every slot, lines 1..N go to slots 1..N with their times (both columns),
// texts, word times, list copies and time texts, lineCount = N + 1, noTranslation =
// !translated. Slots above N are left as they were. At most 1200 lines fit;
// the rest is cut, and the result says so (true: lines were dropped).
bool fillTable(const TimedLyric& lyric, LyricTable& table);

// The loaded lines of a table (slots 1..lineCount - 1) as a list, each with
// the translation in its slot when the table has one, and its word times.
TimedLyric lyricOfTable(const LyricTable& table);

} // namespace cantorel::lyrics
