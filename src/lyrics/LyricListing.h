#pragma once
// The text form in which the command-line tool lists a loaded lyric: one
// line per record, fields separated by tabs; a tab, CR or LF inside a text is
// written as \t, \r, \n and a backslash as \\, so every record stays on one
// line and can be split at tabs.
#include "lyrics/LineLookup.h"
#include "lyrics/LyricTable.h"

#include <QStringList>

namespace cantorel::lyrics {

QString escapeField(const QString& text);

// "lines=<N> translation=<yes|no>" followed by "k<TAB>time<TAB>line<TAB>
// translated line" for k = 1..N.
QStringList listLyric(const LyricTable& table, bool loaded);

// "at=<ms><TAB>text1=...<TAB>tip1=...<TAB>text2=...<TAB>tip2=..."
QString paneLine(qint64 positionMs, const PaneTexts& panes);

// What paneLine adds when the lyric pane shows `slot` (lookUpLine's line)
// and that line has word times: "<TAB>words1=SUNG/TOTAL", the words whose
// time has come at `positionMs` of all the line's words; "" otherwise.
QString wordsField(const LyricTable& table, int slot, qint64 positionMs);

} // namespace cantorel::lyrics
