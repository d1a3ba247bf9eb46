// Play that moves on by itself over broken entries: a missing file or a song
// the engine refuses is marked in the list and passed over without a message
// box; only when every entry has failed in a row does play stop, with one
// message.
#include "controller/SongAdvance.h"
#include "player/PlayerFixture.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"
#include "support/Wait.h"

#include <QCheckBox>
#include <QTimer>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class UnattendedPlay : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
        list = &form->playlist();
        // The window selects the player's song once, just after it is made;
        // with no song, that is an entry without a name (a missing file),
        // which would move the selection the end of a song goes on from.
        auto* highlight = list->findChild<QTimer*>("Timer1");
        ASSERT_TRUE(highlight);
        ASSERT_TRUE(waitUntil([&] { return !highlight->isActive(); }, 2000));
    }
    // Entries: songs that play for a second, a missing file, a broken song.
    void fill(const QStringList& names)
    {
        for (const QString& name : names) {
            if (name.startsWith("gone"))
                paths << dir.filePath(name);
            else
                paths << song(name, {}, {}, 1000);
            if (name.startsWith("broken"))
                engine.refuse(paths.last(), 25);
        }
        list->model().append(paths);
        list->findChild<QCheckBox*>("Check4")->click(); // Repeat, "Repeat all"
        list->selectEntry(0);
        list->command7Click();
        ASSERT_TRUE(controller->playing());
    }
    // The song plays to its end, and the position timer sees it.
    void playOut()
    {
        play(1000);
        for (int i = 0; i < 3 && controller->positionTimer().isActive(); ++i)
            form->cTimer1Tick();
    }
    bool playingEntry(int entry)
    {
        return waitUntil([&] { return controller->playing() && controller->mediaPath() == paths[entry]; });
    }
    QString mark(int entry) const { return list->model().unplayableReason(entry); }
    // Lets whatever tries are queued run (each try queues the next).
    static void runQueuedTries()
    {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }

    Playlist* list = nullptr;
    QStringList paths;
};

const QString kMissing = QStringLiteral("File not found!!");
const QString kRefused = QStringLiteral("FMOD error! (25) Unsupported file or audio format. ");

} // namespace

TEST_F(UnattendedPlay, RepeatAllPlaysOnOverBrokenEntriesAndAMendedOneLosesItsMark)
{
    fill({"a.mp3", "gone.mp3", "broken.mp3", "d.mp3"});
    playOut();
    ASSERT_TRUE(playingEntry(3));
    EXPECT_EQ(mark(1), kMissing);
    EXPECT_EQ(mark(2), kRefused);
    EXPECT_TRUE(mark(3).isEmpty());

    // Round again, with the broken song mended: it plays, and says so.
    engine.refuse(paths[2], 0);
    playOut();
    ASSERT_TRUE(playingEntry(0));
    playOut();
    ASSERT_TRUE(playingEntry(2));
    EXPECT_TRUE(mark(2).isEmpty());
    EXPECT_EQ(mark(1), kMissing);
    EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(UnattendedPlay, WhenEveryEntryFailsInARowPlayStopsWithOneMessage)
{
    fill({"a.mp3", "gone.mp3", "broken.mp3"});
    // The playing song's file breaks too: its stop at the end finds it.
    engine.refuse(paths[0], 19);
    prompts.expectMessage(SongAdvance::allFailedMessage());
    playOut();
    ASSERT_TRUE(waitUntil([&] { return prompts.remaining() == 0; }));
    const int opens = int(engine.log.filter("createStream").size());
    runQueuedTries(); // nothing more is tried
    EXPECT_EQ(engine.log.filter("createStream").size(), opens);
    EXPECT_FALSE(controller->playing());
    EXPECT_TRUE(controller->mediaPath().isEmpty());
    EXPECT_EQ(mark(0), QStringLiteral("FMOD error! (19) Error loading file. "));
}

TEST_F(UnattendedPlay, ASongTheUserOpensKeepsItsMessageAndEndsTheRun)
{
    fill({"a.mp3", "gone.mp3", "broken.mp3", "d.mp3"});
    engine.refuse(paths[3], 19);
    playOut(); // on to the missing entry: its try comes from the event loop
    // The user picks the broken song meanwhile: told at once, and nothing
    // moves on behind their back.
    list->selectEntry(2);
    prompts.expectMessage(kRefused);
    list->command7Click();
    runQueuedTries();
    EXPECT_FALSE(controller->playing());
    EXPECT_EQ(list->selectedIndex(), 2);
    EXPECT_EQ(prompts.remaining(), 0);
}
