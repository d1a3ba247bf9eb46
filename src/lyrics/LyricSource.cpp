#include "lyrics/LyricSource.h"

#include "base/FilePaths.h"
#include "lyrics/EmbeddedLyrics.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/SongFacts.h"

#include <memory>

namespace cantorel::lyrics {

namespace {

using Outcome = LyricLoad::Outcome;

Outcome loadedOutcome(const TimedLyric& lyric)
{
    return lyric.translated ? Outcome::WithTranslation : Outcome::LyricOnly;
}

QString pairErrorText(const QString& mediaPath, LyricLoad::Error error)
{
    const QString why = error == LyricLoad::Error::FileNotFound   ? QStringLiteral("File Not Found")
                        : error == LyricLoad::Error::DiskNotReady ? QStringLiteral("Disk Not Ready")
                                                                  : QStringLiteral("cannot read the lyric files");
    return lyricPathOf(mediaPath) + QStringLiteral(": ") + why;
}

// The pair of `mediaPath` loaded into `table`; NoLyricFile without a lyric
// file.
FoundLyric loadPair(const QString& mediaPath, LyricTable& table)
{
    FoundLyric f;
    f.load = loadLyricPair(mediaPath, table);
    if (f.load.outcome == Outcome::NoLyricFile)
        return f;
    f.origin = {LyricOrigin::Kind::Pair, lyricPathOf(mediaPath), QString()};
    if (f.load.outcome == Outcome::Failed)
        f.errorText = pairErrorText(mediaPath, f.load.error);
    return f;
}

// A lyric found past the pair: in an LRC file or in the song's tags.
struct Located {
    FoundLyric found;
    TimedLyric lyric;
};

// The first LRC file of `mediaPath` that holds a lyric or cannot be read;
// NoLyricFile when there is none.
Located locateLrcFile(const QString& mediaPath)
{
    Located l;
    for (const QString& path : lrcPathsOf(mediaPath)) {
        const TextFileRead read = readLyricFile(path);
        if (noFileThere(read))
            continue;
        if (read.ok()) {
            const LrcLyric lrc = parseLrc(read.text);
            if (!lrc.isLyric)
                continue;
            l.lyric = lrc.lyric;
            l.found.load.outcome = loadedOutcome(lrc.lyric);
            l.found.load.cutShort = lrc.cutShort;
        } else {
            l.found.load.outcome = Outcome::Failed;
            l.found.load.error = loadErrorOf(read);
            l.found.errorText = path + QStringLiteral(": ") + read.error;
        }
        l.found.origin = {LyricOrigin::Kind::LrcFile, path, QString()};
        return l;
    }
    return l;
}

Located locatePastThePair(const QString& mediaPath)
{
    Located l = locateLrcFile(mediaPath);
    if (l.found.load.outcome != Outcome::NoLyricFile)
        return l;
    if (auto embedded = readEmbeddedLyric(mediaPath)) {
        l.lyric = std::move(embedded->lyric);
        l.found.origin = {LyricOrigin::Kind::Embedded, mediaPath, embedded->tag};
        l.found.load.outcome = loadedOutcome(l.lyric);
        l.found.load.cutShort = embedded->cutShort;
    }
    return l;
}

} // namespace

QString LyricOrigin::describe() const
{
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::Embedded:
        return fileNamePart(path) + QStringLiteral(" (") + tag + u')';
    default:
        return fileNamePart(path);
    }
}

QStringList lrcPathsOf(const QString& mediaPath)
{
    QStringList paths;
    const QString name = fileNamePart(mediaPath);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        paths << mediaPath.left(mediaPath.size() - (name.size() - dot)) + QStringLiteral(".lrc");
    paths << mediaPath + QStringLiteral(".lrc");
    return paths;
}

QString songOfLrcFile(const QString& lrcPath)
{
    const QString ending = QStringLiteral(".lrc");
    if (!lrcPath.endsWith(ending, Qt::CaseInsensitive) || fileNamePart(lrcPath).size() <= ending.size())
        return QString();
    const QString stem = lrcPath.chopped(ending.size());
    if (fileNamePart(stem).contains(u'.') && ordinaryFileExists(stem))
        return stem;
    for (const QString& extension : {QStringLiteral(".mp3"), QStringLiteral(".mp2"), QStringLiteral(".ogg"),
                                     QStringLiteral(".wav"), QStringLiteral(".wma")}) {
        for (const QString& spelled : {extension, extension.toUpper()}) {
            if (ordinaryFileExists(stem + spelled))
                return stem + spelled;
        }
    }
    return QString();
}

FoundLyric loadLyric(const QString& mediaPath, LyricTable& table)
{
    if (FoundLyric pair = loadPair(mediaPath, table); pair.load.outcome != Outcome::NoLyricFile)
        return pair;
    Located l = locatePastThePair(mediaPath);
    const Outcome o = l.found.load.outcome;
    if ((o == Outcome::LyricOnly || o == Outcome::WithTranslation) && fillTable(l.lyric, table))
        l.found.load.cutShort = true;
    return l.found;
}

TimedLyric readLyric(const QString& mediaPath, FoundLyric* found)
{
    auto table = std::make_unique<LyricTable>();
    *found = loadPair(mediaPath, *table);
    if (found->load.outcome != Outcome::NoLyricFile)
        return found->load.outcome == Outcome::Failed ? TimedLyric() : lyricOfTable(*table);
    Located l = locatePastThePair(mediaPath);
    *found = l.found;
    return l.lyric;
}

LyricPresence pairPresence(const QString& mediaPath)
{
    LyricPresence p;
    p.lyric = hasLyric(mediaPath);
    p.translation = hasTranslation(mediaPath);
    if (p.lyric)
        p.lyricTip = fileNamePart(lyricPathOf(mediaPath));
    if (p.translation)
        p.translationTip = fileNamePart(translatedLyricPathOf(mediaPath));
    return p;
}

LyricPresence lyricPresence(const QString& mediaPath)
{
    LyricPresence p = pairPresence(mediaPath);
    if (p.lyric)
        return p;
    const Located lrc = locateLrcFile(mediaPath);
    bool translated = lrc.found.load.outcome == Outcome::WithTranslation;
    if (lrc.found.load.outcome != Outcome::NoLyricFile) {
        p.lyricTip = lrc.found.origin.describe();
    } else {
        // The song's own tags, read once for as long as the song is unchanged.
        const SongFacts facts = songFactsCache().facts(mediaPath);
        if (!facts.lyric)
            return p;
        p.lyricTip = LyricOrigin {LyricOrigin::Kind::Embedded, mediaPath, facts.lyricTag}.describe();
        translated = facts.translated;
    }
    p.lyric = true;
    if (!p.translation && translated) {
        p.translation = true;
        p.translationTip = p.lyricTip; // the same file or tag
    }
    return p;
}

} // namespace cantorel::lyrics
