// The player without a song, and with songs the engine refuses: nothing can
// be pressed that would reach the engine, a refused song is reported and the
// player goes back to its no-song state, the rest of the program goes on.
#include "PlayerFixture.h"

#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"
#include "support/UserInput.h"
#include "support/Wait.h"

#include <QFile>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class PlayerNoSong : public PlayerFixture {
protected:
    std::string transport() const
    {
        std::string s;
        for (const char* name : {"cPlay", "cpause", "cstop", "copen", "Slider1", "Slider2", "Check1", "Command1"})
            s += enabled(name) ? '1' : '0';
        return s;
    }
    void expectNoSongState()
    {
        EXPECT_EQ(transport(), "00000000");
        EXPECT_TRUE(enabled("Command2"));
        EXPECT_FALSE(controller->playing());
        EXPECT_FALSE(controller->paused());
        EXPECT_FALSE(controller->positionTimer().isActive());
        EXPECT_EQ(form->windowTitle(), "Tessaly");
        EXPECT_EQ(end.calls, 0);
    }
    static QString refusal() { return QStringLiteral("FMOD error! (19) Error loading file. "); }
};

} // namespace

TEST_F(PlayerNoSong, AFreshWindowOffersNothingThatReachesTheEngine)
{
    form->load(QString());
    form->show();
    EXPECT_EQ(transport(), "00000000");
    engine.clearLog();
    // Clicks and keys on the disabled buttons, and the handlers themselves.
    for (const char* name : {"cPlay", "cstop", "copen", "cpause"}) {
        mouseClick(child<QWidget>(name), Qt::LeftButton, QPoint(3, 3));
        keyClick(child<QWidget>(name), Qt::Key_Space, " ");
    }
    form->cPlayClick();
    form->cstopClick();
    form->copenClick();
    EXPECT_TRUE(engine.log.isEmpty()) << engine.log.join(", ").toStdString();
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_EQ(end.calls, 0);
}

TEST_F(PlayerNoSong, ARefusedSongIsReportedAndThePlayerGoesOn)
{
    form->load(QString());
    const QString good = song("good.mp3", {{0, "line"}}, {{0, "ligne"}});
    const QString broken = song("broken.mp3", {{0, "x"}});
    openThroughDialog(good);
    ASSERT_TRUE(controller->playing());

    // From the dialog: the playing song is stopped first, then the broken
    // one is refused.
    engine.refuse(broken, 19);
    prompts.expectOpenFile(broken).expectMessage(refusal());
    form->command2Click();
    expectNoSongState();
    EXPECT_EQ(engine.liveSounds(), 0);
    EXPECT_EQ(text1()->lyric(), "Normal Lyrics");

    // The next good song opens as in a fresh window.
    openThroughDialog(good);
    EXPECT_TRUE(controller->playing());
    EXPECT_EQ(transport(), "01111111");

    // From a drop.
    prompts.expectMessage(refusal());
    form->dropPaths({broken});
    expectNoSongState();
}

TEST_F(PlayerNoSong, ARefusedCommandLineSongLeavesAFreshWindow)
{
    const QString broken = song("broken.mp3", {{0, "x"}});
    engine.refuse(broken, 25);
    prompts.expectMessage("FMOD error! (25) Unsupported file or audio format. ");
    form->load(broken);
    expectNoSongState();
}

TEST_F(PlayerNoSong, ASongWhoseFileWentAwayStopsIntoTheNoSongState)
{
    form->load(QString());
    const QString path = song("going.mp3", {{0, "a"}});
    openThroughDialog(path);
    QFile::remove(path);
    engine.refuse(path, 23); // as the real engine finds it
    prompts.expectMessage("FMOD error! (23) File not found. ");
    form->cstopClick();
    expectNoSongState();
    EXPECT_TRUE(controller->mediaPath().isEmpty());
}

TEST_F(PlayerNoSong, TheAdvancePassesOverABrokenSongAndMarksIt)
{
    form->load(QString());
    const QString first = song("first.mp3", {}, {}, 1000);
    const QString broken = song("broken.mp3");
    const QString third = song("third.mp3");
    Playlist& list = form->playlist();
    list.model().append(QStringList {first, broken, third});
    list.selectEntry(0);
    list.command7Click();
    ASSERT_TRUE(controller->playing());

    engine.refuse(broken, 19);
    play(1000);
    // The ticks the position timer would still run.
    for (int i = 0; i < 3 && controller->positionTimer().isActive(); ++i)
        form->cTimer1Tick();
    // No message box: the entry says why, and the next one plays.
    EXPECT_TRUE(waitUntil([&] { return controller->mediaPath() == third && controller->playing(); }));
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(list.model().count(), 3);
    EXPECT_EQ(list.model().data(list.model().index(1), Qt::ToolTipRole).toString(), refusal() + "\n" + broken);
    EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(PlayerNoSong, ThePlaylistCannotStartASongWhileTheMakerIsOpen)
{
    form->load(QString());
    const QString path = song("a.mp3");
    Playlist& list = form->playlist();
    list.model().append(path);
    list.selectEntry(0);
    form->command5Click(); // the maker opens, the player is disabled
    ASSERT_FALSE(form->isEnabled());
    engine.clearLog();
    prompts.expectMessage("The player is busy while the Lyric Maker is open. Close the Lyric Maker to play this song.");
    list.command7Click();
    EXPECT_TRUE(engine.log.filter("createStream").isEmpty());
    EXPECT_FALSE(controller->playing());
}

TEST_F(PlayerNoSong, StopClearsPauseAndPlayAppliesTheMuteBox)
{
    form->load(QString());
    const QString path = song("a.mp3", {{0, "a"}});
    openThroughDialog(path);
    child<QCheckBox>("Check1")->click();
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel()));

    form->cpauseClick();
    form->cstopClick();
    EXPECT_FALSE(controller->paused());
    EXPECT_TRUE(enabled("Command2"));

    form->cPlayClick();
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel())); // still ticked: still muted
    form->cpauseClick();                                    // and the first pause pauses
    EXPECT_TRUE(engine.channelPaused(engine.lastChannel()));

    // A new song keeps the box too.
    openThroughDialog(song("b.mp3"));
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel()));
}
