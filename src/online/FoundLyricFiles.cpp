#include "online/FoundLyricFiles.h"

#include "base/FilePaths.h"
#include "lyrics/LrcWriter.h"
#include "lyrics/LyricFileReplacement.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTransfer.h"
#include "online/FetchedLyric.h"

#include <QDir>
#include <QFileInfo>

namespace cantorel::online {

namespace {

using Kind = WrittenLyric::Kind;

bool isThere(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

WrittenLyric outcomeOf(const lyrics::ReplacementResult& r, Kind kind)
{
    WrittenLyric w;
    if (r.ok) {
        w.kind = kind;
        w.written = r.written;
        w.backups = r.backups;
    } else if (!r.readOnly.isEmpty()) {
        w.kind = Kind::ReadOnly;
        w.readOnly = r.readOnly;
        w.error = r.error;
    } else {
        w.kind = Kind::Failed;
        w.error = r.error;
    }
    return w;
}

WrittenLyric hasLyric(const QString& existing)
{
    WrittenLyric w;
    w.kind = Kind::HasLyric;
    w.existing = existing;
    return w;
}

WrittenLyric writeSynced(const QString& mediaPath, const LrclibRecord& record, bool replace, ReadOnlyRule readOnly)
{
    if (const QString existing = existingLyricOf(mediaPath, false); !existing.isEmpty() && !replace)
        return hasLyric(existing);
    QList<lyrics::FileReplacement> files {{syncedTargetOf(mediaPath), lyrics::lrcText(timedLyricOf(record))}};
    // The pair comes first in every lookup: it goes to its backups, the
    // translation first, so the disk never shows a translation without its
    // lyric.
    for (const QString& pairFile : {lyrics::translatedLyricPathOf(mediaPath), lyrics::lyricPathOf(mediaPath)}) {
        if (isThere(pairFile))
            files.append({pairFile, QString(), true});
    }
    return outcomeOf(lyrics::replaceFiles(files, readOnly), Kind::Synced);
}

WrittenLyric writePlain(const QString& mediaPath, const LrclibRecord& record, bool replace, ReadOnlyRule readOnly)
{
    // A plain lyric never takes the place of a timed one.
    if (const QString timed = existingLyricOf(mediaPath, false); !timed.isEmpty())
        return hasLyric(timed);
    const QString target = plainTargetOf(mediaPath);
    if (isThere(target) && !replace)
        return hasLyric(fileNamePart(target));
    return outcomeOf(lyrics::replaceFiles({{target, plainFileText(plainLinesOf(record))}}, readOnly), Kind::Plain);
}

} // namespace

QString syncedTargetOf(const QString& mediaPath)
{
    return lyrics::defaultLrcPathOf(mediaPath);
}

QString plainTargetOf(const QString& mediaPath)
{
    const QFileInfo info(mediaPath);
    const QString base = info.completeSuffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QStringLiteral(".txt"));
}

QString existingLyricOf(const QString& mediaPath, bool plainToo)
{
    const lyrics::LyricPresence presence = lyrics::lyricPresence(mediaPath);
    if (presence.lyric)
        return presence.lyricTip.isEmpty() ? fileNamePart(mediaPath) : presence.lyricTip;
    if (plainToo && isThere(plainTargetOf(mediaPath)))
        return fileNamePart(plainTargetOf(mediaPath));
    return QString();
}

WrittenLyric writeFoundLyric(const QString& mediaPath, const LookupResult& result, bool replace, ReadOnlyRule readOnly)
{
    switch (result.outcome) {
    case LookupResult::Outcome::Synced:
        return writeSynced(mediaPath, result.record, replace, readOnly);
    case LookupResult::Outcome::Plain:
        return writePlain(mediaPath, result.record, replace, readOnly);
    case LookupResult::Outcome::Instrumental: {
        WrittenLyric w;
        w.kind = Kind::Instrumental;
        return w;
    }
    case LookupResult::Outcome::NotFound:
    case LookupResult::Outcome::Failed:
        break;
    }
    return {};
}

} // namespace cantorel::online
