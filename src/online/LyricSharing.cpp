#include "online/LyricSharing.h"

#include "lyrics/LrcWriter.h"
#include "online/LrclibRecord.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace cantorel::online {

QStringList SharePayload::firstLines(int count) const
{
    return plainText.split(QLatin1Char('\n')).mid(0, count);
}

QString SharePayload::problem() const
{
    if (song.title.isEmpty())
        return QStringLiteral("the song has no title");
    if (song.artist.isEmpty())
        return QStringLiteral("the song has no artist");
    if (song.durationSeconds() <= 0)
        return QStringLiteral("the song's length is not known");
    if (lineCount == 0)
        return QStringLiteral("the lyric has no line");
    return QString();
}

QByteArray SharePayload::json() const
{
    const QJsonObject o {
        {QStringLiteral("trackName"), song.title},  {QStringLiteral("artistName"), song.artist},
        {QStringLiteral("albumName"), song.album},  {QStringLiteral("duration"), song.durationSeconds()},
        {QStringLiteral("plainLyrics"), plainText}, {QStringLiteral("syncedLyrics"), syncedText},
    };
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

SharePayload sharePayloadOf(const SongSignature& song, const lyrics::TimedLyric& lyric)
{
    SharePayload p;
    p.song = song;
    lyrics::TimedLyric own = lyric;
    own.translated = false;
    QStringList texts;
    for (lyrics::TimedLine& line : own.lines) {
        // Servers file lines, not words: the synced text is plain LRC.
        line.translation.clear();
        line.words = {};
        texts << line.text;
    }
    p.lineCount = int(own.lines.size());
    p.syncedText = lyrics::lrcText(own).replace(QLatin1String("\r\n"), QLatin1String("\n")).trimmed();
    p.plainText = texts.join(QLatin1Char('\n'));
    return p;
}

LyricSharing::LyricSharing(LrclibClient& client, QObject* parent)
    : QObject(parent), m_client(client), m_solver(new ChallengeSolver(this))
{
    connect(m_solver, &ChallengeSolver::progress, this, &LyricSharing::solving);
    connect(m_solver, &ChallengeSolver::solved, this, &LyricSharing::solved);
    connect(m_solver, &ChallengeSolver::failed, this, [this](const QString& why) { end(false, why); });
}

void LyricSharing::start(const SharePayload& payload)
{
    cancel();
    m_payload = payload;
    m_running = true;
    Q_EMIT stageChanged(Stage::AskingChallenge);
    m_request = m_client.requestChallenge();
    connect(m_request, &ServerRequest::finished, this, &LyricSharing::challengeAnswered);
}

void LyricSharing::cancel()
{
    m_running = false;
    if (m_request)
        m_request->cancel();
    m_solver->cancel();
}

void LyricSharing::challengeAnswered(const ServerAnswer& answer)
{
    if (answer.status != ServerAnswer::Status::Ok) {
        end(false, answer.error.isEmpty() ? QStringLiteral("the server gave no challenge") : answer.error);
        return;
    }
    QString error;
    const auto challenge = parseChallenge(answer.body, &error);
    if (!challenge) {
        end(false, error);
        return;
    }
    Q_EMIT stageChanged(Stage::Solving);
    m_solver->start(*challenge);
}

void LyricSharing::solved(const QString& token)
{
    if (!m_running)
        return;
    Q_EMIT stageChanged(Stage::Publishing);
    m_request = m_client.publish(m_payload.json(), token);
    connect(m_request, &ServerRequest::finished, this, &LyricSharing::publishAnswered);
}

void LyricSharing::publishAnswered(const ServerAnswer& answer)
{
    if (answer.status != ServerAnswer::Status::Ok) {
        end(false, answer.error.isEmpty() ? QStringLiteral("the server did not take the lyric") : answer.error);
        return;
    }
    const QString said = serverMessage(answer.body);
    end(true, said.isEmpty() ? QStringLiteral("the server took the lyric (%1)").arg(answer.httpStatus) : said);
}

void LyricSharing::end(bool published, const QString& said)
{
    if (!m_running)
        return;
    m_running = false;
    Q_EMIT finished(published, said);
}

} // namespace cantorel::online
