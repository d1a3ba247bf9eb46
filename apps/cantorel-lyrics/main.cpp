// cantorel-lyrics: the player's lyric and audio code for scripts.
//
//   cantorel-lyrics probe MEDIA             length_ms=<n>   (exit 0; 2 when the
//                                           engine cannot open MEDIA)
//   cantorel-lyrics show MEDIA [--at MS]... the loaded lyric pair, then what
//                                           the panes show at each position
// Wrong arguments: usage on stderr, exit 64.
#include "common/FileNames.h"
#include "engine/AudioEngineFactory.h"
#include "engine/AudioErrorCheck.h"
#include "lyrics/LineLookup.h"
#include "lyrics/LyricListing.h"
#include "lyrics/LyricPairReader.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <memory>

using namespace cantorel;

namespace {

constexpr int kUsageError = 64;

int usage()
{
    QTextStream(stderr) << "usage: cantorel-lyrics probe MEDIA\n"
                           "       cantorel-lyrics show MEDIA [--at MS]...\n";
    return kUsageError;
}

int probe(const QString& media)
{
    using namespace engine;
    // The probe never plays: the silent driver spares a sound device and
    // its start-up noise.
    qputenv("SDL_AUDIODRIVER", "dummy");
    auto audio = createAudioEngine();
    Handle system = 0;
    Handle sound = 0;
    unsigned length = 0;
    Result r = audio->systemCreate(&system);
    if (r == result::Ok)
        r = audio->systemInit(system, 32, 0);
    if (r == result::Ok)
        r = audio->systemCreateStream(system, media, mode::AccurateTime, &sound);
    if (r == result::Ok)
        r = audio->soundGetLength(sound, &length, kMilliseconds);
    if (system != 0) {
        audio->systemClose(system);
        audio->systemRelease(system);
    }
    if (r != result::Ok) {
        QTextStream(stderr) << AudioErrorCheck::errorMessage(r) << '\n';
        return 2;
    }
    QTextStream(stdout) << "length_ms=" << length << '\n';
    return 0;
}

int show(const QString& media, const QList<qint64>& positions)
{
    auto table = std::make_unique<lyrics::LyricTable>();
    const lyrics::LyricLoad load = lyrics::loadLyricPair(media, *table);
    if (load.outcome == lyrics::LyricLoad::Outcome::Failed) {
        const char* why = load.error == lyrics::LyricLoad::Error::FileNotFound ? "File Not Found"
            : load.error == lyrics::LyricLoad::Error::DiskNotReady         ? "Disk Not Ready"
                                                                            : "cannot read the lyric files";
        QTextStream(stderr) << media << ": " << why << '\n';
        return 1;
    }
    const bool loaded = load.outcome != lyrics::LyricLoad::Outcome::NoLyricFile;
    QTextStream out(stdout);
    for (const QString& line : lyrics::listLyric(*table, loaded))
        out << line << '\n';
    for (qint64 ms : positions) {
        lyrics::PaneTexts panes = lyrics::openedPanes();
        if (loaded)
            lyrics::lookUpLine(*table, double(ms), panes);
        out << lyrics::paneLine(ms, panes) << '\n';
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = commandLineArguments(argc, argv); // keeps a name that is not UTF-8
    if (args.size() == 2 && args[0] == QLatin1String("probe"))
        return probe(args[1]);
    if (args.size() >= 2 && args[0] == QLatin1String("show")) {
        QList<qint64> positions;
        for (int i = 2; i < args.size(); i += 2) {
            if (args[i] != QLatin1String("--at") || i + 1 >= args.size())
                return usage();
            bool ok = false;
            const qint64 ms = args[i + 1].toLongLong(&ok);
            if (!ok || ms < 0)
                return usage();
            positions << ms;
        }
        return show(args[1], positions);
    }
    return usage();
}
