#pragma once
// Timing a lyric word by word: the words of each line, which one the next
// press marks, and the lines whose timing is complete, ready to be written.
// No files and no window: the recording feeds it lines and presses.
//
// A line's presses: one per word, in order; the line's time is its first
// word's. The last word's end is the next press after it: the first press of
// the next line, or, after the last line, a press of its own (the final
// press). A line without words (empty) takes one press, its time. Times are
// hundredths of a second from the start of the song. UI thread.
#include "lyrics/TimedLyric.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace cantorel::maker {

// The words of a line, as the maker times them: runs of characters between
// blanks, and each Chinese, Japanese or Korean character a word of its own.
// Punctuation stays with the word it touches ("Shine," "「雨", "雨。"), a
// combining mark with its character. Times are left at 0.
QList<lyrics::WordTime> splitWords(QStringView line);

class WordMarking {
public:
    // What the next press marks.
    struct Cue {
        enum class Kind {
            Nothing,   // no line to mark (not given one, or all done)
            Word,      // the word [start, start + length) of `line`
            EmptyLine, // the time of a line without words
            End,       // the end of the last word of the last line
        };
        Kind kind = Kind::Nothing;
        QString line;
        int start = 0;
        int length = 0;
    };

    // The next line to mark, as read from the source, and its translation
    // (set after it; "" without). Its text is kept as an LRC reader shows it
    // (lyrics::lrcLineText), the form in which it is written.
    void setLine(const QString& line);
    void setTranslation(const QString& translation);
    // The source has no line left: after the current line comes the final
    // press.
    void setNoMoreLines();

    // Marks what cue() names at `timeCentis`. Returns the lines this press
    // completed, in order: the previous line when this press ends its last
    // word, and a line without words at once.
    QList<lyrics::TimedLine> press(double timeCentis);

    // True when the current line is marked and the next one may be set.
    bool wantsLine() const { return !m_line && !m_noMoreLines; }
    // True when every line is marked and the last word has its end.
    bool finished() const { return m_noMoreLines && !m_line && !m_pending; }
    // True when only the final press is missing.
    bool awaitingEnd() const { return m_noMoreLines && !m_line && m_pending; }
    Cue cue() const;

    // The lines marked but not yet complete, for an ending before their
    // time: the line waiting for its last word's end (without that end), and
    // the words of the current line marked so far (none of it when no word
    // is). Forgets them and every line.
    QList<lyrics::TimedLine> takeUnfinished();

private:
    struct Line {
        lyrics::TimedLine timed;       // text, translation, times so far
        QList<lyrics::WordTime> words; // every word of the text
        int marked = 0;                // words marked so far
    };

    std::optional<Line> m_line;                 // the line being marked
    std::optional<lyrics::TimedLine> m_pending; // marked, waiting for its end
    bool m_noMoreLines = false;
};

// The cue as rich text for a label: the line with the word to mark in bold
// and underlined, or what else the next press marks; "" for Nothing.
QString cueText(const WordMarking::Cue& cue);

} // namespace cantorel::maker
