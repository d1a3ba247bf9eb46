#include "online/AnswerCache.h"

#include "base/ProgramDirectory.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QUuid>

#include <cstdio>

namespace cantorel::online {

namespace {

// A record's lyric may be up to the 2 MiB a server may send, and a little
// around it.
constexpr qint64 kMaxFileBytes = 2 * 1024 * 1024 + 64 * 1024;

QByteArray keyOf(const QString& server, const SongSignature& song)
{
    const QString key = QStringList {server.trimmed().toLower(), song.title.toLower(), song.artist.toLower(),
                                     song.album.toLower(), QString::number(song.durationSeconds())}
                            .join(QChar(0x1f));
    return QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex();
}

} // namespace

QString AnswerCache::defaultFolder()
{
    return cacheDirectory() + QStringLiteral("/lrclib");
}

AnswerCache::AnswerCache(QString folder, Clock now) : m_folder(std::move(folder)), m_now(std::move(now))
{
    if (!m_now)
        m_now = [] { return QDateTime::currentDateTimeUtc(); };
}

QString AnswerCache::fileOf(const QString& server, const SongSignature& song) const
{
    return m_folder + QLatin1Char('/') + QString::fromLatin1(keyOf(server, song)) + QStringLiteral(".json");
}

std::optional<CachedAnswer> AnswerCache::answer(const QString& server, const SongSignature& song) const
{
    QFile file(fileOf(server, song));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(kMaxFileBytes));
    const QJsonObject o = doc.object();
    const QDateTime saved = QDateTime::fromString(o.value(QLatin1String("savedAt")).toString(), Qt::ISODate);
    const QJsonValue found = o.value(QLatin1String("found"));
    if (!saved.isValid() || !found.isBool())
        return std::nullopt;
    const QDateTime now = m_now();
    const int days = found.toBool() ? kFoundDays : kNotFoundDays;
    if (saved > now || saved.addDays(days) <= now)
        return std::nullopt;
    CachedAnswer a;
    a.found = found.toBool();
    if (a.found) {
        const auto record = recordOf(o.value(QLatin1String("record")).toObject());
        if (!record)
            return std::nullopt;
        a.record = *record;
    }
    return a;
}

bool AnswerCache::keep(const QString& server, const SongSignature& song, const QJsonObject& answer) const
{
    if (!QDir().mkpath(m_folder))
        return false;
    QJsonObject o = answer;
    o.insert(QStringLiteral("savedAt"), m_now().toUTC().toString(Qt::ISODate));
    // Written beside its place, then renamed over it: a reader sees the old
    // answer or the new one. A cache needs no flush to the disk.
    const QString path = fileOf(server, song);
    const QString staged = path + QStringLiteral(".") + QUuid::createUuid().toString(QUuid::Id128);
    QFile file(staged);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const QByteArray bytes = QJsonDocument(o).toJson(QJsonDocument::Compact);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (written && std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    QFile::remove(staged);
    return false;
}

bool AnswerCache::keepFound(const QString& server, const SongSignature& song, const LrclibRecord& record) const
{
    return keep(server, song, {{QStringLiteral("found"), true}, {QStringLiteral("record"), jsonOf(record)}});
}

bool AnswerCache::keepNotFound(const QString& server, const SongSignature& song) const
{
    return keep(server, song, {{QStringLiteral("found"), false}});
}

} // namespace cantorel::online
