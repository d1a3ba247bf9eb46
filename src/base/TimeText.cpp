#include "base/TimeText.h"

namespace cantorel {

QString timeText(qint64 milliseconds)
{
    const bool negative = milliseconds < 0;
    const qint64 ms = negative ? -milliseconds : milliseconds;
    qint64 seconds = ms / 1000;
    const qint64 rest = ms % 1000;
    if (rest > 500 || (rest == 500 && (seconds % 2) == 1))
        ++seconds;
    if (negative)
        seconds = -seconds;
    return QString::number(seconds / 60) + u':' + QString::number(seconds % 60);
}

} // namespace cantorel
