#include "lyrics/LyricTransfer.h"

#include "lyrics/LrcReader.h"
#include "lyrics/LrcWriter.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"

#include <QFileInfo>

namespace cantorel::lyrics {

namespace {

LyricTransfer refused(const QString& why)
{
    return {refusal(why), 0, false};
}

LyricTransfer done(const ReplacementResult& r, const TimedLyric& lyric)
{
    return {r, r.ok ? int(lyric.lines.size()) : 0, r.ok && lyric.translated};
}

bool hasWordTimes(const TimedLyric& lyric)
{
    for (const TimedLine& line : lyric.lines) {
        if (!line.words.isEmpty())
            return true;
    }
    return false;
}

// The pair cannot hold word times: such a lyric goes to the song's LRC file,
// and the pair is set aside so that the lookup does not prefer it.
QList<FileReplacement> wordTimedFiles(const TimedLyric& lyric, const QString& mediaPath)
{
    return {{defaultLrcPathOf(mediaPath), lrcText(lyric)},
            {lyricPathOf(mediaPath), QString(), true},
            {translatedLyricPathOf(mediaPath), QString(), true}};
}

bool samePath(const QString& a, const QString& b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

QString defaultLrcPathOf(const QString& mediaPath)
{
    return lrcPathsOf(mediaPath).first();
}

LyricTransfer exportLrc(const QString& mediaPath, const QString& outPath, ReadOnlyRule readOnly)
{
    for (const QString& own : {mediaPath, lyricPathOf(mediaPath), translatedLyricPathOf(mediaPath)}) {
        if (samePath(outPath, own))
            return refused(outPath + QStringLiteral(": that is the song or its own lyric file, not an LRC file."));
    }
    FoundLyric found;
    const TimedLyric lyric = readLyric(mediaPath, &found);
    switch (found.load.outcome) {
    case LyricLoad::Outcome::NoLyricFile:
        return refused(mediaPath + QStringLiteral(": the song has no timed lyric."));
    case LyricLoad::Outcome::Failed:
        return refused(found.errorText);
    default:
        break;
    }
    return done(replaceFiles({{outPath, lrcText(lyric)}}, readOnly), lyric);
}

LyricTransfer importLrc(const QString& lrcPath, const QString& mediaPath, ReadOnlyRule readOnly)
{
    const TextFileRead read = readLyricFile(lrcPath);
    if (!read.ok())
        return refused(lrcPath + QStringLiteral(": ") + read.error);
    const LrcLyric lrc = parseLrc(read.text);
    if (!lrc.isLyric)
        return refused(lrcPath + QStringLiteral(": no time tag in it, so it is not a timed lyric."));

    if (hasWordTimes(lrc.lyric))
        return done(replaceFiles(wordTimedFiles(lrc.lyric, mediaPath), readOnly), lrc.lyric);

    QString normal, translated;
    for (const TimedLine& line : lrc.lyric.lines) {
        normal += lyricRecord(line.timeCentis, escapeLine(line.text));
        translated += lyricRecord(line.timeCentis, escapeLine(line.translation));
    }
    const QString lyricPath = lyricPathOf(mediaPath);
    QList<FileReplacement> files {{lyricPath, normal}};
    if (lrc.lyric.translated)
        files.append({translatedLyricPathOf(mediaPath), translated});
    else
        files.append({translatedLyricPathOf(mediaPath), QString(), true});
    return done(replaceFiles(files, readOnly), lrc.lyric);
}

} // namespace cantorel::lyrics
