// The player without any window: opened from each source, played on the
// fake engine, its lines, play order and messages checked through what it
// signals.
#include "controller/LineFollower.h"
#include "controller/PlayerController.h"
#include "playlist/EntrySelection.h"
#include "playlist/PlayOrderSettings.h"
#include "playlist/PlaylistModel.h"
#include "support/HandClock.h"
#include "support/LyricSongs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::testing;
using Source = PlayerController::OpenSource;

namespace {

// The selection a playlist window would show.
class HeldSelection : public EntrySelection {
public:
    int selectedEntry() const override { return entry; }
    void selectEntry(int e) override { entry = e; }
    int entry = -1;
};

class Controller : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(player.start());
    }

    QString song(const QString& name, const std::vector<LyricLine>& lyric = {},
                 const std::vector<LyricLine>& translation = {}, unsigned lengthMs = 180000)
    {
        return writeLyricSong(engine, dir.filePath(name), lyric, translation, lengthMs);
    }
    // The song moves on by `ms`; the position timer and the line timer run.
    void play(unsigned ms)
    {
        engine.advance(ms);
        player.tick();
        player.lookUpLine();
    }
    // The song plays to its end, and the position timer sees it.
    void playOut(unsigned ms)
    {
        play(ms);
        for (int i = 0; i < 3 && player.positionTimer().isActive(); ++i)
            player.tick();
    }
    int opens() const { return int(engine.log.filter("createStream").size()); }
    QString text1() const { return player.lines().panes.text1; }

    QTemporaryDir dir;
    FakeAudioEngine engine;
    PlayerController player {engine};
    QSignalSpy said {&player, &PlayerController::message};
};

UserMessage lastSaid(const QSignalSpy& spy)
{
    return spy.isEmpty() ? UserMessage() : spy.last().first().value<UserMessage>();
}

} // namespace

TEST_F(Controller, OpensFromEachSourceAndSaysWhatItWillNotOpen)
{
    QSignalSpy opened(&player, &PlayerController::songOpened);
    const QString pair = song("pair.mp3", {{100, "one"}}, {{100, "uno"}});
    ASSERT_TRUE(player.open(pair, Source::Dialog));
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_TRUE(player.lyricFound());
    EXPECT_TRUE(player.lines().twoPanes);

    // Nothing of these reaches the engine, and the song plays on.
    const int before = opens();
    EXPECT_FALSE(player.open(song("song.flac"), Source::Drop));
    EXPECT_EQ(lastSaid(said), (UserMessage {UserMessage::Kind::Warning, "This is not a .mp3 file.", "Error"}));
    EXPECT_FALSE(player.open(dir.filePath("gone.mp3"), Source::CommandLine));
    EXPECT_EQ(lastSaid(said), (UserMessage {UserMessage::Kind::Plain, "File Not Found", ""}));
    EXPECT_FALSE(player.open(QString(), Source::HandOver));
    player.setBusy(true);
    for (Source source : {Source::HandOver, Source::Playlist, Source::Bus}) {
        said.clear();
        EXPECT_FALSE(player.open(song("other.mp3"), source));
        EXPECT_TRUE(lastSaid(said).text.startsWith("The player is busy while the Lyric Maker is open."));
    }
    EXPECT_EQ(opens(), before);
    EXPECT_EQ(player.mediaPath(), pair);
    EXPECT_TRUE(player.playing());
    player.setBusy(false);

    // A song the engine refuses: said through songRefused (the program's
    // failure policy words it), and the player has no song.
    QSignalSpy refused(&player, &PlayerController::songRefused);
    const QString broken = song("broken.mp3", {{0, "x"}});
    engine.refuse(broken, 19);
    EXPECT_TRUE(player.open(broken, Source::Bus));
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.first().at(0).toString(), broken);
    EXPECT_FALSE(player.hasSong());
    EXPECT_TRUE(player.mediaPath().isEmpty());
    EXPECT_FALSE(player.lyricFound());
    EXPECT_EQ(text1(), "Normal Lyrics");
}

TEST_F(Controller, TheLinesFollowTheSongAndSayWhichLineTheyShow)
{
    QSignalSpy changed(&player, &PlayerController::linesChanged);
    player.open(song("a.mp3", {{100, "one"}, {200, "two!"}}, {{100, "uno"}, {200, "dos"}}), Source::Dialog);
    play(1500);
    EXPECT_EQ(text1(), "one");
    EXPECT_EQ(player.lines().panes.tip1, "two!");
    EXPECT_EQ(player.lines().panes.text2, "uno");
    EXPECT_EQ(player.lines().line, 1);
    EXPECT_FALSE(player.lines().bold1);
    play(1000);
    EXPECT_EQ(player.lines().line, 2);
    EXPECT_TRUE(player.lines().bold1 && player.lines().bold2);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().first().value<LyricLines>(), player.lines());

    // Nothing changes between lines: no signal.
    const int signals = int(changed.count());
    play(10);
    EXPECT_EQ(changed.count(), signals);

    player.stop();
    EXPECT_EQ(player.lines().panes.tip1, "Lyrics");
    EXPECT_EQ(player.lines().panes.tip2, "Tranalated Lyrics");
    EXPECT_FALSE(player.lineTimer().isActive());

    // A lyric without translation: one pane.
    player.open(song("solo.mp3", {{0, "alone"}}), Source::Dialog);
    EXPECT_FALSE(player.lines().twoPanes);
    EXPECT_EQ(text1(), "alone");
}

TEST_F(Controller, ALyricFromElsewhereFollowsTheClockGiven)
{
    // A lyric that came from elsewhere, shown while nothing of the player's
    // own plays, on another player's clock.
    lyrics::LyricTable table;
    table.lineCount = 3;
    table.times[1] = 100;
    table.lines[1] = "first";
    table.times[2] = 300;
    table.lines[2] = "second";
    table.noTranslation = true;
    lyrics::LyricOrigin origin;
    origin.kind = lyrics::LyricOrigin::Kind::LrcFile;
    QSignalSpy loaded(&player, &PlayerController::lyricLoaded);
    HandClock other;
    player.followClock(&other);
    player.showLyric(table, origin);
    EXPECT_EQ(loaded.count(), 1);
    EXPECT_FALSE(player.lines().twoPanes);

    other.state = LyricClock::Motion::Running;
    other.at = 1500;
    player.clockChanged();
    EXPECT_EQ(text1(), "first");
    EXPECT_EQ(player.lineTimer().interval(), 1500); // armed for the next line's time
    other.at = 3200;
    player.clockChanged(); // a jump, as the other player seeks
    EXPECT_EQ(text1(), "second");
    EXPECT_FALSE(player.lineTimer().isActive()); // past the last line

    other.state = LyricClock::Motion::Stopped;
    other.at = 1200;
    player.clockChanged();
    EXPECT_EQ(text1(), "first");
    EXPECT_FALSE(player.lineTimer().isActive()); // nothing runs: nothing armed

    // Back to the player's own songs.
    player.followClock(nullptr);
    player.open(song("own.mp3", {{100, "own line"}}), Source::Dialog);
    play(1500);
    EXPECT_EQ(text1(), "own line");
}

TEST_F(Controller, TheEndOfASongFollowsThePlayOrderWithOrWithoutAWindow)
{
    const QStringList songs {song("a.mp3", {}, {}, 1000), song("b.mp3", {}, {}, 1000), song("c.mp3", {}, {}, 1000)};
    player.playlist().append(songs);
    HeldSelection list;
    player.setSelection(&list);
    QSignalSpy ended(&player, &PlayerController::songEnded);

    player.playEntry(0);
    EXPECT_EQ(list.entry, 0);
    playOut(1000);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(player.mediaPath(), songs[1]);
    EXPECT_EQ(list.entry, 1);
    EXPECT_EQ(player.playingEntry(), 1);

    // The playing entry moves with its song; the selection is the window's.
    player.playlist().swapWithNext(0);
    EXPECT_EQ(player.playingEntry(), 0);
    list.entry = -1;
    player.next(); // from the playing entry
    EXPECT_EQ(player.mediaPath(), songs[0]);

    // Repeat one: the same song again.
    QSignalSpy order(&player, &PlayerController::playOrderChanged);
    player.playOrder().setRepeat(true);
    player.playOrder().setRepeatOne(true);
    EXPECT_EQ(order.count(), 2);
    playOut(1000);
    EXPECT_EQ(player.mediaPath(), songs[0]);
    EXPECT_TRUE(player.playing());

    // Without a window nothing is selected: a song's end stops there.
    player.setSelection(nullptr);
    player.playOrder().setRepeat(false);
    playOut(1000);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.mediaPath(), songs[0]);
    player.previous(); // "<<" still goes from the playing entry (b, a, c) ...
    EXPECT_EQ(player.mediaPath(), songs[1]);
    player.previous(); // ... round from the first to the last
    EXPECT_EQ(player.mediaPath(), songs[2]);
}

TEST_F(Controller, VolumeAndMuteHoldForEverySong)
{
    QSignalSpy volume(&player, &PlayerController::volumeChanged);
    player.setMuted(true);
    player.setVolumeStep(7);
    player.setVolumeStep(7); // no change, no news
    EXPECT_EQ(volume.count(), 2);
    player.open(song("a.mp3"), Source::Dialog);
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel()));
    EXPECT_FLOAT_EQ(engine.channelVolume(engine.lastChannel()), 0.7f);
    player.setMuted(false);
    player.open(song("b.mp3"), Source::Dialog);
    EXPECT_FALSE(engine.channelMuted(engine.lastChannel()));
    EXPECT_FLOAT_EQ(engine.channelVolume(engine.lastChannel()), 0.7f);
}

TEST(PlayOrderSettings, RandomAndRepeatExcludeEachOtherAndTheChoiceIsKept)
{
    PlayOrderSettings order;
    QSignalSpy changed(&order, &PlayOrderSettings::changed);
    order.setRepeat(true);
    order.setRepeatOne(true);
    order.setRandom(true);
    EXPECT_TRUE(order.random());
    EXPECT_FALSE(order.repeat());
    EXPECT_TRUE(order.repeatOne()); // kept while Repeat is off
    order.setRandom(false);         // unticking changes nothing else
    EXPECT_FALSE(order.repeat());
    order.set(true, true, false); // Random wins
    EXPECT_TRUE(order.random() && !order.repeat() && !order.repeatOne());
    EXPECT_EQ(changed.count(), 5);
    order.set(true, true, false);
    EXPECT_EQ(changed.count(), 5);
    const PlaylistState state = order.appliedTo({4, 2});
    EXPECT_TRUE(state.random && state.repeatAll && !state.repeatOne);
    EXPECT_EQ(state.selected, 2);
}
