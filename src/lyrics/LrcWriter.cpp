#include "lyrics/LrcWriter.h"

#include "lyrics/LrcReader.h"

#include <cmath>

namespace cantorel::lyrics {

namespace {

qint64 hundredths(double timeCentis)
{
    if (!(timeCentis > 0)) // also NaN
        return 0;
    return std::llround(qMin(timeCentis, 1e15));
}

// "[mm:ss.xx]"; minutes have two digits or more ([123:04.50]).
QString tagOfHundredths(qint64 h)
{
    return QStringLiteral("[%1:%2.%3]")
        .arg(h / 6000, 2, 10, QLatin1Char('0'))
        .arg(h / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(h % 100, 2, 10, QLatin1Char('0'));
}

// The text as any LRC reader shows it (lrcLineText), line breaks first
// made blanks, so that what is written reads back unchanged.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return lrcLineText(text);
}

QString lineEndOf(const QString& text)
{
    if (text.contains(QStringLiteral("\r\n")))
        return QStringLiteral("\r\n");
    if (text.contains(u'\n'))
        return QStringLiteral("\n");
    if (text.contains(u'\r'))
        return QStringLiteral("\r");
    return QStringLiteral("\r\n");
}

} // namespace

QString lrcText(const TimedLyric& lyric)
{
    QString out;
    qint64 previous = -1;
    double previousTime = 0;
    for (const TimedLine& line : lyric.lines) {
        qint64 h = hundredths(line.timeCentis);
        if (previous >= 0 && line.timeCentis >= previousTime && h <= previous)
            h = previous + 1;
        previous = h;
        previousTime = line.timeCentis;
        const QString tag = tagOfHundredths(h);
        out += tag + oneLine(line.text) + QStringLiteral("\r\n");
        if (lyric.translated)
            out += tag + oneLine(line.translation) + QStringLiteral("\r\n");
    }
    return out;
}

QString withLrcOffset(const QString& lrc, qint64 offsetMs)
{
    const LrcLyric read = parseLrc(lrc);
    const QString tag = QStringLiteral("[offset:%1]").arg(offsetMs);
    QString out = lrc;
    if (read.offsetTagStart >= 0)
        return out.replace(read.offsetTagStart, read.offsetTagLength, tag);
    const qsizetype at = read.firstTimedLine >= 0 ? read.firstTimedLine : 0;
    return out.insert(at, tag + lineEndOf(lrc));
}

} // namespace cantorel::lyrics
