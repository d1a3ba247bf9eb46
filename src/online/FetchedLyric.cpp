#include "online/FetchedLyric.h"

#include "lyrics/LrcReader.h"
#include "lyrics/LyricTable.h"

#include <cmath>

namespace cantorel::online {

namespace {

constexpr int kMaxLines = lyrics::LyricTable::kLastSlot;

QString timeText(double centis)
{
    const qint64 hundredths = std::llround(centis);
    return QStringLiteral("%1:%2.%3")
        .arg(hundredths / 6000)
        .arg(hundredths / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

lyrics::TimedLyric timedLyricOf(const LrclibRecord& record, bool* cutShort)
{
    lyrics::LrcLyric parsed = lyrics::parseLrc(record.syncedLyrics);
    bool cut = parsed.cutShort;
    if (parsed.lyric.lines.size() > kMaxLines) {
        parsed.lyric.lines.resize(kMaxLines);
        cut = true;
    }
    if (cutShort)
        *cutShort = cut;
    return parsed.isLyric ? parsed.lyric : lyrics::TimedLyric();
}

QStringList plainLinesOf(const LrclibRecord& record, bool* cutShort)
{
    QStringList lines;
    bool cut = false;
    for (QStringView raw : QStringView(record.plainLyrics).split(QLatin1Char('\n'))) {
        const QString line = lyrics::lrcLineText(raw);
        if (line.isEmpty())
            continue;
        if (lines.size() >= kMaxLines) {
            cut = true;
            break;
        }
        lines << line;
    }
    if (cutShort)
        *cutShort = cut;
    return lines;
}

QString plainFileText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

QString previewOf(const LrclibRecord& record)
{
    switch (kindOf(record)) {
    case RecordKind::Synced: {
        QStringList shown;
        for (const lyrics::TimedLine& line : timedLyricOf(record).lines) {
            shown << QStringLiteral("[%1] %2").arg(timeText(line.timeCentis), line.text);
            if (!line.translation.isEmpty())
                shown << QStringLiteral("           %1").arg(line.translation);
        }
        return shown.join(QLatin1Char('\n'));
    }
    case RecordKind::Plain:
        return plainLinesOf(record).join(QLatin1Char('\n'));
    case RecordKind::Instrumental:
        return QStringLiteral("(instrumental)");
    case RecordKind::Empty:
        break;
    }
    return QStringLiteral("(no lyric)");
}

} // namespace cantorel::online
