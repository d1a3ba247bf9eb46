// cantorel-lyrics: the player's lyric and audio code for scripts. The usage
// text below says what each command does and the exit codes.
#include "FollowCommand.h"
#include "OnlineCommands.h"
#include "base/FileNames.h"
#include "base/ProgramDirectory.h"
#include "engine/AudioEngineFactory.h"
#include "engine/ResultTexts.h"
#include "lyrics/EncodingChoices.h"
#include "lyrics/LineLookup.h"
#include "lyrics/LyricListing.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTransfer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>

using namespace cantorel;

namespace {

using namespace cantorel::tool;

int usage()
{
    QTextStream(stderr) << "usage: cantorel-lyrics probe MEDIA\n"
                           "       cantorel-lyrics show MEDIA [--at MS]... [--encoding NAME]\n"
                           "       cantorel-lyrics export-lrc [--force] MEDIA [OUT]\n"
                           "       cantorel-lyrics import-lrc [--force] LRC MEDIA\n"
                           "       cantorel-lyrics paths\n"
                           "       cantorel-lyrics fetch [--server URL] [--replace] [--jobs N] MEDIA|FOLDER...\n"
                           "       cantorel-lyrics search [--server URL] TEXT\n"
                           "       cantorel-lyrics publish [--server URL] [--yes] MEDIA\n"
                           "       cantorel-lyrics follow [--player NAME] [--translation] [--format FORMAT]\n"
                           "\n"
                           "probe       prints length_ms=<exact length of MEDIA>\n"
                           "show        lists the lyric of MEDIA as the player finds it (the lyric pair\n"
                           "            MEDIA-lyric.txt / MEDIA-Tlyric.txt, else an LRC file beside it,\n"
                           "            else a lyric embedded in its tags; where it came from goes to\n"
                           "            stderr), then what the two panes show at each --at position (ms);\n"
                           "            --encoding reads the lyric's files in NAME (UTF-8, UTF-16LE,\n"
                           "            UTF-16BE, GB18030, Big5, Shift-JIS, EUC-JP, EUC-KR, Windows-1251,\n"
                           "            KOI8-R, Windows-1250, Windows-1252) instead of the encoding chosen\n"
                           "            in the player or guessed; a line sung word by word adds\n"
                           "            words1=SUNG/TOTAL (the words whose time has come, of all)\n"
                           "export-lrc  writes that lyric, translation included, as a UTF-8 LRC file to\n"
                           "            OUT, by default MEDIA with its extension replaced by .lrc\n"
                           "            (Rain.mp3 -> Rain.lrc); a file already there is kept as OUT.bak\n"
                           "import-lrc  writes the LRC file as the lyric pair of MEDIA; an existing pair\n"
                           "            is kept as MEDIA-lyric.txt.bak / MEDIA-Tlyric.txt.bak; an LRC\n"
                           "            with word times is written as MEDIA's own LRC file instead\n"
                           "            (word times kept) and the pair is set aside\n"
                           "            (older backups move on to .bak.1, .bak.2, ...)\n"
                           "--force     replaces a file the user made read-only (it stays read-only)\n"
                           "paths       prints where the programs find their help page and demo song and\n"
                           "            keep the user's files (key=path lines)\n"
                           "follow      prints the lyric's line of what another media player on the\n"
                           "            desktop plays (MPRIS) each time it changes, one line per change\n"
                           "            (an empty line in a silence), across tracks and player restarts,\n"
                           "            until ended; --player follows the player whose bus name ends in\n"
                           "            NAME (mpv), else the one that plays; --translation prints the\n"
                           "            translation's line; --format is json, or a text with {line},\n"
                           "            {translation}, {title}, {artist}, {album}, {player}\n"
                           "fetch       looks up the songs without a lyric (folders are searched for songs)\n"
                           "            on an LRCLIB server, four at a time (--jobs), and writes a synced\n"
                           "            lyric as MEDIA.lrc, a plain one as MEDIA.txt; one line per song;\n"
                           "            --replace also looks up songs with a lyric and replaces it (backups\n"
                           "            kept)\n"
                           "search      lists the server's records for TEXT, one per line: id, duration,\n"
                           "            synced/plain/instrumental, artist - title (album)\n"
                           "publish     shows the timed lyric of MEDIA as it would be shared, asks (unless\n"
                           "            --yes), solves the server's challenge and publishes it\n"
                           "--server    the LRCLIB server (else CANTOREL_LYRICS_SERVER, else online/server\n"
                           "            in cantorel.conf, else https://lrclib.net)\n"
                           "\n"
                           "exit: 0 done; 1 no lyric, or a lyric file that cannot be read or written\n"
                           "(nothing changed), or (paths) the help page is missing; 2 the audio engine\n"
                           "cannot open MEDIA (probe); 3 (show) MEDIA is missing or cannot be read;\n"
                           "64 wrong arguments; 69 (follow) there is no session bus; 77 a file to\n"
                           "replace is read-only and --force was not given (nothing changed); fetch,\n"
                           "search, publish: 1 a song or lyric file that cannot be read or written,\n"
                           "2 (publish) the audio engine cannot open MEDIA, 3 (publish) MEDIA is\n"
                           "missing, 4 some songs not found (search: nothing found), 5 a server or\n"
                           "network failure, 6 (publish) the user said no\n";
    return kUsageError;
}

int probe(const QString& media)
{
    using namespace engine;
    // The probe never plays: the silent driver spares a sound device and
    // its start-up noise.
    qputenv("SDL_AUDIODRIVER", "dummy");
    // Only lengths are asked: no sound device is opened (or closed).
    auto audio = createDevicelessEngine();
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
        QTextStream(stderr) << errorMessage(r) << '\n';
        return kEngineError;
    }
    QTextStream(stdout) << "length_ms=" << length << '\n';
    return 0;
}

// Why `media` cannot be shown, "" when it is a file that can be read.
QString mediaProblem(const QString& media)
{
    const FileFacts facts = fileFacts(media);
    if (!facts.exists)
        return QStringLiteral("there is no such file");
    if (!facts.isFile)
        return QStringLiteral("it is not a file");
    QFile file;
    QString error;
    return openForReading(file, media, &error) ? QString() : QStringLiteral("it cannot be read: ") + error;
}

int show(const QString& media, const QList<qint64>& positions)
{
    // A song that is not there is an error, not a song without a lyric.
    if (const QString problem = mediaProblem(media); !problem.isEmpty()) {
        QTextStream(stderr) << media << ": " << problem << '\n';
        return kMediaError;
    }
    auto table = std::make_unique<lyrics::LyricTable>();
    const lyrics::FoundLyric found = lyrics::loadLyric(media, *table);
    if (found.load.outcome == lyrics::LyricLoad::Outcome::Failed) {
        QTextStream(stderr) << found.errorText << '\n';
        return kLyricError;
    }
    const bool loaded = found.load.outcome != lyrics::LyricLoad::Outcome::NoLyricFile;
    if (loaded)
        QTextStream(stderr) << "lyric: " << found.origin.describe() << '\n';
    QTextStream out(stdout);
    for (const QString& line : lyrics::listLyric(*table, loaded))
        out << line << '\n';
    for (qint64 ms : positions) {
        lyrics::PaneTexts panes = lyrics::openedPanes();
        int line = 0;
        if (loaded)
            lyrics::lookUpLine(*table, double(ms), panes, &line);
        out << lyrics::paneLine(ms, panes) << lyrics::wordsField(*table, line, ms) << '\n';
    }
    return 0;
}

// "written=<path>", "lines=<n> translation=<yes|no>" and a "backup=<path>"
// line per file moved aside.
int reportTransfer(const lyrics::LyricTransfer& t)
{
    if (!t.ok) {
        QTextStream(stderr) << t.error << '\n';
        if (t.readOnly.isEmpty())
            return kLyricError;
        QTextStream(stderr) << "--force replaces it anyway\n";
        return kReadOnlyTarget;
    }
    QTextStream out(stdout);
    out << "written=" << t.written << '\n'
        << "lines=" << t.lines << " translation=" << (t.translated ? "yes" : "no") << '\n';
    for (const QString& b : t.backups)
        out << "backup=" << b << '\n';
    if (t.lines > lyrics::LyricTable::kLastSlot)
        QTextStream(stderr) << "note: the player shows the first " << lyrics::LyricTable::kLastSlot << " lines\n";
    return 0;
}

int paths()
{
    const QString help = bundledDataPath(QStringLiteral("help/Welcome.htm"));
    QTextStream out(stdout);
    out << "help=" << help << '\n'
        << "demo=" << bundledDataPath(QStringLiteral("demo/Lanterns.ogg")) << '\n'
        << "settings=" << configDirectory() << "/setting.txt\n"
        << "runtime=" << runtimeDirectory() << '\n'
        << "rescue=" << userDataDirectory() << '\n';
    return QFileInfo(help).isFile() ? 0 : kLyricError;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The encodings chosen in the player's "Lyric encoding" menu.
    const lyrics::EncodingChoices encodingChoices(lyrics::encodingChoicesPath());
    lyrics::useEncodingChoices(&encodingChoices);
    QStringList args = commandLineArguments(argc, argv); // keeps a name that is not UTF-8
    // export-lrc and import-lrc --force: a read-only lyric file is replaced anyway.
    const bool transfer = args.value(0) == QLatin1String("export-lrc") || args.value(0) == QLatin1String("import-lrc");
    const bool force = transfer && args.removeAll(QStringLiteral("--force")) > 0;
    const ReadOnlyRule readOnly = force ? ReadOnlyRule::Replace : ReadOnlyRule::Refuse;
    if (args.size() == 2 && args[0] == QLatin1String("probe"))
        return probe(args[1]);
    if (args.size() >= 2 && args[0] == QLatin1String("show")) {
        QList<qint64> positions;
        std::optional<lyrics::ScopedEncodingForAll> encoding;
        for (int i = 2; i < args.size(); i += 2) {
            if (args[i] == QLatin1String("--encoding") && i + 1 < args.size() && !encoding) {
                const auto named = lyrics::encodingNamed(args[i + 1]);
                if (!named)
                    return usage();
                encoding.emplace(*named);
                continue;
            }
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
    if ((args.size() == 2 || args.size() == 3) && args[0] == QLatin1String("export-lrc"))
        return reportTransfer(
            lyrics::exportLrc(args[1], args.size() == 3 ? args[2] : lyrics::defaultLrcPathOf(args[1]), readOnly));
    if (args.size() == 3 && args[0] == QLatin1String("import-lrc"))
        return reportTransfer(lyrics::importLrc(args[1], args[2], readOnly));
    if (args.size() == 1 && args[0] == QLatin1String("paths"))
        return paths();
    if (!args.isEmpty() && args[0] == QLatin1String("follow")) {
        const int status = runFollow(args.mid(1));
        return status == kFollowWrongArguments ? usage() : status;
    }
    if (!args.isEmpty() && tool::isOnlineCommand(args[0])) {
        const int status = tool::runOnlineCommand(args);
        return status == kUsageError ? usage() : status;
    }
    return usage();
}
