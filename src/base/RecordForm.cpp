#include "base/RecordForm.h"

#include <charconv>
#include <cmath>

namespace cantorel {

namespace {

template <typename T>
QString shortestFixed(T value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (res.ec != std::errc())
        return QStringLiteral("0");
    QString s = QString::fromLatin1(buf, res.ptr - buf);
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

} // namespace

void RecordWriter::separate()
{
    if (!m_empty)
        m_line += u',';
    m_empty = false;
}

RecordWriter& RecordWriter::text(const QString& value)
{
    separate();
    m_line += u'"';
    m_line += value;
    m_line += u'"';
    return *this;
}

RecordWriter& RecordWriter::number(double value)
{
    separate();
    m_line += formatNumber(value);
    return *this;
}

RecordWriter& RecordWriter::single(float value)
{
    separate();
    m_line += formatSingle(value);
    return *this;
}

RecordWriter& RecordWriter::integer(qint64 value)
{
    separate();
    m_line += QString::number(value);
    return *this;
}

RecordWriter& RecordWriter::boolean(bool value)
{
    separate();
    m_line += value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    return *this;
}

QString formatNumber(double value)
{
    return shortestFixed(value);
}
QString formatSingle(float value)
{
    return shortestFixed(value);
}

QStringList parseRecord(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        QString field;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0) {
                field = line.mid(i + 1).toString();
                i = n;
            } else {
                field = line.mid(i + 1, close - i - 1).toString();
                i = close + 1;
            }
            const qsizetype comma = line.indexOf(u',', i);
            i = comma < 0 ? n : comma;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype end = comma < 0 ? n : comma;
            field = line.mid(i, end - i).trimmed().toString();
            i = end;
        }
        fields.append(field);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return fields;
}

std::optional<double> parseNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (t[0] == u'-' || t[0] == u'+')
        ++i;
    bool digits = false;
    bool point = false;
    for (qsizetype k = i; k < t.size(); ++k) {
        const QChar c = t[k];
        if (c.isDigit() && c.unicode() < 128)
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    const QByteArray latin = t.toLatin1();
    double value = 0;
    const char* begin = latin.constData();
    if (*begin == '+')
        ++begin;
    auto res = std::from_chars(begin, latin.constData() + latin.size(), value);
    if (res.ec != std::errc() || res.ptr != latin.constData() + latin.size())
        return std::nullopt;
    return value;
}

std::optional<qint32> parseInt32(QStringView text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return qint32(v);
}

std::optional<bool> parseBoolean(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t == u"#TRUE#" || t.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (t == u"#FALSE#" || t.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace cantorel
