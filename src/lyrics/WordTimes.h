#pragma once
// Word times of a line (LyricTable.h: LineWords): made from the time tags a
// line's text held, and counted against a play position.
//
// A tag inside a line's text ("<00:12.80>" or "[00:12.80]" after some text)
// starts a word: the characters from where it stood to where the next tag
// stood. So "<00:12.00>Shine <00:12.80>on <00:13.40>me<00:14.10>" is three
// words, and the tag with nothing but blanks after it is the end of the last
// word; "Strang<00:05.00>ers" is two timed pieces of one word, each a
// WordTime of its own. Plain functions, any thread.
#include "lyrics/LyricTable.h"

#include <QList>
#include <QString>

namespace cantorel::lyrics {

// A time tag taken out of a line's text: the index in the shown text it
// stood before, and its time in milliseconds.
struct WordMark {
    qsizetype position = 0;
    qint64 timeMs = 0;
    bool operator==(const WordMark&) const = default;
};

// The word times of `text` from its marks (in the order of their positions,
// each within 0..text.size()):
//   - each mark starts a word running to the next mark, without the spaces
//     at either end; a word of spaces only is no word, except after the last
//     mark, where that mark is the end of the last word (endHundredths);
//   - text before the first mark, when it is not all spaces, is a word sung
//     from `lineTimeMs`;
//   - a time earlier than the word's before it is raised to that word's, so
//     words are sung in order (an end likewise).
// No marks: no word times (a line sung whole). Times in hundredths are the
// milliseconds divided by 10.
LineWords wordsOfMarks(const QString& text, const QList<WordMark>& marks, qint64 lineTimeMs);

// How many words of `words` are sung at `positionHundredths`: those whose
// time has come (time <= position).
int sungWords(const LineWords& words, double positionHundredths);

} // namespace cantorel::lyrics
