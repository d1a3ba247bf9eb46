#pragma once
// A lyric from a server made into what Cantorel keeps: it is held to the
// limits a local LRC file is (lrcLineText: control characters dropped,
// lines cut at 1 000 characters; at most LyricTable::kLastSlot lines, the
// earliest), whatever the server sent.
#include "lyrics/TimedLyric.h"
#include "online/LrclibRecord.h"

#include <QString>
#include <QStringList>

namespace cantorel::online {

// The record's synced lyric as a timed lyric (same-time lines are a line and
// its translation, as in any LRC file); empty when it has none. *cutShort
// (when given) says whether lines were dropped.
lyrics::TimedLyric timedLyricOf(const LrclibRecord& record, bool* cutShort = nullptr);

// The record's plain lyric, one entry per line that has text (blank lines
// between verses go: the Lyric Maker marks every line it is given).
QStringList plainLinesOf(const LrclibRecord& record, bool* cutShort = nullptr);

// What is written for a found plain lyric (its LRC text is
// lyrics::lrcText's): one line per line (CR LF).
QString plainFileText(const QStringList& lines);

// What a preview shows of a record: the synced lines as "[m:ss.xx] text",
// else the plain lines, else "(instrumental)"; bounded as above.
QString previewOf(const LrclibRecord& record);

} // namespace cantorel::online
