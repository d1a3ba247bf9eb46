#pragma once
// Which of a search's records is the song's lyric: the best of those whose
// duration is within kDurationToleranceSeconds of the song's (any duration
// when the song's is unknown): a synced lyric before a plain one, a plain one
// before an instrumental mark; among equals the nearest duration, then the
// server's order. Records with nothing in them never match.
#include "online/LrclibRecord.h"

#include <QList>

namespace cantorel::online {

constexpr double kDurationToleranceSeconds = 2.0;

// The index of the best record in `records`, -1 when none matches.
// `durationSeconds` 0 means the song's length is unknown.
int bestMatch(const QList<LrclibRecord>& records, int durationSeconds);

// `records` in the order a user should see them: matches first, best first,
// then the rest in the server's order.
QList<LrclibRecord> rankedForShowing(const QList<LrclibRecord>& records, int durationSeconds);

} // namespace cantorel::online
