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

// "[mm:ss.xx]" or "<mm:ss.xx>"; minutes have two digits or more ([123:04.50]).
QString tagOfHundredths(qint64 h, QChar open = u'[', QChar close = u']')
{
    return QStringLiteral("%1%2:%3.%4%5")
        .arg(open)
        .arg(h / 6000, 2, 10, QLatin1Char('0'))
        .arg(h / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(h % 100, 2, 10, QLatin1Char('0'))
        .arg(close);
}

QString wordTagOf(double timeCentis)
{
    return tagOfHundredths(hundredths(timeCentis), u'<', u'>');
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

// `text` (as the reader shows it) with a word tag before each word and,
// when the last word's end is known, one after the text. A tag stands right
// before a word's first character or at the very end, where the reader
// takes no blank along with it, so the text reads back unchanged.
QString taggedText(const QString& text, const LineWords& words)
{
    QString out;
    qsizetype at = 0;   // where the last tag went
    qsizetype next = 0; // where the last word ended
    for (const WordTime& w : words.words) {
        // No word of a reader's making: out of order, empty, past the text.
        if (w.start < next || w.length <= 0 || w.start + w.length > text.size() || text[w.start].isSpace())
            continue;
        out += text.mid(at, w.start - at) + wordTagOf(w.timeHundredths);
        at = w.start;
        next = w.start + w.length;
    }
    if (next == 0)
        return text;
    out += text.mid(at);
    if (words.endHundredths >= 0)
        out += wordTagOf(words.endHundredths);
    return out;
}

} // namespace

QString LrcLineWriter::linesOf(const TimedLine& line, bool translated)
{
    qint64 h = hundredths(line.timeCentis);
    if (m_previous >= 0 && line.timeCentis >= m_previousTime && h <= m_previous)
        h = m_previous + 1;
    m_previous = h;
    m_previousTime = line.timeCentis;
    const QString tag = tagOfHundredths(h);
    const QString text = oneLine(line.text);
    // A text that was not in the reader's form has no word places to keep.
    QString out = tag + (text == line.text ? taggedText(text, line.words) : text) + QStringLiteral("\r\n");
    if (translated)
        out += tag + oneLine(line.translation) + QStringLiteral("\r\n");
    return out;
}

QString lrcText(const TimedLyric& lyric)
{
    LrcLineWriter writer;
    QString out;
    for (const TimedLine& line : lyric.lines)
        out += writer.linesOf(line, lyric.translated);
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
