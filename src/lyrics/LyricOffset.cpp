#include "lyrics/LyricOffset.h"

#include "common/RecordForm.h"
#include "common/TextCodec.h"
#include "lyrics/EmbeddedLyrics.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LrcWriter.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFileReplacement.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"

#include <cmath>

namespace cantorel::lyrics {

namespace {

OffsetSave failed(const QString& why)
{
    OffsetSave save;
    save.error = why;
    return save;
}

OffsetSave fromReplacement(const ReplacementResult& r, const QString& written)
{
    OffsetSave save;
    save.ok = r.ok;
    save.error = r.error;
    save.backups = r.backups;
    if (r.ok)
        save.written = written;
    return save;
}

bool readText(const QString& path, QString* text, QString* error)
{
    const TextFileRead read = readLyricFile(path);
    if (!read.ok()) {
        *error = path + QStringLiteral(": ") + read.error;
        return false;
    }
    *text = read.text;
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

OffsetSave savePair(const QString& mediaPath, qint64 offsetMs)
{
    QList<FileReplacement> files;
    for (const QString& path : {lyricPathOf(mediaPath), translatedLyricPathOf(mediaPath)}) {
        if (path != lyricPathOf(mediaPath) && !hasTranslation(mediaPath))
            continue;
        QString text, error;
        if (!readText(path, &text, &error))
            return failed(error);
        files.append({path, shiftedPairFile(text, offsetMs)});
    }
    return fromReplacement(replaceFiles(files), lyricPathOf(mediaPath));
}

OffsetSave saveLrc(const QString& lrcPath, qint64 offsetMs)
{
    QString text, error;
    if (!readText(lrcPath, &text, &error))
        return failed(error);
    const LrcLyric lrc = parseLrc(text);
    if (!lrc.isLyric)
        return failed(lrcPath + QStringLiteral(": it holds no time tag any more."));
    const qint64 total = boundedOffset(lrc.offsetMs + offsetMs);
    return fromReplacement(replaceFiles({{lrcPath, withLrcOffset(text, total)}}), lrcPath);
}

OffsetSave saveBesideEmbedded(const QString& mediaPath, qint64 offsetMs)
{
    const auto embedded = readEmbeddedLyric(mediaPath);
    if (!embedded)
        return failed(mediaPath + QStringLiteral(": the song holds no timed lyric any more."));
    const QString lrcPath = lrcPathsOf(mediaPath).first();
    const QString text = QStringLiteral("[offset:%1]\r\n").arg(offsetMs) + lrcText(embedded->lyric);
    return fromReplacement(replaceFiles({{lrcPath, text}}), lrcPath);
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
    }
}

QString offsetText(qint64 offsetMs)
{
    const qint64 tenths = std::llround(double(boundedOffset(offsetMs)) / 100.0);
    if (tenths == 0)
        return QStringLiteral("Lyric on time");
    const QString amount = QString::number(double(std::abs(tenths)) / 10.0, 'f', 1);
    return QStringLiteral("Lyric %1 s %2").arg(amount, tenths > 0 ? QStringLiteral("earlier") : QStringLiteral("later"));
}

OffsetSave saveOffsetIntoLyric(const QString& mediaPath, const LyricOrigin& origin, qint64 offsetMs)
{
    offsetMs = boundedOffset(offsetMs);
    if (offsetMs == 0)
        return failed(QStringLiteral("The lyric is on time: there is no offset to save."));
    switch (origin.kind) {
    case LyricOrigin::Kind::Pair: return savePair(mediaPath, offsetMs);
    case LyricOrigin::Kind::LrcFile: return saveLrc(origin.path, offsetMs);
    case LyricOrigin::Kind::Embedded: return saveBesideEmbedded(mediaPath, offsetMs);
    case LyricOrigin::Kind::None: break;
    }
    return failed(QStringLiteral("The song has no lyric to save an offset into."));
}

} // namespace cantorel::lyrics
