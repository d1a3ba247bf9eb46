// The player finds lyrics where users keep them (an LRC file beside the
// song) and lets a lyric that runs early or late be nudged and kept.
#include "PlayerFixture.h"

#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"
#include "support/Wait.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class PlayerLyricSources : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
    }
    // A song with only an LRC file beside it: lines at 1 s and 2 s, the
    // second one translated by a same-time line.
    QString lrcSong()
    {
        const QString path = song("Rain.mp3");
        writeFile(dir.filePath("Rain.lrc"),
                  "[ti:Rain]\n[00:01.00]drops\n[00:02.00]more drops\n[00:02.00]plus de gouttes\n");
        return path;
    }
    QAction* action(const char* name) const { return form->findChild<QAction*>(QLatin1String(name)); }
};

} // namespace

TEST_F(PlayerLyricSources, ASongWithOnlyAnLrcFilePlaysWithItsLyric)
{
    openThroughDialog(lrcSong());
    EXPECT_TRUE(controller->lyricsLoaded());
    EXPECT_FALSE(controller->noLyrics());
    EXPECT_FALSE(controller->noTranslation());
    play(1500);
    EXPECT_EQ(text1()->lyric(), "drops");
    play(1000);
    EXPECT_EQ(text1()->lyric(), "more drops");
    EXPECT_EQ(text2()->lyric(), "plus de gouttes");

    // The playlist sees the same lyric.
    Playlist& list = form->playlist();
    list.model().append(dir.filePath("Rain.mp3"));
    list.selectEntry(0);
    // An LRC file is read off the window thread.
    EXPECT_TRUE(waitUntil([&] { return list.findChild<QCheckBox*>("Check2")->isChecked(); }));
    EXPECT_EQ(list.findChild<QCheckBox*>("Check2")->toolTip(), "Rain.lrc");
}

TEST_F(PlayerLyricSources, TheLyricMovesEarlierOrLaterAndANewSongStartsOnTime)
{
    openThroughDialog(lrcSong());
    play(10);
    play(880); // 890 ms: before the first line
    EXPECT_EQ(text1()->lyric(), "");
    action("mn_earlier")->trigger(); // every line 100 ms earlier: "drops" at 900
    play(10);
    EXPECT_EQ(text1()->lyric(), "drops");
    action("mn_later")->trigger();
    action("mn_later")->trigger(); // 100 ms later than written: at 1100
    form->timer2Tick();
    EXPECT_EQ(text1()->lyric(), "");
    EXPECT_EQ(action("mn_earlier")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Left));

    openThroughDialog(song("other.mp3", {{100, "on time"}}));
    play(1000);
    EXPECT_EQ(text1()->lyric(), "on time");
}

TEST_F(PlayerLyricSources, SavingTheOffsetKeepsItInTheLrcFile)
{
    openThroughDialog(lrcSong());
    action("mn_earlier")->trigger();
    action("mn_earlier")->trigger();
    action("mn_saveoffset")->trigger();
    const QByteArray saved = readFile(dir.filePath("Rain.lrc"));
    EXPECT_TRUE(saved.contains("[offset:+200]") || saved.contains("[offset:200]")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("[00:01.00]drops")); // the time tags stay as written
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Rain.lrc.bak")));

    // Read back with its offset, the lyric is where it was heard.
    play(10);
    play(800);
    EXPECT_EQ(text1()->lyric(), "drops");

    // Nothing to keep: said, nothing written.
    prompts.expectMessage(QString());
    action("mn_saveoffset")->trigger();
    EXPECT_EQ(readFile(dir.filePath("Rain.lrc")), saved);
}

TEST_F(PlayerLyricSources, AReadOnlyLyricIsReplacedOnlyWhenTheUserSaysSo)
{
    openThroughDialog(lrcSong());
    const QString lrc = dir.filePath("Rain.lrc");
    const QByteArray before = readFile(lrc);
    ASSERT_TRUE(QFile::setPermissions(lrc, QFile::ReadOwner));
    const QString question = "The lyric file Rain.lrc is read-only. Replace it anyway to keep the offset?";
    action("mn_earlier")->trigger();

    prompts.expectMessage(question, Prompts::Answer::No);
    action("mn_saveoffset")->trigger();
    EXPECT_EQ(readFile(lrc), before);
    EXPECT_FALSE(QFileInfo::exists(lrc + ".bak"));

    prompts.expectMessage(question, Prompts::Answer::Yes);
    action("mn_saveoffset")->trigger();
    EXPECT_TRUE(readFile(lrc).contains("[offset:100]")) << readFile(lrc).toStdString();
    EXPECT_EQ(readFile(lrc + ".bak"), before);
    EXPECT_EQ(QFile::permissions(lrc) & 0x7077, QFile::ReadOwner);
}
