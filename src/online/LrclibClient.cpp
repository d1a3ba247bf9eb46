#include "online/LrclibClient.h"

#include "online/LrclibRecord.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#ifndef CANTOREL_VERSION
#define CANTOREL_VERSION "0"
#endif

namespace cantorel::online {

namespace {

constexpr int kMaxRedirects = 5;

QString sizeText(qint64 bytes)
{
    constexpr qint64 kMiB = qint64(1024) * 1024;
    return bytes % kMiB == 0 ? QStringLiteral("%1 MiB").arg(bytes / kMiB) : QStringLiteral("%1 bytes").arg(bytes);
}

QString secondsText(int ms)
{
    return ms % 1000 == 0 ? QStringLiteral("%1 s").arg(ms / 1000) : QStringLiteral("%1 ms").arg(ms);
}

// What a finished reply that this side did not end came to.
ServerAnswer answerOf(QNetworkReply* reply, QByteArray body)
{
    ServerAnswer a;
    a.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    a.body = std::move(body);
    if (a.httpStatus >= 200 && a.httpStatus < 300) {
        a.status = ServerAnswer::Status::Ok;
    } else if (a.httpStatus == 404) {
        a.status = ServerAnswer::Status::NotFound;
    } else if (a.httpStatus > 0) {
        const QString said = serverMessage(a.body);
        a.error = QStringLiteral("the server answered %1 %2")
                      .arg(a.httpStatus)
                      .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                      .trimmed();
        if (!said.isEmpty())
            a.error += QStringLiteral(": ") + said;
    } else {
        a.error = reply->errorString();
    }
    return a;
}

} // namespace

QByteArray clientIdentity()
{
    return QByteArrayLiteral("Cantorel " CANTOREL_VERSION " (https://cantorel.org/)");
}

bool redirectAllowed(const QUrl& from, const QUrl& to)
{
    const QString scheme = to.scheme().toLower();
    if (scheme != QLatin1String("https") && scheme != QLatin1String("http"))
        return false;
    return from.scheme().toLower() != QLatin1String("https") || scheme == QLatin1String("https");
}

// ---------------------------------------------------------------- one request

ServerRequest::ServerRequest(QNetworkReply* reply, const ClientOptions& options, QObject* parent)
    : QObject(parent), m_reply(reply), m_deadline(new QTimer(this)), m_maxBodyBytes(options.maxBodyBytes),
      m_timeoutMs(options.timeoutMs)
{
    m_reply->setParent(this);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("the server did not answer within %1").arg(secondsText(m_timeoutMs))); });
    m_deadline->start(qMax(1, m_timeoutMs));
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBodyBytes)
            fail(QStringLiteral("the server's answer is larger than %1").arg(sizeText(m_maxBodyBytes)));
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &ServerRequest::takeBody);
    connect(m_reply, &QNetworkReply::redirected, this, [this](const QUrl& to) {
        if (redirectAllowed(m_reply->url(), to))
            Q_EMIT m_reply->redirectAllowed();
        else
            fail(QStringLiteral("the server sent the request on to %1, which is not allowed").arg(to.toString()));
    });
    connect(m_reply, &QNetworkReply::finished, this, &ServerRequest::end);
}

ServerRequest::~ServerRequest()
{
    m_done = true;
    m_reply->disconnect(this);
    m_reply->abort();
}

void ServerRequest::takeBody()
{
    if (m_done || !m_failure.isEmpty())
        return;
    m_body += m_reply->read(m_maxBodyBytes + 1 - m_body.size());
    if (m_body.size() > m_maxBodyBytes)
        fail(QStringLiteral("the server's answer is larger than %1").arg(sizeText(m_maxBodyBytes)));
}

void ServerRequest::fail(const QString& why)
{
    if (m_done || !m_failure.isEmpty())
        return;
    m_failure = why;
    m_reply->abort(); // finished() follows, at once
    if (!m_done)
        end();
}

void ServerRequest::end()
{
    if (m_done)
        return;
    m_done = true;
    m_deadline->stop();
    ServerAnswer answer;
    if (m_failure.isEmpty()) {
        m_body += m_reply->read(m_maxBodyBytes + 1 - m_body.size());
        if (m_body.size() > m_maxBodyBytes)
            m_failure = QStringLiteral("the server's answer is larger than %1").arg(sizeText(m_maxBodyBytes));
    }
    if (m_failure.isEmpty())
        answer = answerOf(m_reply, std::move(m_body));
    else
        answer.error = m_failure;
    deleteLater();
    Q_EMIT finished(answer);
}

void ServerRequest::cancel()
{
    m_done = true;
    m_deadline->stop();
    m_reply->disconnect(this);
    m_reply->abort();
    deleteLater();
}

// ---------------------------------------------------------------- the client

LrclibClient::LrclibClient(ClientOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_net(new QNetworkAccessManager(this))
{
    // No cookies, no cache: every answer is the server's own, now.
    m_net->setCookieJar(nullptr);
}

LrclibClient::~LrclibClient()
{
    // Requests still on their way end before the manager their replies
    // belong to.
    qDeleteAll(findChildren<ServerRequest*>(Qt::FindDirectChildrenOnly));
}

QUrl LrclibClient::urlOf(const QString& path, const QList<std::pair<QString, QString>>& query) const
{
    QUrl url = m_options.server;
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + path);
    QStringList items;
    for (const auto& [name, value] : query)
        items << name + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(value));
    url.setQuery(items.isEmpty() ? QString() : items.join(QLatin1Char('&')), QUrl::StrictMode);
    url.setFragment(QString());
    return url;
}

QNetworkRequest LrclibClient::request(const QUrl& url) const
{
    QNetworkRequest r(url);
    r.setHeader(QNetworkRequest::UserAgentHeader, clientIdentity());
    r.setRawHeader("Lrclib-Client", clientIdentity());
    r.setRawHeader("Accept", "application/json");
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    r.setMaximumRedirectsAllowed(kMaxRedirects);
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return r;
}

ServerRequest* LrclibClient::track(QNetworkReply* reply)
{
    return new ServerRequest(reply, m_options, this);
}

ServerRequest* LrclibClient::get(const SongSignature& song)
{
    return track(m_net->get(request(
        urlOf(QStringLiteral("/api/get"), {{QStringLiteral("track_name"), song.title},
                                           {QStringLiteral("artist_name"), song.artist},
                                           {QStringLiteral("album_name"), song.album},
                                           {QStringLiteral("duration"), QString::number(song.durationSeconds())}}))));
}

ServerRequest* LrclibClient::getById(qint64 id)
{
    return track(m_net->get(request(urlOf(QStringLiteral("/api/get/%1").arg(id)))));
}

ServerRequest* LrclibClient::search(const QString& title, const QString& artist)
{
    QList<std::pair<QString, QString>> query {{QStringLiteral("track_name"), title}};
    if (!artist.isEmpty())
        query.append({QStringLiteral("artist_name"), artist});
    return track(m_net->get(request(urlOf(QStringLiteral("/api/search"), query))));
}

ServerRequest* LrclibClient::searchText(const QString& text)
{
    return track(m_net->get(request(urlOf(QStringLiteral("/api/search"), {{QStringLiteral("q"), text}}))));
}

ServerRequest* LrclibClient::requestChallenge()
{
    return track(m_net->post(request(urlOf(QStringLiteral("/api/request-challenge"))), QByteArray()));
}

ServerRequest* LrclibClient::publish(const QByteArray& json, const QString& token)
{
    QNetworkRequest r = request(urlOf(QStringLiteral("/api/publish")));
    r.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    r.setRawHeader("X-Publish-Token", token.toUtf8());
    return track(m_net->post(r, json));
}

} // namespace cantorel::online
