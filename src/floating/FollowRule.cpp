#include "floating/FollowRule.h"

#include <QByteArray>

namespace cantorel::floating {

double leadingNumber(QStringView text)
{
    // The longest prefix that reads as a number, converted in one go so that
    // "0.3" gives the same double as 3 / 10.0.
    QByteArray number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        number += char(text[i++].unicode());
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
        number += char(c);
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

std::vector<double> timesOf(const QStringList& texts)
{
    std::vector<double> times;
    times.reserve(size_t(texts.size()));
    for (const QString& t : texts)
        times.push_back(leadingNumber(t));
    return times;
}

std::optional<int> followedRow(const std::vector<double>& times, double p)
{
    const int count = int(times.size());
    if (count - 1 < 1)
        return std::nullopt;
    // Past the last line every step of the scan ends on the last row.
    if (times[size_t(count - 1)] < p)
        return count - 1;
    std::optional<int> row;
    for (int k = 1; k < count; ++k) {
        if (times[size_t(k - 1)] < p && p < times[size_t(k)])
            row = k - 1;
    }
    return row;
}

} // namespace cantorel::floating
