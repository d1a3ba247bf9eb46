// The desktop lyric bar fed by a player on the fake engine: shown and
// hidden, what it shows, its wipe, the lock, the wheel and the drag, and
// what it keeps for the next run.
#include "controller/PlayerController.h"
#include "desktopbar/BarMenu.h"
#include "desktopbar/DesktopLyricsSwitch.h"
#include "karaoke/WipeClock.h"
#include "support/HandClock.h"
#include "support/LyricSongs.h"
#include "support/ScriptedPrompts.h"
#include "support/UserInput.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::desktopbar;
using namespace cantorel::testing;

namespace {

class Bar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(player.start());
        make();
    }
    void make()
    {
        bar = std::make_unique<DesktopLyricsSwitch>(DesktopLyricsSwitch::Needs {player, clock, prompts, conf()});
    }
    QString conf() const { return dir.filePath(QStringLiteral("cantorel.conf")); }
    DesktopLyrics& window() { return *bar->bar(); }

    // Plays a song whose lyric has two lines at 1 s and 3 s, the first sung
    // word by word ("Shine on me" at 1.0, 1.5, 2.0 s until 2.5 s).
    void playWordTimedSong()
    {
        const QString song = writeLyricSong(engine, dir.filePath(QStringLiteral("Shine.mp3")),
                                            {{100, "Shine on me"}, {300, "Next line"}}, {}, 60000);
        player.open(song, PlayerController::OpenSource::Dialog);
        auto table = std::make_unique<lyrics::LyricTable>(player.lyricTable());
        table->words[1] = {{{0, 5, 100}, {6, 2, 150}, {9, 2, 200}}, 250};
        player.showLyric(*table, {lyrics::LyricOrigin::Kind::LrcFile, dir.filePath(QStringLiteral("Shine.lrc")), {}});
    }
    void playTo(unsigned ms)
    {
        engine.advance(ms - player.positionMs());
        player.tick();
        player.lookUpLine();
        clock.refresh();
    }

    QTemporaryDir dir;
    FakeAudioEngine engine;
    PlayerController player {engine};
    ScriptedPrompts prompts;
    // As the player wires it: the own song's position, or a followed one's.
    karaoke::WipeClock clock {[this] { return player.wordPositionMs(); }, [this] { return player.linesMoving(); }};
    std::unique_ptr<DesktopLyricsSwitch> bar;
};

} // namespace

TEST_F(Bar, AFramelessWindowOnTopThatTheUsersChoiceShowsAgainNextRun)
{
    QAction* toggle = bar->toggleAction();
    EXPECT_EQ(toggle->objectName(), "mn_desktopLyrics");
    EXPECT_EQ(toggle->text(), "Desktop Lyrics");
    EXPECT_EQ(toggle->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_EQ(bar->bar(), nullptr); // made when first wanted
    toggle->trigger();
    ASSERT_NE(bar->bar(), nullptr);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().objectName(), "desktopLyrics");
    EXPECT_EQ(window().windowTitle(), "Desktop Lyrics");
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    make(); // the next run
    ASSERT_NE(bar->bar(), nullptr);
    EXPECT_TRUE(window().isVisible());
    toggle = bar->toggleAction();
    EXPECT_TRUE(toggle->isChecked());
    QAction* close = nullptr;
    for (QAction* a : bar->menu().menu()->actions())
        if (a->objectName() == "mn_barClose")
            close = a;
    ASSERT_NE(close, nullptr);
    close->trigger();
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(toggle->isChecked());
    make();
    EXPECT_EQ(bar->bar(), nullptr);
}

TEST_F(Bar, ItShowsTheLineAndTheNextAndWipesTheWordsAsTheyAreSung)
{
    bar->setShown(true);
    playWordTimedSong();
    playTo(1500);
    EXPECT_EQ(window().lines(), (BarLines {"Shine on me", "Next line", 1}));
    EXPECT_TRUE(window().wiping());
    const int halfWay = window().sungPx();
    EXPECT_GT(halfWay, 0);
    EXPECT_TRUE(clock.timer().isActive());
    playTo(2600); // sung, and the next line not yet there
    EXPECT_GT(window().sungPx(), halfWay);
    EXPECT_FALSE(clock.timer().isActive());
    // What assistive technology reads.
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&window());
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->role(), QAccessible::StaticText);
    EXPECT_EQ(spoken->text(QAccessible::Name), "Shine on me\nNext line");
    // A line without word times is drawn whole.
    playTo(3100);
    EXPECT_EQ(window().lines().first, "Next line");
    EXPECT_FALSE(window().wiping());
}

TEST_F(Bar, WithoutALyricItShowsTheSongsTitleAndHidesWithStopWhenChosen)
{
    bar->setShown(true);
    EXPECT_EQ(window().lines().first, "Tessaly"); // no song yet
    const QString song = writeLyricSong(engine, dir.filePath(QStringLiteral("Quiet Song.mp3")), {}, {}, 60000);
    player.open(song, PlayerController::OpenSource::Dialog);
    EXPECT_EQ(window().lines(), (BarLines {"Quiet Song", "", -1}));

    bar->hideOnStopAction()->trigger();
    player.stop();
    EXPECT_TRUE(waitUntil([this] { return !window().isVisible(); }));
    player.play();
    EXPECT_TRUE(waitUntil([this] { return window().isVisible(); }));
    // The choice holds in the next run.
    make();
    EXPECT_TRUE(bar->hideOnStopAction()->isChecked());
}

TEST_F(Bar, FollowingAnotherPlayerItShowsThatPlayersLineAndWipeAndStaysThoughTheOwnSongStands)
{
    bar->setShown(true);
    bar->hideOnStopAction()->trigger();
    HandClock other;
    player.followClock(&other);
    player.setFollowCaption(QStringLiteral("Far Song"));
    EXPECT_EQ(window().lines().first, "Far Song"); // no lyric for the track: its name
    EXPECT_TRUE(waitUntil([this] { return window().isVisible(); }));

    auto table = std::make_unique<lyrics::LyricTable>();
    table->lineCount = 3;
    table->times[1] = 100;
    table->lines[1] = "Shine on me";
    table->times[2] = 300;
    table->lines[2] = "Next line";
    table->noTranslation = true;
    table->words[1] = {{{0, 5, 100}, {6, 2, 150}, {9, 2, 200}}, 250};
    player.showLyric(*table, {lyrics::LyricOrigin::Kind::LrcFile, dir.filePath(QStringLiteral("Far.lrc")), {}});
    other.state = LyricClock::Motion::Running;
    other.at = 1500;
    player.clockChanged();
    clock.refresh();
    EXPECT_EQ(window().lines(), (BarLines {"Shine on me", "Next line", 1}));
    EXPECT_TRUE(window().wiping());
    EXPECT_GT(window().sungPx(), 0);
    EXPECT_TRUE(clock.timer().isActive()); // the wipe moves with the other player
    other.state = LyricClock::Motion::Paused;
    player.clockChanged();
    clock.refresh();
    EXPECT_FALSE(clock.timer().isActive());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(Bar, WithoutACompositorItTakesTheShapeOfItsLettersAndTheWholeBarForItsPanel)
{
    bar->setShown(true);
    EXPECT_FALSE(window().shaped()); // the tests' screen composes
    playWordTimedSong();
    playTo(1500);
    window().setShaped(true);
    const QRegion letters = window().mask();
    ASSERT_FALSE(letters.isEmpty());
    const QRect box = letters.boundingRect();
    EXPECT_TRUE(window().rect().contains(box));
    // Around and between the letters the bar lets what is below show.
    qint64 area = 0;
    for (const QRect& r : letters)
        area += qint64(r.width()) * r.height();
    EXPECT_LT(area, qint64(box.width()) * box.height() * 3 / 4);
    EXPECT_FALSE(letters.contains(QPoint(1, 1)));

    QEnterEvent enter(QPointF(box.center()), QPointF(box.center()), window().mapToGlobal(QPointF(box.center())));
    QApplication::sendEvent(&window(), &enter);
    EXPECT_EQ(window().mask(), QRegion(window().rect()));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&window(), &leave);
    EXPECT_EQ(window().mask(), letters);
    playTo(3100); // another line, another shape
    EXPECT_NE(window().mask(), letters);

    window().setShaped(false);
    EXPECT_TRUE(window().mask().isEmpty());
}

TEST_F(Bar, LockedItLetsEveryClickThroughUntilTheMenusUnlockIt)
{
    bar->setShown(true);
    QAction* lock = bar->lockAction();
    EXPECT_EQ(lock->text(), "Lock");
    lock->trigger();
    EXPECT_TRUE(window().locked());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(window().testAttribute(Qt::WA_TransparentForMouseEvents));
    // Locked, neither the wheel nor a drag changes it.
    QSignalSpy looked(&window(), &DesktopLyrics::looked);
    QWheelEvent wheel(QPointF(5, 5), window().mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window(), &wheel);
    EXPECT_EQ(looked.count(), 0);
    make(); // the next run starts locked
    EXPECT_TRUE(bar->lockAction()->isChecked());
    EXPECT_TRUE(window().locked());
    bar->lockAction()->trigger();
    EXPECT_FALSE(window().locked());
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowTransparentForInput));
}

TEST_F(Bar, TheWheelResizesItADragMovesItAndBothAreKept)
{
    bar->setShown(true);
    const BarLook before = window().look();
    const int width = window().width();
    QWheelEvent wheel(QPointF(5, 5), window().mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 240), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window(), &wheel);
    EXPECT_NEAR(window().look().lineFont.pointSizeF(), before.lineFont.pointSizeF() * 1.21, 0.01);
    EXPECT_NEAR(window().width(), width * 1.21, 2);

    const QPoint start = window().pos();
    mousePress(&window(), Qt::LeftButton, QPoint(10, 10));
    QMouseEvent drag(QEvent::MouseMove, QPointF(10, 10),
                     QPointF(window().mapToGlobal(QPoint(10, 10)) + QPoint(-30, -40)), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&window(), &drag);
    QMouseEvent drop(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(window().mapToGlobal(QPoint(10, 10))),
                     Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(&window(), &drop);
    EXPECT_EQ(window().pos(), start + QPoint(-30, -40));

    const BarSettings kept(conf());
    EXPECT_EQ(kept.look(), window().look());
    EXPECT_EQ(kept.position(), window().pos());
}

TEST_F(Bar, APlaceOffEveryScreenComesBackOntoThePrimaryOne)
{
    {
        BarSettings settings(conf());
        settings.setPosition(QPoint(-60000, 90000));
        settings.setShown(true);
    }
    make();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window().geometry().center())) << window().pos().x() << "," << window().pos().y();
}

TEST_F(Bar, FontsAndColoursChosenFromItsMenuAreKeptAndASettingThatCannotBeIsSaidOnce)
{
    bar->setShown(true);
    prompts.expectColor(QColor(0x12, 0x34, 0x56));
    bar->menu().chooseColour(BarMenu::Colour::Sung);
    Prompts::FontChoice font = Prompts::FontChoice::of(window().look().secondFont, Qt::green);
    font.pointSize = 21;
    prompts.expectFont(font);
    bar->menu().chooseFont(true);
    prompts.expectColor(std::nullopt); // cancelled: nothing changes
    bar->menu().chooseColour(BarMenu::Colour::Outline);
    EXPECT_EQ(window().look().sung, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(window().look().secondFont.pointSizeF(), 21);
    EXPECT_EQ(window().look().unsung, QColor(Qt::green));
    EXPECT_EQ(BarSettings(conf()).look(), window().look());

    // The settings file turns into something else: the choices hold, and
    // the user is told once.
    writeFile(conf(), QByteArray("\x01\x02 not settings"));
    make();
    QSignalSpy notKept(bar.get(), &DesktopLyricsSwitch::notKept);
    bar->setShown(true);
    bar->setLocked(true);
    EXPECT_EQ(notKept.count(), 1);
    EXPECT_TRUE(bar->lockAction()->isChecked());
    EXPECT_EQ(prompts.remaining(), 0);
}
