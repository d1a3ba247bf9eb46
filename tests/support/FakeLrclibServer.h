#pragma once
// A local stand-in for an LRCLIB server, for tests and benchmarks: a small
// HTTP/1.1 server on 127.0.0.1 that answers as the real one documents it
// (/api/get, /api/get-cached, /api/get/{id}, /api/search,
// /api/request-challenge, /api/publish with its proof of work), from a
// catalogue of records the test fills. A test can put any answer in front
// (a 500, malformed JSON, an endless body, no answer at all) and read every
// request that came.
//
// The server lives on the thread it was made on (or moved to before
// listen()); the catalogue, the answers and the record of requests may be
// used from any thread.
#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <functional>
#include <optional>

namespace cantorel::testing {

struct FakeRequest {
    QByteArray method;
    QString path;                          // "/api/get"
    QHash<QString, QString> query;         // decoded as a form ("+" is a blank)
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
};

struct FakeAnswer {
    int status = 200;
    QByteArray body;
    bool never = false;         // the request gets no answer at all
    int delayMs = 0;            // the answer comes this late
    qint64 bodyBytes = -1;      // an answer body of this many bytes of "x" instead
    bool announceLength = true; // Content-Length, else the body ends with the connection
    QByteArray location = {};   // a Location header (a redirect)
};

class FakeLrclibServer : public QObject {
    Q_OBJECT
public:
    explicit FakeLrclibServer(QObject* parent = nullptr);
    ~FakeLrclibServer() override;

    // Listens on a free port of 127.0.0.1; on this object's thread.
    bool listen();
    QString url() const; // "http://127.0.0.1:<port>"

    // A record the server knows ({"trackName": ..., "syncedLyrics": ...});
    // its id is given when it has none. Returns the id.
    qint64 add(QJsonObject record);
    // Answers ahead of the catalogue: the first that returns an answer wins.
    void answerFirst(std::function<std::optional<FakeAnswer>(const FakeRequest&)> answer);
    // Every answer comes this late (the benchmark's latency).
    void setLatencyMs(int ms);
    // The target challenges carry (64 hex digits); an easy one by default.
    void setTarget(const QByteArray& hexTarget);

    QList<FakeRequest> requests() const;
    int requestCount(const QString& path) const;
    // The most requests that waited for their answers at once.
    int mostAtOnce() const;
    // The bodies /api/publish took (a valid token).
    QList<QJsonObject> published() const;

private:
    void serve(class QTcpSocket* socket);
    FakeAnswer answerTo(const FakeRequest& request);
    FakeAnswer catalogueAnswer(const FakeRequest& request);
    FakeAnswer publishAnswer(const FakeRequest& request);

    QTcpServer* m_server;
    QHash<class QTcpSocket*, QByteArray> m_buffers; // what each connection sent so far
    mutable QMutex m_mutex;
    QList<QJsonObject> m_records;
    QList<std::function<std::optional<FakeAnswer>(const FakeRequest&)>> m_first;
    QList<FakeRequest> m_requests;
    QList<QJsonObject> m_published;
    QHash<QString, QByteArray> m_challenges; // prefix -> target
    QByteArray m_target;
    qint64 m_nextId = 1;
    int m_inFlight = 0;
    int m_mostAtOnce = 0;
    int m_latencyMs = 0;
};

// A record in the server's own shape.
QJsonObject lrclibRecord(const QString& title, const QString& artist, const QString& album, double durationSeconds,
                         const QString& synced, const QString& plain = QString(), bool instrumental = false);

} // namespace cantorel::testing
