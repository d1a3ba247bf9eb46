#pragma once
// The conversation with an LRCLIB server (https://lrclib.net, or one the
// user runs): each call sends one request and returns a ServerRequest that
// says, once, how it ended. Nothing here waits: the answers come through
// the event loop of the thread that made the client.
//
// Every request says who asks ("Lrclib-Client" and "User-Agent": the
// program's name, version and home page), and is bounded before anything
// reads its answer:
//   - in time: the whole request, from sending to the last byte, within
//     ClientOptions::timeoutMs (20 s unless the user set another);
//   - in size: a body over ClientOptions::maxBodyBytes (2 MiB) is refused,
//     by its announced length or as it arrives;
//   - in where it goes: redirects are followed (at most 5) only when they do
//     not go from HTTPS to plain HTTP.
//
// Threads: one, the one that made the client (the window thread in the
// player); a request's finished() comes on it.
#include "online/SongSignature.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QTimer;

namespace cantorel::online {

struct ClientOptions {
    QUrl server;                                   // e.g. https://lrclib.net (a path is kept as a prefix)
    int timeoutMs = 20000;                         // the whole request
    qint64 maxBodyBytes = qint64(2) * 1024 * 1024; // the answer's body
};

// How a request ended.
struct ServerAnswer {
    enum class Status {
        Ok,       // a 2xx answer; `body` holds it
        NotFound, // a 404 answer (the server knows no such song); `body` holds it
        Failed,   // no usable answer: `error` says why, for the user
    };
    Status status = Status::Failed;
    int httpStatus = 0; // 0 when no answer came
    QByteArray body;
    QString error;
};

// One request on its way. It deletes itself once finished() has been
// emitted; cancel() ends it without finished().
class ServerRequest : public QObject {
    Q_OBJECT
public:
    ServerRequest(QNetworkReply* reply, const ClientOptions& options, QObject* parent);
    ~ServerRequest() override;

    void cancel();

Q_SIGNALS:
    void finished(const cantorel::online::ServerAnswer& answer);

private:
    void takeBody();
    void fail(const QString& why);
    void end();

    QNetworkReply* m_reply;
    QTimer* m_deadline;
    qint64 m_maxBodyBytes;
    int m_timeoutMs;
    QByteArray m_body;
    QString m_failure; // set when this object ended the reply
    bool m_done = false;
};

class LrclibClient : public QObject {
    Q_OBJECT
public:
    explicit LrclibClient(ClientOptions options, QObject* parent = nullptr);
    ~LrclibClient() override;

    const ClientOptions& options() const { return m_options; }

    // GET /api/get with the song's title, artist, album and duration in
    // seconds.
    ServerRequest* get(const SongSignature& song);
    // GET /api/get/{id}.
    ServerRequest* getById(qint64 id);
    // GET /api/search with track_name (and artist_name when not "").
    ServerRequest* search(const QString& title, const QString& artist);
    // GET /api/search?q=: the words in any field.
    ServerRequest* searchText(const QString& text);
    // POST /api/request-challenge: {"prefix": ..., "target": ...}.
    ServerRequest* requestChallenge();
    // POST /api/publish with `json` and the solved challenge as
    // X-Publish-Token ("prefix:nonce").
    ServerRequest* publish(const QByteArray& json, const QString& token);

    // The request's URL: the server's, its path followed by `path`.
    QUrl urlOf(const QString& path, const QList<std::pair<QString, QString>>& query = {}) const;

private:
    QNetworkRequest request(const QUrl& url) const;
    ServerRequest* track(QNetworkReply* reply);

    ClientOptions m_options;
    QNetworkAccessManager* m_net;
};

// "Cantorel 13.1.10 (https://cantorel.org/)": who asks, in every request.
QByteArray clientIdentity();

// Whether a redirect from `from` to `to` may be followed: never from HTTPS
// to anything but HTTPS, never to a scheme other than HTTP or HTTPS.
bool redirectAllowed(const QUrl& from, const QUrl& to);

} // namespace cantorel::online
