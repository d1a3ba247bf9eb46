// The playlist benchmark's helper: makes a music tree and a full playlist
// file, then times what a user waits for in the playlist window (offscreen):
//
//   cantorel-bench-playlist tree DIR
//       makes DIR holding 2 000 folders (40 artists of 49 albums) of 50 files
//       each: 15 songs of the five kinds, their lyric files, covers, notes and
//       other files, some names in capitals or outside ASCII. Prints the
//       number of songs a folder scan takes.
//   cantorel-bench-playlist mmr DIR FILE
//       writes FILE, a playlist of 32 761 entries: every song of DIR (in scan
//       order) with a vanished song after every tenth, and more vanished ones
//       to fill it.
//   cantorel-bench-playlist time DIR FILE RUNS
//       "Open Dir..." on DIR (answering Yes to clearing the list first), until
//       its songs are in the list; "Open list" of FILE into an empty list; one
//       keystroke in the search box that moves the selection from the top of
//       the list to its last entry. Prints the best of RUNS of each, in ms:
//       scan_ms=<x> songs=<n> mmr_load_ms=<x> entries=<n> search_ms=<x>
#include "common/Prompts.h"
#include "playlist/FolderScan.h"
#include "playlist/PlayOrderSettings.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <limits>

using namespace cantorel;

namespace {

// Answers every question the same way: the folder and the playlist file of
// the run, and Yes.
class FixedAnswers : public Prompts {
public:
    QString folder, listFile;

    Answer message(QWidget*, const QString&, Buttons, Icon, const QString&) override { return Answer::Yes; }
    QString input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(QWidget*, const QString&, const QList<FileFilter>&, const QString&, bool) override
    {
        return listFile;
    }
    QString saveFile(QWidget*, const QString&, const QList<FileFilter>&, const QString&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&) override { return folder; }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override { return std::nullopt; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&, CustomColors&) override { return std::nullopt; }
};

const char* const kTitles[] = {"Midnight Train",  "Rain on the Roof", "café au lait", "Ωmega Point", "夜曲",
                               "Über den Wolken", "LOVE me tender",   "Blue Moon",    "Ночь",        "Sunny Day",
                               "Yesterday Once",  "el Niño",          "Hotel Lobby",  "Slow Dance",  "Paper Planes"};
const char* const kKinds[] = {".mp3", ".mp3", ".ogg", ".mp3", ".wav", ".wma", ".mp3", ".mp2",
                              ".ogg", ".mp3", ".wav", ".wma", ".mp3", ".mp2", ".ogg"};
const char* const kOthers[] = {"cover.jpg",      "Folder.JPG",  "notes.txt",     "album.m3u",  "info.nfo",
                               "Back Cover.png", "booklet.pdf", "Loud Song.MP3", "rip.log",    "rip.cue",
                               "desktop.ini",    "tags.json",   "lyrics.zip",    "scan 1.tif", "scan 2.tif"};

bool touch(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}

int makeTree(const QString& root)
{
    int songs = 0;
    for (int a = 0; a < 40; ++a) {
        const QString artist = root + QStringLiteral("/Artist %1").arg(a, 2, 10, QLatin1Char('0'));
        QStringList folders {artist};
        for (int b = 0; b < 49; ++b)
            folders << artist + QStringLiteral("/Album %1").arg(b, 2, 10, QLatin1Char('0'));
        for (int f = 0; f < folders.size(); ++f) {
            const QString& folder = folders[f];
            if (!QDir().mkpath(folder))
                return -1;
            const bool last = a == 39 && f == folders.size() - 1;
            for (int s = 0; s < 15; ++s) {
                QString title = QString::fromUtf8(kTitles[(s + f + a) % 15]);
                if (last && s == 14)
                    title = QStringLiteral("Midnight Zebra"); // the search's target, once in the tree
                const QString song =
                    QStringLiteral("%1 %2%3").arg(s + 1, 2, 10, QLatin1Char('0')).arg(title, kKinds[s]);
                if (!touch(folder + u'/' + song))
                    return -1;
                ++songs;
                if (s < 10 && !touch(folder + u'/' + song + QStringLiteral("-lyric.txt")))
                    return -1;
                if (s < 10 && !touch(folder + u'/' + song + QStringLiteral("-Tlyric.txt")))
                    return -1;
            }
            for (const char* other : kOthers) {
                if (!touch(folder + u'/' + QString::fromUtf8(other)))
                    return -1;
            }
        }
    }
    return songs;
}

int writeList(const QString& root, const QString& file)
{
    const QStringList found = FolderScan::walk(root).paths;
    QStringList paths;
    for (int i = 0; paths.size() < PlaylistModel::kCapacity; ++i) {
        if (i < found.size())
            paths << found[i];
        if (i % 11 == 10 || i >= found.size())
            paths << root + QStringLiteral("/Gone/vanished %1.mp3").arg(i);
    }
    paths.resize(PlaylistModel::kCapacity);
    QString error;
    if (!savePlaylist(file, paths, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return -1;
    }
    return int(paths.size());
}

double msSince(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

void settle()
{
    QCoreApplication::processEvents();
}

void type(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &release);
}

int timeWindow(const QString& root, const QString& file, int runs)
{
    FixedAnswers prompts;
    prompts.folder = root;
    prompts.listFile = file;
    PlaylistModel songList;
    PlayOrderSettings order;
    Playlist list(prompts, songList, order);
    list.show();
    settle();
    auto* openList = list.findChild<QPushButton*>(QStringLiteral("Command5"));
    auto* search = list.findChild<QLineEdit*>(QStringLiteral("Text5"));
    const double none = std::numeric_limits<double>::max();
    double scan = none, load = none, keystroke = none;
    int songs = 0, entries = 0;
    for (int run = 0; run < runs; ++run) {
        // The list is cleared first (the answer is Yes).
        QElapsedTimer clock;
        clock.start();
        list.mnopendirClick();
        while (list.scanning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        settle();
        scan = std::min(scan, msSince(clock));
        songs = list.model().count();

        list.command3Click();
        settle();
        clock.start();
        openList->click();
        settle();
        load = std::min(load, msSince(clock));
        entries = list.model().count();

        search->setFocus();
        search->setText(QStringLiteral("Midnight "));
        list.selectEntry(0);
        settle();
        clock.start();
        type(search, Qt::Key_Z, QStringLiteral("Z"));
        settle();
        keystroke = std::min(keystroke, msSince(clock));
        if (list.selectedIndex() != list.model().findNamed(QStringLiteral("15 Midnight Zebra.ogg"))) {
            std::fprintf(stderr, "the search did not select the last song\n");
            return 1;
        }
        list.command3Click();
        settle();
    }
    std::printf("scan_ms=%.1f songs=%d mmr_load_ms=%.1f entries=%d search_ms=%.2f\n", scan, songs, load, entries,
                keystroke);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("tree")) {
        const int songs = makeTree(args[1]);
        std::printf("%d\n", songs);
        return songs < 0 ? 1 : 0;
    }
    if (args.size() == 3 && args[0] == QLatin1String("mmr"))
        return writeList(args[1], args[2]) < 0 ? 1 : 0;
    if (args.size() == 4 && args[0] == QLatin1String("time"))
        return timeWindow(args[1], args[2], std::max(1, args[3].toInt()));
    std::fprintf(stderr, "usage: %s tree DIR | mmr DIR FILE | time DIR FILE RUNS\n", argv[0]);
    return 64;
}
