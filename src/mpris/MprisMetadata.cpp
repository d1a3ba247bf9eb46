#include "mpris/MprisMetadata.h"

#include "base/FileNames.h"
#include "base/FilePaths.h"

#include <QDBusObjectPath>
#include <QStringList>

namespace cantorel::mpris {

QVariantMap metadataOf(const TrackFacts& track)
{
    QVariantMap m;
    if (track.path.isEmpty()) {
        m.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(QLatin1String(kNoTrack))));
        return m;
    }
    m.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(track.trackId)));
    if (track.lengthMs > 0)
        m.insert(QStringLiteral("mpris:length"), qint64(track.lengthMs * 1000));
    m.insert(QStringLiteral("xesam:title"), track.tags.title.isEmpty() ? fileNamePart(track.path) : track.tags.title);
    if (!track.tags.artist.isEmpty())
        m.insert(QStringLiteral("xesam:artist"), QStringList {track.tags.artist});
    if (!track.tags.album.isEmpty())
        m.insert(QStringLiteral("xesam:album"), track.tags.album);
    // The name's own bytes, so a name that is not UTF-8 still leads back.
    m.insert(QStringLiteral("xesam:url"),
             QString::fromLatin1("file://" + encodeFileName(track.path).toPercentEncoding("/")));
    if (!track.lyricText.isEmpty())
        m.insert(QStringLiteral("xesam:asText"), track.lyricText);
    return m;
}

QString lyricTextOf(const lyrics::LyricTable& table)
{
    QStringList lines;
    const int n = table.loadedLines();
    lines.reserve(n);
    for (int i = 1; i <= n; ++i)
        lines << table.lines[i];
    return lines.join(u'\n');
}

} // namespace cantorel::mpris
