// Lyrics from the net in the player: Ctrl+F and "Use", a plain lyric timed
// in the Lyric Maker, the look-up as a song starts, the playlist's batch,
// and sharing, against a local stand-in server.
#include "player/PlayerFixture.h"

#include "maker/Form2.h"
#include "onlinewindows/FetchProgressDialog.h"
#include "onlinewindows/FindLyricsDialog.h"
#include "onlinewindows/ShareDialog.h"
#include "player/PlayerOnline.h"
#include "playlistwindow/Playlist.h"
#include "support/FakeLrclibServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TaggedSongs.h"
#include "support/Wait.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

const QString kSynced = QStringLiteral("[00:01.00]Rain on the river\n[00:03.00]Falls on the town");

class OnlineWindows : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        ASSERT_TRUE(server.listen());
        server_ = std::make_unique<ScopedEnvironment>("CANTOREL_LYRICS_SERVER", server.url().toUtf8());
        makePlayer(); // reads the server and the settings anew
        form->load(QString());
    }
    void TearDown() override
    {
        PlayerFixture::TearDown();
        server_.reset();
    }
    QAction* action(QObject* in, const char* name) const { return in->findChild<QAction*>(QLatin1String(name)); }
    template <typename T>
    static T* in(QWidget* window, const char* name)
    {
        T* w = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Ctrl+F, a search, the first record chosen.
    FindLyricsDialog& searchFor(const QString& path)
    {
        QAction* find = action(form.get(), "mn_findOnline");
        EXPECT_EQ(find->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
        find->trigger();
        FindLyricsDialog& dialog = *form->online().findDialog();
        EXPECT_EQ(dialog.mediaPath(), path);
        in<QPushButton>(&dialog, "search")->click();
        EXPECT_TRUE(waitUntil([&] { return !dialog.records().isEmpty(); }));
        return dialog;
    }

    FakeLrclibServer server;
    ScopedEnvironment config {"XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8()};
    ScopedEnvironment cache {"XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toUtf8()};
    std::unique_ptr<ScopedEnvironment> server_;
};

TEST_F(OnlineWindows, ANewUserFindsALyricWithCtrlFAndSeesItMoveWithTheSong)
{
    server.add(lrclibRecord("Rain", "Nina", "", 181, kSynced));
    server.add(lrclibRecord("Rain", "Nina", "Live", 240, QString(), QStringLiteral("Rain, live")));
    const QString path = song(QStringLiteral("Nina - Rain.mp3"));
    openThroughDialog(path);

    FindLyricsDialog& dialog = searchFor(path);
    EXPECT_EQ(in<QLineEdit>(&dialog, "title")->text(), "Rain");
    EXPECT_EQ(in<QLineEdit>(&dialog, "artist")->text(), "Nina");
    EXPECT_EQ(in<QLineEdit>(&dialog, "duration")->text(), "3:00");
    auto* results = in<QTableWidget>(&dialog, "results");
    ASSERT_EQ(results->rowCount(), 2);
    EXPECT_EQ(results->item(0, 4)->text(), "synced"); // the match first
    EXPECT_EQ(results->item(1, 3)->text(), "4:00");
    EXPECT_TRUE(in<QPlainTextEdit>(&dialog, "preview")->toPlainText().contains("Rain on the river"));
    EXPECT_FALSE(in<QPushButton>(&dialog, "makeTimed")->isEnabled());

    in<QPushButton>(&dialog, "use")->click();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Nina - Rain.lrc"))));
    EXPECT_TRUE(in<QLabel>(&dialog, "status")->text().contains("the player shows it"));
    play(1500);
    EXPECT_EQ(text1()->lyric(), "Rain on the river");
    play(2000);
    EXPECT_EQ(text1()->lyric(), "Falls on the town");

    // Used again, the lyric now there is the user's: asked, and kept when
    // they say no.
    prompts.expectMessage(QString(), Prompts::Answer::No);
    in<QPushButton>(&dialog, "use")->click();
    EXPECT_TRUE(in<QLabel>(&dialog, "status")->text().contains("keeps its lyric"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Nina - Rain.lrc.bak"))));
}

TEST_F(OnlineWindows, APlainLyricGoesToTheLyricMakerToBeTimed)
{
    server.add(lrclibRecord("Sun", "Nina", "", 180, QString(), QStringLiteral("Sun on the hill\n\nShines")));
    const QString path = song(QStringLiteral("Nina - Sun.mp3"));
    openThroughDialog(path);
    FindLyricsDialog& dialog = searchFor(path);
    prompts.expectMessage(QStringLiteral("Playing of files has to be stopped! Stop Playback?"), Prompts::Answer::Yes);
    in<QPushButton>(&dialog, "makeTimed")->click();
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Nina - Sun.txt"))), "Sun on the hill\r\nShines\r\n");
    Form2* maker = form->lyricMaker();
    ASSERT_NE(maker, nullptr);
    EXPECT_EQ(maker->mediaPath(), path);
    EXPECT_TRUE(waitUntil([&] { return maker->ui().Text2->lyric() == QLatin1String("Sun on the hill"); }));
    EXPECT_TRUE(maker->ui().Command1->isEnabled());
}

TEST_F(OnlineWindows, WhenTurnedOnASongWithoutALyricIsLookedUpAsItStarts)
{
    server.add(lrclibRecord("Rain", "Nina", "", 180, kSynced));
    const QString quiet = song(QStringLiteral("Nina - Rain.mp3"));
    openThroughDialog(quiet); // off by default: nothing is asked
    EXPECT_EQ(server.requests().size(), 0);

    action(form.get(), "mn_lookUpMissing")->trigger();
    EXPECT_TRUE(readFile(dir.filePath(QStringLiteral("config/cantorel/cantorel.conf"))).contains("lookUpMissing=true"));
    openThroughDialog(song(QStringLiteral("Nina - Rain.mp3")));
    ASSERT_TRUE(waitUntil([&] { return controller->lyricsLoaded() && !controller->noLyrics(); }));
    play(1500);
    EXPECT_EQ(text1()->lyric(), "Rain on the river");
    EXPECT_EQ(prompts.asked.size(), 2); // the two open dialogs, no box
}

TEST_F(OnlineWindows, ThePlaylistFetchesEveryMissingLyricAndItsIndicatorsFollow)
{
    QStringList songs;
    for (const char* title : {"Rain", "Wind", "Ghost"}) {
        songs << copyFixture("tones.ogg", dir.filePath(QLatin1String(title) + QStringLiteral(".ogg")));
        addVorbisComment(songs.last(), "TITLE", title);
        addVorbisComment(songs.last(), "ARTIST", "Nina");
    }
    server.add(lrclibRecord("Rain", "Nina", "", 2, kSynced));
    server.add(lrclibRecord("Wind", "Nina", "", 2, QString(), QStringLiteral("Wind")));
    Playlist& list = form->playlist();
    list.addNamedPaths(songs);
    ASSERT_TRUE(waitUntil([&] { return list.entryCount() == 3; }));
    list.selectEntry(0);
    EXPECT_FALSE(in<QCheckBox>(&list, "Check2")->isChecked());

    action(&list.entryMenu(), "mn_fetchMissing")->trigger();
    FetchProgressDialog& progress = *form->online().fetchDialog();
    ASSERT_TRUE(waitUntil([&] { return !progress.running(); }, 20000));
    EXPECT_EQ(progress.counts(), (online::BatchCounts {3, 3, 1, 1, 0, 1, 0, 0}));
    EXPECT_TRUE(in<QLabel>(&progress, "counts")->text().contains("Plain only: 1"));
    EXPECT_EQ(in<QPushButton>(&progress, "cancel")->text(), "Close");
    EXPECT_TRUE(waitUntil([&] { return in<QCheckBox>(&list, "Check2")->isChecked(); }));

    // Nothing selected: the entry's look-up says what to do.
    list.selectEntry(-1);
    prompts.expectMessage(QStringLiteral("Select a song in the list first."));
    action(&list.entryMenu(), "mn_findEntryOnline")->trigger();
}

TEST_F(OnlineWindows, ATimedLyricIsSharedAsShownAfterTheUserSaysSo)
{
    const QString path = song(QStringLiteral("Nina - Rain.mp3"), {{100, "Rain"}, {300, "Falls"}});
    openThroughDialog(path);
    QMenu& menu = *form->findChild<QMenu*>(QStringLiteral("lyricMenu"));
    Q_EMIT menu.aboutToShow();
    ASSERT_TRUE(action(&menu, "mn_shareOnline")->isEnabled());
    action(&menu, "mn_shareOnline")->trigger();
    ShareDialog& share = *form->online().shareDialog();
    EXPECT_EQ(in<QLineEdit>(&share, "title")->text(), "Rain");
    EXPECT_EQ(in<QLineEdit>(&share, "duration")->text(), "180");
    EXPECT_TRUE(in<QLabel>(&share, "lines")->text().startsWith("2 line(s); the first: Rain / Falls"));
    EXPECT_EQ(in<QPlainTextEdit>(&share, "synced")->toPlainText(), "[00:01.00]Rain\n[00:03.00]Falls");
    EXPECT_TRUE(server.published().isEmpty()); // nothing leaves before "Share"

    in<QLineEdit>(&share, "album")->setText(QStringLiteral("Skies"));
    in<QPushButton>(&share, "share")->click();
    ASSERT_TRUE(waitUntil([&] { return in<QLabel>(&share, "status")->text().startsWith("Published"); }, 20000));
    ASSERT_EQ(server.published().size(), 1);
    EXPECT_EQ(server.published().first().value("albumName").toString(), "Skies");
    EXPECT_EQ(server.published().first().value("plainLyrics").toString(), "Rain\nFalls");
}

} // namespace
