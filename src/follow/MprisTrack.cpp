#include "follow/MprisTrack.h"

#include "base/FileNames.h"
#include "base/FilePaths.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QUrl>

#include <cmath>
#include <limits>

namespace cantorel::follow {

namespace {

// A text value (a string, or an object path for the track id), cut to size.
QString textOf(const QVariant& value, int limit = MprisTrack::kMaxTextLength)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path().left(limit);
    if (value.metaType() == QMetaType::fromType<QString>())
        return value.toString().left(limit);
    return QString();
}

// xesam:artist is a list of strings; some players send one string.
QStringList textsOf(const QVariant& value)
{
    QStringList texts;
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const QDBusArgument argument = value.value<QDBusArgument>();
        if (argument.currentSignature() == QLatin1String("as"))
            texts = qdbus_cast<QStringList>(argument);
    } else if (value.metaType() == QMetaType::fromType<QStringList>()) {
        texts = value.toStringList();
    } else if (const QString one = textOf(value); !one.isEmpty()) {
        texts << one;
    }
    QStringList kept;
    for (const QString& text : texts) {
        if (kept.size() == MprisTrack::kMaxArtists)
            break;
        if (!text.trimmed().isEmpty())
            kept << text.left(MprisTrack::kMaxTextLength);
    }
    return kept;
}

// mpris:length in microseconds; longer than a year is no song's length.
qint64 lengthMsOf(const QVariant& value)
{
    constexpr qint64 kLongestUs = 366LL * 24 * 3600 * 1000 * 1000;
    const std::optional<qint64> us = integerOf(value);
    if (!us || *us <= 0 || *us > kLongestUs)
        return -1;
    return *us / 1000;
}

} // namespace

QVariantMap plainMap(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QVariantMap>())
        return value.toMap();
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return plainMap(value.value<QDBusVariant>().variant());
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return {};
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}"))
        return {};
    return qdbus_cast<QVariantMap>(argument);
}

std::optional<qint64> integerOf(const QVariant& value)
{
    // Beyond this a double no longer converts to qint64.
    constexpr double kLargest = 9.0e18;
    switch (value.metaType().id()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(value.toULongLong());
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d > kLargest || d < -kLargest)
            return std::nullopt;
        return qint64(d);
    }
    default:
        return std::nullopt;
    }
}

MprisTrack trackFromMetadata(const QVariantMap& metadata)
{
    MprisTrack track;
    track.trackId = textOf(metadata.value(QStringLiteral("mpris:trackid")));
    track.url = textOf(metadata.value(QStringLiteral("xesam:url")), MprisTrack::kMaxUrlLength);
    track.title = textOf(metadata.value(QStringLiteral("xesam:title"))).trimmed();
    track.artists = textsOf(metadata.value(QStringLiteral("xesam:artist")));
    track.album = textOf(metadata.value(QStringLiteral("xesam:album"))).trimmed();
    track.lengthMs = lengthMsOf(metadata.value(QStringLiteral("mpris:length")));
    return track;
}

QString MprisTrack::localPath() const
{
    static const QString kScheme = QStringLiteral("file://");
    if (!url.startsWith(kScheme, Qt::CaseInsensitive))
        return QString();
    const QString parsed = localFilePath(QUrl(url));
    if (!parsed.isEmpty() && ordinaryFileExists(parsed))
        return parsed;
    // Written as it stands: "#", "?" and "%" are part of the name.
    const QString raw = url.mid(kScheme.size());
    if (raw.startsWith(u'/') && ordinaryFileExists(raw))
        return raw;
    return QString();
}

QString MprisTrack::caption() const
{
    QString name = title;
    if (name.isEmpty() && !url.isEmpty())
        name = fileNamePart(QUrl(url).path());
    if (name.isEmpty() || artists.isEmpty())
        return name;
    return name + QStringLiteral(" - ") + artists.join(QStringLiteral(", "));
}

} // namespace cantorel::follow
