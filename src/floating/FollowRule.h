#pragma once
// Which line the floating lyric window marks for a play position. Plain
// functions, no widgets.
//
// Times are hundredths of a second from the start of the song, one per lyric
// line in list order (row k is lyric line k + 1).
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace cantorel::floating {

// The number a time text starts with: blanks, an optional sign, digits with
// at most one "." as decimal point, read up to the first character that
// does not fit. A text that starts with no number counts as 0.
double leadingNumber(QStringView text);

// leadingNumber of every text.
std::vector<double> timesOf(const QStringList& texts);

// The row to select for `positionCentis`, or nullopt to leave the selection
// as it is. The comparisons are strict:
// - fewer than two lines: nullopt;
// - past the last line's time: the last row;
// - strictly between the times of rows k - 1 and k: row k - 1 (when times
//   are not increasing, the last such k wins);
// - anything else (before the first line, exactly on a line's time):
//   nullopt.
std::optional<int> followedRow(const std::vector<double>& times, double positionCentis);

} // namespace cantorel::floating
