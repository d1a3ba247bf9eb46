#include "support/FakeLrclibServer.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace cantorel::testing {

namespace {

constexpr qsizetype kMaxRequestBytes = 4 * 1024 * 1024;

QString formDecoded(QByteArray part)
{
    part.replace('+', ' ');
    return QUrl::fromPercentEncoding(part);
}

FakeAnswer json(int status, const QJsonDocument& doc)
{
    return {status, doc.toJson(QJsonDocument::Compact)};
}

FakeAnswer error(int status, const char* name, const char* message)
{
    return json(status, QJsonDocument(QJsonObject {{QStringLiteral("code"), status},
                                                   {QStringLiteral("name"), QLatin1String(name)},
                                                   {QStringLiteral("message"), QLatin1String(message)}}));
}

bool same(const QJsonObject& record, const char* key, const QString& value)
{
    return record.value(QLatin1String(key)).toString().compare(value, Qt::CaseInsensitive) == 0;
}

bool holds(const QJsonObject& record, const char* key, const QString& value)
{
    return record.value(QLatin1String(key)).toString().contains(value, Qt::CaseInsensitive);
}

// A whole request from the bytes so far, once they hold one.
std::optional<FakeRequest> parseRequest(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    FakeRequest r;
    r.method = first.value(0);
    const QByteArray target = first.value(1);
    const qsizetype question = target.indexOf('?');
    r.path = QUrl::fromPercentEncoding(target.left(question < 0 ? target.size() : question));
    if (question >= 0) {
        for (const QByteArray& item : target.mid(question + 1).split('&')) {
            const qsizetype eq = item.indexOf('=');
            if (eq > 0)
                r.query.insert(formDecoded(item.left(eq)), formDecoded(item.mid(eq + 1)));
        }
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            r.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = r.headers.value("content-length").toLongLong();
    if (bytes.size() < end + 4 + length)
        return std::nullopt;
    r.body = bytes.mid(end + 4, length);
    return r;
}

QByteArray responseOf(const FakeAnswer& a)
{
    const QByteArray body = a.bodyBytes >= 0 ? QByteArray(a.bodyBytes, 'x') : a.body;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + (a.status < 300 ? " OK" : " Error") + "\r\n";
    head += "Content-Type: application/json\r\nConnection: close\r\n";
    if (!a.location.isEmpty())
        head += "Location: " + a.location + "\r\n";
    if (a.announceLength)
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return head + "\r\n" + body;
}

} // namespace

QJsonObject lrclibRecord(const QString& title, const QString& artist, const QString& album, double durationSeconds,
                         const QString& synced, const QString& plain, bool instrumental)
{
    QJsonObject o {{QStringLiteral("trackName"), title},          {QStringLiteral("name"), title},
                   {QStringLiteral("artistName"), artist},        {QStringLiteral("albumName"), album},
                   {QStringLiteral("duration"), durationSeconds}, {QStringLiteral("instrumental"), instrumental}};
    o.insert(QStringLiteral("syncedLyrics"), synced.isNull() ? QJsonValue() : QJsonValue(synced));
    o.insert(QStringLiteral("plainLyrics"), plain.isNull() ? QJsonValue() : QJsonValue(plain));
    return o;
}

FakeLrclibServer::FakeLrclibServer(QObject* parent)
    : QObject(parent), m_server(new QTcpServer(this)),
      m_target("0FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF")
{
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection())
            serve(socket);
    });
}

FakeLrclibServer::~FakeLrclibServer() = default;

bool FakeLrclibServer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QString FakeLrclibServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
}

qint64 FakeLrclibServer::add(QJsonObject record)
{
    const QMutexLocker lock(&m_mutex);
    if (!record.contains(QLatin1String("id")))
        record.insert(QStringLiteral("id"), double(m_nextId++));
    m_records << record;
    return qint64(record.value(QLatin1String("id")).toDouble());
}

void FakeLrclibServer::answerFirst(std::function<std::optional<FakeAnswer>(const FakeRequest&)> answer)
{
    const QMutexLocker lock(&m_mutex);
    m_first << std::move(answer);
}

void FakeLrclibServer::setLatencyMs(int ms)
{
    const QMutexLocker lock(&m_mutex);
    m_latencyMs = ms;
}

void FakeLrclibServer::setTarget(const QByteArray& hexTarget)
{
    const QMutexLocker lock(&m_mutex);
    m_target = hexTarget;
}

QList<FakeRequest> FakeLrclibServer::requests() const
{
    const QMutexLocker lock(&m_mutex);
    return m_requests;
}

int FakeLrclibServer::requestCount(const QString& path) const
{
    const QMutexLocker lock(&m_mutex);
    return int(
        std::count_if(m_requests.cbegin(), m_requests.cend(), [&](const FakeRequest& r) { return r.path == path; }));
}

int FakeLrclibServer::mostAtOnce() const
{
    const QMutexLocker lock(&m_mutex);
    return m_mostAtOnce;
}

QList<QJsonObject> FakeLrclibServer::published() const
{
    const QMutexLocker lock(&m_mutex);
    return m_published;
}

void FakeLrclibServer::serve(QTcpSocket* socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_buffers.remove(socket); });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        QByteArray& bytes = m_buffers[socket];
        bytes += socket->readAll();
        const std::optional<FakeRequest> request = parseRequest(bytes);
        if (!request) {
            if (bytes.size() > kMaxRequestBytes)
                socket->abort();
            return;
        }
        bytes.clear();
        const FakeAnswer answer = answerTo(*request);
        if (answer.never)
            return;
        int latency = 0;
        {
            const QMutexLocker lock(&m_mutex);
            latency = m_latencyMs;
            m_mostAtOnce = qMax(m_mostAtOnce, ++m_inFlight);
        }
        QTimer::singleShot(latency + answer.delayMs, socket, [this, socket, answer] {
            {
                const QMutexLocker lock(&m_mutex);
                --m_inFlight;
            }
            socket->write(responseOf(answer));
            socket->disconnectFromHost();
        });
    });
}

FakeAnswer FakeLrclibServer::answerTo(const FakeRequest& request)
{
    QList<std::function<std::optional<FakeAnswer>(const FakeRequest&)>> first;
    {
        const QMutexLocker lock(&m_mutex);
        m_requests << request;
        first = m_first;
    }
    for (const auto& answer : first) {
        if (const std::optional<FakeAnswer> a = answer(request))
            return *a;
    }
    if (request.path == QLatin1String("/api/publish"))
        return publishAnswer(request);
    return catalogueAnswer(request);
}

FakeAnswer FakeLrclibServer::catalogueAnswer(const FakeRequest& r)
{
    const QMutexLocker lock(&m_mutex);
    if (r.path == QLatin1String("/api/get") || r.path == QLatin1String("/api/get-cached")) {
        const QString title = r.query.value(QStringLiteral("track_name"));
        const QString artist = r.query.value(QStringLiteral("artist_name"));
        if (title.isEmpty() || artist.isEmpty() || !r.query.contains(QStringLiteral("duration")))
            return error(400, "ValidationError", "track_name, artist_name and duration are required");
        const double duration = r.query.value(QStringLiteral("duration")).toDouble();
        for (const QJsonObject& o : std::as_const(m_records)) {
            if (same(o, "trackName", title) && same(o, "artistName", artist)
                && same(o, "albumName", r.query.value(QStringLiteral("album_name")))
                && std::abs(o.value(QLatin1String("duration")).toDouble() - duration) <= 2)
                return json(200, QJsonDocument(o));
        }
        return error(404, "TrackNotFound", "Failed to find specified track");
    }
    if (r.path.startsWith(QLatin1String("/api/get/"))) {
        const qint64 id = r.path.mid(9).toLongLong();
        for (const QJsonObject& o : std::as_const(m_records)) {
            if (qint64(o.value(QLatin1String("id")).toDouble()) == id)
                return json(200, QJsonDocument(o));
        }
        return error(404, "TrackNotFound", "Failed to find specified track");
    }
    if (r.path == QLatin1String("/api/search")) {
        const QString q = r.query.value(QStringLiteral("q"));
        const QString title = r.query.value(QStringLiteral("track_name"));
        const QString artist = r.query.value(QStringLiteral("artist_name"));
        if (q.isEmpty() && title.isEmpty())
            return error(400, "ValidationError", "q or track_name is required");
        QJsonArray found;
        for (const QJsonObject& o : std::as_const(m_records)) {
            const bool hit = q.isEmpty()
                                 ? holds(o, "trackName", title) && holds(o, "artistName", artist)
                                 : holds(o, "trackName", q) || holds(o, "artistName", q) || holds(o, "albumName", q);
            if (hit && found.size() < 20)
                found << o;
        }
        return json(200, QJsonDocument(found));
    }
    if (r.path == QLatin1String("/api/request-challenge") && r.method == "POST") {
        QString prefix;
        for (int i = 0; i < 32; ++i)
            prefix += QLatin1Char("abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)]);
        m_challenges.insert(prefix, m_target);
        return json(200, QJsonDocument(QJsonObject {{QStringLiteral("prefix"), prefix},
                                                    {QStringLiteral("target"), QString::fromLatin1(m_target)}}));
    }
    return error(404, "NotFound", "No such route");
}

FakeAnswer FakeLrclibServer::publishAnswer(const FakeRequest& r)
{
    const QMutexLocker lock(&m_mutex);
    const QList<QByteArray> token = r.headers.value("x-publish-token").split(':');
    const QString prefix = QString::fromUtf8(token.value(0));
    const auto target = m_challenges.constFind(prefix);
    bool valid = token.size() == 2 && target != m_challenges.cend();
    if (valid) {
        // The server's own rule: SHA-256(prefix + nonce), big-endian, at most the target.
        const QByteArray hash = QCryptographicHash::hash(token[0] + token[1], QCryptographicHash::Sha256);
        valid = hash <= QByteArray::fromHex(*target);
    }
    if (!valid)
        return error(400, "IncorrectPublishTokenError", "The provided publish token is incorrect");
    m_challenges.remove(prefix);
    m_published << QJsonDocument::fromJson(r.body).object();
    return {201, QByteArray()};
}

} // namespace cantorel::testing
