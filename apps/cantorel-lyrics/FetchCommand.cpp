// cantorel-lyrics fetch and search: lyrics from a server for songs and
// folders of songs, and a server's search results.
#include "OnlineCommands.h"

#include "base/AppSettings.h"
#include "base/FileNames.h"
#include "online/AnswerCache.h"
#include "online/BatchFetcher.h"
#include "online/OnlineSettings.h"
#include "playlist/FolderScan.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>

namespace cantorel::tool {

CommandOptions optionsOf(const QStringList& args)
{
    CommandOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--server") && i + 1 < args.size()) {
            o.server = args[++i];
        } else if (a == QLatin1String("--jobs") && i + 1 < args.size()) {
            o.jobs = args[++i].toInt(&o.ok);
            o.ok = o.ok && o.jobs >= 1 && o.jobs <= 16;
        } else if (a == QLatin1String("--replace")) {
            o.replace = true;
        } else if (a == QLatin1String("--yes")) {
            o.yes = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            o.ok = false;
        } else {
            o.rest << a;
        }
    }
    return o;
}

namespace {

QStringList songsIn(const QStringList& named)
{
    QStringList songs;
    for (const QString& path : named) {
        if (fileFacts(path).isDir) {
            for (const QString& found : FolderScan::walk(path).paths) {
                if (fileFacts(found).isFile)
                    songs << found;
            }
        } else {
            songs << path; // reported when it is not there
        }
    }
    return songs;
}

QString lineOf(const online::SongReport& r)
{
    using Kind = online::SongReport::Kind;
    switch (r.kind) {
    case Kind::FoundSynced:
        return QStringLiteral("found synced: %1 -> %2").arg(r.mediaPath, r.detail);
    case Kind::FoundPlain:
        return QStringLiteral("found plain: %1 -> %2").arg(r.mediaPath, r.detail);
    case Kind::Instrumental:
        return QStringLiteral("instrumental: %1").arg(r.mediaPath);
    case Kind::NotFound:
        return QStringLiteral("not found: %1").arg(r.mediaPath);
    case Kind::HasLyric:
        return QStringLiteral("has a lyric: %1 (%2)").arg(r.mediaPath, r.detail);
    case Kind::Failed:
        break;
    }
    return QStringLiteral("failed: %1: %2").arg(r.mediaPath, r.detail);
}

QString summaryOf(const online::BatchCounts& c)
{
    return QStringLiteral("%1 songs: %2 found synced, %3 found plain, %4 instrumental, %5 not found, %6 had a "
                          "lyric, %7 failed")
        .arg(c.total)
        .arg(c.synced)
        .arg(c.plain)
        .arg(c.instrumental)
        .arg(c.notFound)
        .arg(c.hasLyric)
        .arg(c.failed);
}

} // namespace

std::unique_ptr<online::LrclibClient> makeClient(const QString& commandLineServer)
{
    const AppSettings settings;
    if (!settings.problem().isEmpty())
        QTextStream(stderr) << settings.problem() << '\n';
    const online::ServerChoice server = online::chosenServer(settings, commandLineServer);
    if (!server.problem.isEmpty()) {
        QTextStream(stderr) << server.problem << '\n';
        return nullptr;
    }
    return std::make_unique<online::LrclibClient>(
        online::ClientOptions {server.url, online::requestTimeoutMs(settings)});
}

bool isOnlineCommand(const QString& command)
{
    return command == QLatin1String("fetch") || command == QLatin1String("search")
           || command == QLatin1String("publish");
}

int runOnlineCommand(QStringList args)
{
    const QString command = args.takeFirst();
    if (command == QLatin1String("fetch"))
        return fetchCommand(args);
    if (command == QLatin1String("search"))
        return searchCommand(args);
    return publishCommand(args);
}

int fetchCommand(const QStringList& args)
{
    const CommandOptions o = optionsOf(args);
    if (!o.ok || o.yes || o.rest.isEmpty())
        return kUsageError;
    const auto client = makeClient(o.server);
    if (!client)
        return kUsageError;
    const online::AnswerCache cache;
    online::LyricLookup lookup(*client, &cache);
    online::BatchFetcher fetcher(lookup, {o.replace, o.jobs});
    bool networkFailed = false;
    bool fileFailed = false;
    QTextStream out(stdout);
    QObject::connect(&fetcher, &online::BatchFetcher::songDone, [&](const online::SongReport& r) {
        out << lineOf(r) << Qt::endl;
        if (r.kind == online::SongReport::Kind::Failed)
            (r.networkFailure ? networkFailed : fileFailed) = true;
    });
    QEventLoop loop;
    online::BatchCounts counts;
    QObject::connect(&fetcher, &online::BatchFetcher::finished, [&](const online::BatchCounts& c, bool) {
        counts = c;
        loop.quit();
    });
    fetcher.start(songsIn(o.rest));
    loop.exec();
    QTextStream(stderr) << summaryOf(counts) << '\n';
    if (networkFailed)
        return kServerFailure;
    if (fileFailed)
        return kLyricError;
    return counts.notFound > 0 ? kSomeNotFound : 0;
}

int searchCommand(const QStringList& args)
{
    const CommandOptions o = optionsOf(args);
    if (!o.ok || o.yes || o.replace || o.rest.size() != 1 || o.rest[0].trimmed().isEmpty())
        return kUsageError;
    const auto client = makeClient(o.server);
    if (!client)
        return kUsageError;
    QEventLoop loop;
    online::ServerAnswer answer;
    QObject::connect(client->searchText(o.rest[0]), &online::ServerRequest::finished,
                     [&](const online::ServerAnswer& a) {
                         answer = a;
                         loop.quit();
                     });
    loop.exec();
    QString error = answer.error;
    const auto records =
        answer.status == online::ServerAnswer::Status::Failed
            ? std::nullopt
            : online::parseRecords(answer.status == online::ServerAnswer::Status::Ok ? answer.body : "[]", &error);
    if (!records) {
        QTextStream(stderr) << "search failed: " << error << '\n';
        return kServerFailure;
    }
    QTextStream out(stdout);
    for (const online::LrclibRecord& r : *records) {
        out << r.id << '\t' << online::durationText(r.durationSeconds) << '\t' << online::kindName(online::kindOf(r))
            << '\t' << online::cleanSignatureField(r.artistName) << " - " << online::cleanSignatureField(r.trackName)
            << " (" << online::cleanSignatureField(r.albumName) << ")\n";
    }
    return records->isEmpty() ? kSomeNotFound : 0;
}

} // namespace cantorel::tool
