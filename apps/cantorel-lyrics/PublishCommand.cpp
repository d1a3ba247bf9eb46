// cantorel-lyrics publish: a song's timed lyric shared on a server, after
// showing exactly what is sent and asking (unless --yes).
#include "OnlineCommands.h"

#include "base/FileNames.h"
#include "engine/SoundSource.h"
#include "lyrics/LyricSource.h"
#include "online/LyricSharing.h"

#include <QEventLoop>
#include <QTextStream>

#include <cstdio>
#include <variant>

namespace cantorel::tool {

namespace {

void show(const online::SharePayload& p, const QString& server)
{
    QTextStream err(stderr);
    err << "This is sent to " << server << ":\n"
        << "title: " << p.song.title << "\n"
        << "artist: " << p.song.artist << "\n"
        << "album: " << p.song.album << "\n"
        << "duration: " << p.song.durationSeconds() << " s\n"
        << "lines: " << p.lineCount << " (the first: " << p.firstLines(3).join(QStringLiteral(" / ")) << ")\n"
        << "--- synced lyric ---\n"
        << p.syncedText << "\n"
        << "--- plain lyric ---\n"
        << p.plainText << "\n"
        << "---\n";
}

bool userAgrees()
{
    QTextStream(stderr) << "Share this lyric? [y/N] " << Qt::flush;
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, stdin))
        return false;
    return answer[0] == 'y' || answer[0] == 'Y';
}

// What there is to send for `media`; an exit status when there is nothing.
std::variant<online::SharePayload, int> payloadOf(const QString& media)
{
    if (!fileFacts(media).isFile) {
        QTextStream(stderr) << media << ": there is no such file\n";
        return kMediaError;
    }
    lyrics::FoundLyric found;
    const lyrics::TimedLyric lyric = lyrics::readLyric(media, &found);
    if (found.load.outcome == lyrics::LyricLoad::Outcome::Failed) {
        QTextStream(stderr) << found.errorText << '\n';
        return kLyricError;
    }
    if (lyric.lines.isEmpty()) {
        QTextStream(stderr) << media << ": the song has no timed lyric to share\n";
        return kLyricError;
    }
    const qint64 lengthMs = engine::exactLengthMs(media);
    if (lengthMs <= 0) {
        QTextStream(stderr) << media << ": the audio engine cannot open it\n";
        return kEngineError;
    }
    online::SharePayload payload = online::sharePayloadOf(online::signatureOfSong(media, lengthMs), lyric);
    if (const QString problem = payload.problem(); !problem.isEmpty()) {
        QTextStream(stderr) << media << ": it cannot be shared: " << problem << '\n';
        return kLyricError;
    }
    return payload;
}

} // namespace

int publishCommand(const QStringList& args)
{
    const CommandOptions o = optionsOf(args);
    if (!o.ok || o.replace || o.jobs != CommandOptions().jobs || o.rest.size() != 1)
        return kUsageError;
    const auto client = makeClient(o.server);
    if (!client)
        return kUsageError;
    const auto payload = payloadOf(o.rest[0]);
    if (const int* status = std::get_if<int>(&payload))
        return *status;
    const online::SharePayload& p = std::get<online::SharePayload>(payload);
    show(p, client->options().server.toString());
    if (!o.yes && !userAgrees()) {
        QTextStream(stderr) << "Nothing was sent.\n";
        return kDeclined;
    }
    online::LyricSharing sharing(*client);
    QEventLoop loop;
    bool published = false;
    int shownPercent = -10;
    QObject::connect(&sharing, &online::LyricSharing::solving, [&](int percent) {
        if (percent >= shownPercent + 10) {
            shownPercent = percent - percent % 10;
            QTextStream(stderr) << "solving the server's challenge: " << shownPercent << "%\n";
        }
    });
    QObject::connect(&sharing, &online::LyricSharing::finished, [&](bool ok, const QString& said) {
        published = ok;
        QTextStream(ok ? stdout : stderr) << (ok ? "published: " : "not published: ") << said << '\n';
        loop.quit();
    });
    sharing.start(p);
    loop.exec();
    return published ? 0 : kServerFailure;
}

} // namespace cantorel::tool
