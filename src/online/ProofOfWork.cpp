#include "online/ProofOfWork.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>
#include <QMutex>
#include <QRegularExpression>
#include <QThread>

#include <cmath>
#include <cstring>

namespace cantorel::online {

std::optional<Challenge> parseChallenge(const QByteArray& body, QString* error)
{
    const QJsonObject o = QJsonDocument::fromJson(body).object();
    const QString prefix = o.value(QLatin1String("prefix")).toString();
    const QString target = o.value(QLatin1String("target")).toString();
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    if (prefix.isEmpty() || prefix.size() > 256 || !hex.match(target).hasMatch()) {
        if (error)
            *error = QStringLiteral("the server's challenge is not one this program understands");
        return std::nullopt;
    }
    return Challenge {prefix, QByteArray::fromHex(target.toLatin1())};
}

namespace {

bool hashMeets(const QByteArray& hash, const QByteArray& target)
{
    // Big-endian comparison of two 32-byte numbers.
    return hash.size() == target.size() && std::memcmp(hash.constData(), target.constData(), size_t(hash.size())) <= 0;
}

} // namespace

bool meetsTarget(const Challenge& challenge, quint64 nonce)
{
    const QByteArray input = challenge.prefix.toUtf8() + QByteArray::number(nonce);
    return hashMeets(QCryptographicHash::hash(input, QCryptographicHash::Sha256), challenge.target);
}

quint64 expectedTries(const QByteArray& target)
{
    // target / 2^256 is the chance of one try: read the leading bytes as a
    // fraction, which is precise enough for a progress bar.
    double fraction = 0;
    double scale = 1.0 / 256;
    for (int i = 0; i < target.size() && i < 16; ++i) {
        fraction += double(quint8(target[i])) * scale;
        scale /= 256;
    }
    if (fraction <= 0)
        return quint64(1) << 62;
    const double tries = 1.0 / fraction;
    return tries >= double(quint64(1) << 62) ? quint64(1) << 62 : qMax<quint64>(1, quint64(std::ceil(tries)));
}

std::optional<quint64> solveChallenge(const Challenge& challenge, const std::atomic<bool>& cancel, quint64 maxTries,
                                      const std::function<void(quint64)>& tried)
{
    const QByteArray prefix = challenge.prefix.toUtf8();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (quint64 nonce = 0; nonce < maxTries; ++nonce) {
        if ((nonce & 0xffff) == 0 && nonce > 0) {
            if (cancel)
                return std::nullopt;
            if (tried)
                tried(nonce);
        }
        hash.reset();
        hash.addData(prefix);
        hash.addData(QByteArray::number(nonce));
        if (hashMeets(hash.result(), challenge.target))
            return nonce;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- the solver

struct ChallengeSolver::Shared {
    QMutex mutex;
    ChallengeSolver* receiver = nullptr; // null once the solver is gone or cancelled
    std::atomic<bool> cancel {false};
};

ChallengeSolver::ChallengeSolver(QObject* parent) : QObject(parent)
{}

ChallengeSolver::~ChallengeSolver()
{
    cancel();
}

void ChallengeSolver::cancel()
{
    if (!m_shared)
        return;
    const QMutexLocker lock(&m_shared->mutex);
    m_shared->cancel = true;
    m_shared->receiver = nullptr;
    m_shared.reset();
}

void ChallengeSolver::start(const Challenge& challenge)
{
    cancel();
    auto shared = std::make_shared<Shared>();
    shared->receiver = this;
    m_shared = shared;
    // Tells the solver on its own thread, unless it has gone or cancelled
    // by then.
    auto tell = [shared](std::function<void(ChallengeSolver*)> call) {
        const QMutexLocker lock(&shared->mutex);
        if (!shared->receiver || shared->cancel)
            return;
        QMetaObject::invokeMethod(
            shared->receiver,
            [shared, call] {
                if (shared->receiver && !shared->cancel)
                    call(shared->receiver);
            },
            Qt::QueuedConnection);
    };
    QThread* thread = QThread::create([challenge, shared, tell] {
        const quint64 expected = expectedTries(challenge.target);
        const quint64 limit = expected > (quint64(1) << 56) ? quint64(1) << 62 : expected * 64;
        const auto nonce = solveChallenge(challenge, shared->cancel, limit, [&](quint64 tried) {
            const int percent = int(qMin<double>(999, 100.0 * double(tried) / double(expected)));
            tell([percent](ChallengeSolver* s) { Q_EMIT s->progress(percent); });
        });
        if (nonce) {
            const QString token = challenge.prefix + QLatin1Char(':') + QString::number(*nonce);
            tell([token](ChallengeSolver* s) { Q_EMIT s->solved(token); });
        } else {
            tell([](ChallengeSolver* s) {
                Q_EMIT s->failed(QStringLiteral("no answer to the server's challenge was found"));
            });
        }
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

} // namespace cantorel::online
