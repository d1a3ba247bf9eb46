#include "lyrics/LyricOffset.h"

#include "base/RecordForm.h"
#include "base/TextCodec.h"
#include "lyrics/EmbeddedLyrics.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LrcWriter.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"

#include <cmath>

namespace cantorel::lyrics {

namespace {

// The text of a lyric file and the encoding it is in, which a rewrite
// keeps.
bool readText(const QString& path, QString* text, FileEncoding* encoding, QString* error)
{
    const LyricFileRead read = readLyricFile(path);
    if (!read.ok()) {
        *error = path + QStringLiteral(": ") + read.error;
        return false;
    }
    *text = read.text;
    *encoding = read.encoding;
    return true;
}

// A lyric pair file with every record's time shifted.
QString shiftedPairFile(const QString& text, qint64 offsetMs)
{
    QString out;
    for (const QString& line : splitLines(text)) {
        double time = 0;
        QString lineText;
        if (!line.trimmed().isEmpty() && parseLyricRecord(line, &time, &lineText))
            out += lyricRecord(shiftedTime(time, offsetMs), escapeLine(lineText));
        else
            out += line + QStringLiteral("\r\n");
    }
    return out;
}

OffsetSave savePair(const QString& mediaPath, qint64 offsetMs, ReadOnlyRule readOnly)
{
    QStringList paths {lyricPathOf(mediaPath)};
    if (hasTranslation(mediaPath))
        paths << translatedLyricPathOf(mediaPath);
    QList<FileReplacement> files;
    for (const QString& path : paths) {
        QString text, error;
        FileEncoding encoding;
        if (!readText(path, &text, &encoding, &error))
            return refusal(error);
        files.append({path, shiftedPairFile(text, offsetMs), false, encoding});
    }
    return replaceFiles(files, readOnly);
}

OffsetSave saveLrc(const QString& lrcPath, qint64 offsetMs, ReadOnlyRule readOnly)
{
    QString text, error;
    FileEncoding encoding;
    if (!readText(lrcPath, &text, &encoding, &error))
        return refusal(error);
    const LrcLyric lrc = parseLrc(text);
    if (!lrc.isLyric)
        return refusal(lrcPath + QStringLiteral(": it holds no time tag any more."));
    const qint64 total = boundedOffset(lrc.offsetMs + offsetMs);
    return replaceFiles({{lrcPath, withLrcOffset(text, total), false, encoding}}, readOnly);
}

OffsetSave saveBesideEmbedded(const QString& mediaPath, qint64 offsetMs, ReadOnlyRule readOnly)
{
    const auto embedded = readEmbeddedLyric(mediaPath);
    if (!embedded)
        return refusal(mediaPath + QStringLiteral(": the song holds no timed lyric any more."));
    const QString lrcPath = lrcPathsOf(mediaPath).first();
    const QString text = QStringLiteral("[offset:%1]\r\n").arg(offsetMs) + lrcText(embedded->lyric);
    return replaceFiles({{lrcPath, text}}, readOnly);
}

} // namespace

qint64 boundedOffset(qint64 offsetMs)
{
    return qBound(-kMaxOffsetMs, offsetMs, kMaxOffsetMs);
}

double shiftedTime(double timeCentis, qint64 offsetMs)
{
    const double t = timeCentis - double(boundedOffset(offsetMs)) / 10.0;
    if (!(t > 0))
        return 0;
    return std::round(t * 1e6) / 1e6;
}

void applyOffset(const LyricTable& base, qint64 offsetMs, LyricTable& shown)
{
    shown = base;
    const int n = base.loadedLines();
    for (int k = 1; k <= n; ++k) {
        shown.times[k] = shiftedTime(base.times[k], offsetMs);
        shown.translatedTimes[k] = shiftedTime(base.translatedTimes[k], offsetMs);
        shown.listTimes[k] = formatNumber(shown.times[k]);
        for (WordTime& w : shown.words[k].words)
            w.timeHundredths = shiftedTime(w.timeHundredths, offsetMs);
        if (shown.words[k].endHundredths >= 0)
            shown.words[k].endHundredths = shiftedTime(shown.words[k].endHundredths, offsetMs);
    }
}

QString offsetText(qint64 offsetMs)
{
    const qint64 tenths = std::llround(double(boundedOffset(offsetMs)) / 100.0);
    if (tenths == 0)
        return QStringLiteral("Lyric on time");
    const QString amount = QString::number(double(std::abs(tenths)) / 10.0, 'f', 1);
    return QStringLiteral("Lyric %1 s %2")
        .arg(amount, tenths > 0 ? QStringLiteral("earlier") : QStringLiteral("later"));
}

OffsetSave saveOffsetIntoLyric(const QString& mediaPath, const LyricOrigin& origin, qint64 offsetMs,
                               ReadOnlyRule readOnly)
{
    offsetMs = boundedOffset(offsetMs);
    if (offsetMs == 0)
        return refusal(QStringLiteral("The lyric is on time: there is no offset to save."));
    switch (origin.kind) {
    case LyricOrigin::Kind::Pair:
        return savePair(mediaPath, offsetMs, readOnly);
    case LyricOrigin::Kind::LrcFile:
        return saveLrc(origin.path, offsetMs, readOnly);
    case LyricOrigin::Kind::Embedded:
        return saveBesideEmbedded(mediaPath, offsetMs, readOnly);
    case LyricOrigin::Kind::None:
        break;
    }
    return refusal(QStringLiteral("The song has no lyric to save an offset into."));
}

} // namespace cantorel::lyrics
