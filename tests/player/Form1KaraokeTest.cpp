// The player with a lyric sung word by word: its lyric pane wipes the line
// in step with the song, and the desktop lyric bar is in its menus and
// under Ctrl+D.
#include "PlayerFixture.h"

#include "desktopbar/DesktopLyricsSwitch.h"
#include "karaoke/KaraokePane.h"
#include "karaoke/WipeClock.h"
#include "player/KaraokeViews.h"
#include "support/Wait.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class Karaoke : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
    }
    // A song whose first line, at 1 s, is sung word by word until 2.5 s.
    void openWordTimedSong()
    {
        openThroughDialog(song("song.mp3", {{100, "Shine on me"}, {300, "Next line"}}));
        auto table = std::make_unique<lyrics::LyricTable>(controller->lyricTable());
        table->words[1] = {{{0, 5, 100}, {6, 2, 150}, {9, 2, 200}}, 250};
        controller->showLyric(*table, {lyrics::LyricOrigin::Kind::LrcFile, dir.filePath("song.lrc"), {}});
    }
    karaoke::KaraokePane* pane() const { return static_cast<karaoke::KaraokePane*>(text1()); }
    QAction* entry(QMenu& menu, const char* name)
    {
        for (QAction* a : menu.actions())
            if (a->objectName() == QLatin1String(name))
                return a;
        return nullptr;
    }
};

} // namespace

TEST_F(Karaoke, TheLyricPaneWipesTheLineAsItsWordsAreSung)
{
    openWordTimedSong();
    karaoke::WipeClock& clock = form->karaoke().clock();
    play(1200);
    ASSERT_EQ(text1()->lyric(), "Shine on me");
    EXPECT_TRUE(pane()->wiping());
    const int early = pane()->sungPx();
    // The wipe moves on the position timer's ticks, with no timer of its own.
    EXPECT_TRUE(controller->positionTimer().isActive());
    EXPECT_FALSE(clock.timer().isActive());
    play(700);
    clock.refresh(); // as the tick's wake-up does
    EXPECT_GT(pane()->sungPx(), early);
    // A pause holds the wipe where it is; nothing runs.
    form->cpauseClick();
    EXPECT_FALSE(controller->positionTimer().isActive());
    EXPECT_FALSE(clock.timer().isActive());
    form->cpauseClick();
    // The next line has no word times: drawn whole, nothing more to wake for.
    play(1200);
    EXPECT_EQ(text1()->lyric(), "Next line");
    EXPECT_FALSE(pane()->wiping());
    EXPECT_FALSE(clock.timer().isActive());
}

TEST_F(Karaoke, CtrlDAndTheMenusShowTheDesktopLyricsWhichTheTrayUnlocks)
{
    desktopbar::DesktopLyricsSwitch& bar = form->karaoke().desktopLyrics();
    QMenu& tray = *form->findChild<QMenu*>("mn_pop"); // the tray's menu
    QMenu& windowMenu = *form->findChild<QMenu*>("lyricMenu");
    for (QMenu* menu : {&tray, &windowMenu}) {
        EXPECT_EQ(entry(*menu, "mn_desktopLyrics"), bar.toggleAction());
        EXPECT_EQ(entry(*menu, "mn_lockLyrics"), bar.lockAction());
    }
    EXPECT_EQ(bar.toggleAction()->text(), "Desktop Lyrics");
    EXPECT_TRUE(bar.toggleAction()->isCheckable());

    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(waitUntil([this] { return form->isActiveWindow(); }));
    QTest::keyClick(form.get(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_NE(bar.bar(), nullptr);
    EXPECT_TRUE(bar.bar()->isVisible());
    EXPECT_TRUE(bar.toggleAction()->isChecked());

    entry(tray, "mn_lockLyrics")->trigger();
    EXPECT_TRUE(bar.bar()->locked());
    entry(tray, "mn_lockLyrics")->trigger();
    EXPECT_FALSE(bar.bar()->locked());

    QTest::keyClick(form.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(bar.bar()->isVisible());
}
