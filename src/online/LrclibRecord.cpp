#include "online/LrclibRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace cantorel::online {

namespace {

QString text(const QJsonObject& object, const char* key)
{
    const QJsonValue v = object.value(QLatin1String(key));
    return v.isString() ? v.toString() : QString();
}

QJsonDocument parse(const QByteArray& body, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (doc.isNull() && error)
        *error = QStringLiteral("the server's answer is not valid JSON (%1)").arg(parseError.errorString());
    return doc;
}

} // namespace

RecordKind kindOf(const LrclibRecord& record)
{
    if (record.hasSynced())
        return RecordKind::Synced;
    if (record.hasPlain())
        return RecordKind::Plain;
    return record.instrumental ? RecordKind::Instrumental : RecordKind::Empty;
}

QString kindName(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Synced:
        return QStringLiteral("synced");
    case RecordKind::Plain:
        return QStringLiteral("plain");
    case RecordKind::Instrumental:
        return QStringLiteral("instrumental");
    case RecordKind::Empty:
        break;
    }
    return QStringLiteral("empty");
}

std::optional<LrclibRecord> recordOf(const QJsonObject& object)
{
    const QJsonValue id = object.value(QLatin1String("id"));
    LrclibRecord r;
    r.trackName = text(object, "trackName");
    if (!id.isDouble() || r.trackName.isEmpty())
        return std::nullopt;
    r.id = qint64(id.toDouble());
    r.artistName = text(object, "artistName");
    r.albumName = text(object, "albumName");
    const QJsonValue duration = object.value(QLatin1String("duration"));
    r.durationSeconds = duration.isDouble() ? qMax(0.0, duration.toDouble()) : 0.0;
    r.instrumental = object.value(QLatin1String("instrumental")).toBool(false);
    r.plainLyrics = text(object, "plainLyrics");
    r.syncedLyrics = text(object, "syncedLyrics");
    return r;
}

QJsonObject jsonOf(const LrclibRecord& record)
{
    return QJsonObject {
        {QStringLiteral("id"), double(record.id)},
        {QStringLiteral("trackName"), record.trackName},
        {QStringLiteral("artistName"), record.artistName},
        {QStringLiteral("albumName"), record.albumName},
        {QStringLiteral("duration"), record.durationSeconds},
        {QStringLiteral("instrumental"), record.instrumental},
        {QStringLiteral("plainLyrics"), record.plainLyrics},
        {QStringLiteral("syncedLyrics"), record.syncedLyrics},
    };
}

std::optional<LrclibRecord> parseRecord(const QByteArray& body, QString* error)
{
    const QJsonDocument doc = parse(body, error);
    if (doc.isNull())
        return std::nullopt;
    std::optional<LrclibRecord> record = doc.isObject() ? recordOf(doc.object()) : std::nullopt;
    if (!record && error)
        *error = QStringLiteral("the server's answer holds no lyric record");
    return record;
}

std::optional<QList<LrclibRecord>> parseRecords(const QByteArray& body, QString* error)
{
    const QJsonDocument doc = parse(body, error);
    if (doc.isNull())
        return std::nullopt;
    if (!doc.isArray()) {
        if (error)
            *error = QStringLiteral("the server's answer is not a list of lyric records");
        return std::nullopt;
    }
    QList<LrclibRecord> records;
    for (const QJsonValue& v : doc.array()) {
        if (records.size() >= kMaxSearchResults)
            break;
        if (const auto r = v.isObject() ? recordOf(v.toObject()) : std::nullopt)
            records << *r;
    }
    return records;
}

QString durationText(double seconds)
{
    if (!(seconds > 0) || seconds > 1e7)
        return QStringLiteral("?");
    const qint64 whole = qint64(seconds + 0.5);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString serverMessage(const QByteArray& body)
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    return doc.isObject() ? text(doc.object(), "message").left(300) : QString();
}

} // namespace cantorel::online
