// The fetch benchmark's helper: the playlist's "Fetch missing lyrics" over a
// folder of tagged songs, against the local stand-in LRCLIB server, offscreen:
//
//   cantorel-bench-fetch SONG DIR COUNT LATENCY_MS
//       makes COUNT copies of the song SONG in DIR (once), tagged "Song <n>"
//       by "Bench"; starts the stand-in server on a thread of its own, every
//       answer LATENCY_MS late, knowing a synced lyric for four songs in five
//       and a plain one for half the rest; runs the batch window over the
//       songs (four look-ups at a time) while a 2 ms timer on the window
//       thread measures how late it comes. Prints
//       songs=<n> seconds=<s> songs_per_s=<x> peak_rss_kib=<n>
//       longest_stall_ms=<x> found=<n> plain=<n> not_found=<n> failed=<n>
#include "onlinewindows/FetchProgressDialog.h"
#include "onlinewindows/OnlineServices.h"
#include "support/FakeLrclibServer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <taglib/vorbisfile.h>

#include <sys/resource.h>

#include <cstdio>

using namespace cantorel;

namespace {

QString titleOf(int n)
{
    // Padded, so that no title is a part of another for the server's search.
    return QStringLiteral("Song %1").arg(n, 4, 10, QLatin1Char('0'));
}

QStringList makeSongs(const QString& song, const QString& dir, int count)
{
    QDir().mkpath(dir);
    QStringList paths;
    for (int n = 0; n < count; ++n) {
        const QString path = QStringLiteral("%1/%2.ogg").arg(dir).arg(n, 4, 10, QLatin1Char('0'));
        paths << path;
        if (QFile::exists(path))
            continue;
        QFile::copy(song, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        TagLib::Ogg::Vorbis::File file(QFile::encodeName(path).constData());
        file.tag()->addField("TITLE", TagLib::String(titleOf(n).toUtf8().constData(), TagLib::String::UTF8));
        file.tag()->addField("ARTIST", "Bench");
        file.save();
    }
    return paths;
}

void fillCatalogue(testing::FakeLrclibServer& server, int count, double durationSeconds)
{
    for (int n = 0; n < count; ++n) {
        const QString lines = QStringLiteral("[00:00.50]%1 one\n[00:01.00]%1 two\n").arg(titleOf(n));
        if (n % 5 != 4)
            server.add(testing::lrclibRecord(titleOf(n), QStringLiteral("Bench"), QString(), durationSeconds, lines));
        else if (n % 10 == 4)
            server.add(testing::lrclibRecord(titleOf(n), QStringLiteral("Bench"), QString(), durationSeconds, QString(),
                                             QStringLiteral("plain words")));
    }
}

long peakRssKib()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fputs("usage: cantorel-bench-fetch SONG DIR COUNT LATENCY_MS\n", stderr);
        return 64;
    }
    const int count = args[3].toInt();
    const QStringList songs = makeSongs(args[1], args[2], count);

    QThread serverThread;
    auto* server = new testing::FakeLrclibServer;
    fillCatalogue(*server, count, 2);
    server->setLatencyMs(args[4].toInt());
    server->moveToThread(&serverThread);
    QObject::connect(&serverThread, &QThread::finished, server, &QObject::deleteLater);
    serverThread.start();
    bool listening = false;
    QMetaObject::invokeMethod(
        server, [&] { listening = server->listen(); }, Qt::BlockingQueuedConnection);
    if (!listening)
        return 1;
    qputenv("CANTOREL_LYRICS_SERVER", server->url().toUtf8());

    OnlineServices services;
    FetchProgressDialog window(services);
    QElapsedTimer clock;
    qint64 lastTickNs = 0;
    qint64 longestGapNs = 0;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(2);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGapNs = qMax(longestGapNs, now - lastTickNs);
        lastTickNs = now;
    });
    QObject::connect(&window, &FetchProgressDialog::finished, &app, &QCoreApplication::quit);
    clock.start();
    watch.start();
    window.start(songs);
    app.exec();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const online::BatchCounts c = window.counts();
    std::printf("songs=%d seconds=%.2f songs_per_s=%.1f peak_rss_kib=%ld longest_stall_ms=%.1f found=%d "
                "plain=%d not_found=%d failed=%d\n",
                c.done, seconds, c.done / seconds, peakRssKib(), qMax<double>(0, longestGapNs / 1e6 - 2), c.synced,
                c.plain, c.notFound, c.failed);
    serverThread.quit();
    serverThread.wait();
    return c.failed == 0 && c.done == count ? 0 : 1;
}
