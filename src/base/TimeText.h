#pragma once
// Position and length read-outs: whole seconds as minutes, a colon and
// seconds, without leading zeros. The seconds are rounded to the nearest whole
// second, halves to the even neighbour: 0:0, 1:5 for 65 000 ms, 3:45 for
// 225 400 ms, 1:0 for 59 600 ms.
#include <QString>

namespace cantorel {

QString timeText(qint64 milliseconds);

} // namespace cantorel
