#pragma once
// The wipe of a line sung word by word: how far along the line the sung
// part reaches at a moment of the song. Plain values and functions, no
// widgets, so that the wipe is a function of the time and of where the
// line's words lie and nothing else.
//
// Where words lie is measured along the line's run: its rows laid end to
// end, in pixels (WipedText.h measures them). Times are milliseconds from
// the song's start (the lyric table's hundredths times ten).
//
// Inside a word the sung part grows evenly from the word's left edge to its
// right edge between the word's time and its end; from one word to the next
// it jumps over the blank between them. Before the first word nothing is
// sung; from the end of the last word the whole line is.
#include <QList>
#include <QString>

namespace cantorel::lyrics {
struct LineWords;
struct LyricTable;
} // namespace cantorel::lyrics

namespace cantorel::karaoke {

// One word of a line as sung: its characters [start, start + length) of the
// line's text, sung from startMs until endMs (endMs >= startMs).
struct WordTiming {
    int start = 0;
    int length = 0;
    double startMs = 0;
    double endMs = 0;
    bool operator==(const WordTiming&) const = default;
};

// How long the last word of the last line lasts when the lyric gives it no
// end and no line follows, in ms, unless the line's other words say better
// (their mean length).
inline constexpr double kLoneLastWordMs = 1000;

// The timings of `words`: each word ends where the next begins (a word
// whose successor starts earlier ends at once), the last at
// words.endHundredths or, when that is -1, at `nextLineHundredths` (-1: no
// line follows; see kLoneLastWordMs). Empty for a line without words.
QList<WordTiming> wordTimings(const lyrics::LineWords& words, double nextLineHundredths);

// The timings of the line in `slot` of `table` (0 < slot < lineCount);
// empty for any other slot and for a line without words.
QList<WordTiming> lineTimings(const lyrics::LyricTable& table, int slot);

// A word placed on the line's run: [leftPx, rightPx], sung from startMs
// until endMs.
struct WipeWord {
    double leftPx = 0;
    double rightPx = 0;
    double startMs = 0;
    double endMs = 0;
};

class Wipe {
public:
    Wipe() = default;
    // `fullPx` is the width of the whole run, what the wipe reaches once the
    // last word has ended.
    Wipe(QList<WipeWord> words, double fullPx);

    // The width of the sung part at `positionMs`, 0 ..= the full width.
    double widthPx(double positionMs) const;
    // The first moment after `positionMs` at which the whole pixels of
    // widthPx() change; -1 when they never change again (the line is sung).
    double nextPixelMs(double positionMs) const;

private:
    QList<WipeWord> m_words;
    double m_fullPx = 0;
};

} // namespace cantorel::karaoke
