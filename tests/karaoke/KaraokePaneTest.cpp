// The lyric pane wiping a line on a clock the test moves: what it draws, how
// little it repaints, and that the clock sleeps between lines and never
// wakes faster than the screen.
#include "karaoke/KaraokePane.h"
#include "karaoke/WipeClock.h"
#include "support/Wait.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::karaoke;
using cantorel::testing::waitUntil;

namespace {

// Counts the paints a widget gets, and keeps the last one's region.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            last = static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    int paints = 0;
    QRegion last;
};

const QString kLine = QStringLiteral("Shine on me");

class Pane : public ::testing::Test {
protected:
    void SetUp() override
    {
        pane.setClock(&clock);
        pane.setLyric(kLine);
        pane.resize(400, 80);
        pane.installEventFilter(&counter);
        pane.show();
        ASSERT_TRUE(waitUntil([this] { return counter.paints > 0; }));
    }
    // The words of "Shine on me" at 1.0, 2.0 and 2.5 s, sung until 4.0 s.
    void giveWords() { pane.setWords(kLine, {{0, 5, 1000, 2000}, {6, 2, 2000, 2500}, {9, 2, 2500, 4000}}); }
    // The song is at `ms`, and the clock wakes; what it posted is drawn.
    void wakeAt(qint64 ms)
    {
        position = ms;
        clock.refresh();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    int paintsAfter(qint64 ms)
    {
        const int before = counter.paints;
        wakeAt(ms);
        return counter.paints - before;
    }

    qint64 position = 0;
    bool moving = true;
    WipeClock clock {[this] { return position; }, [this] { return moving; }};
    KaraokePane pane {QStringLiteral("Text1")};
    PaintCounter counter;
};

} // namespace

TEST_F(Pane, ALineWithoutWordTimesAsksTheClockForNothing)
{
    wakeAt(500);
    EXPECT_FALSE(pane.wiping());
    EXPECT_FALSE(clock.timer().isActive());
    // Word times of another line are not this line's.
    pane.setWords(QStringLiteral("Another line"), {{0, 7, 0, 1000}});
    wakeAt(600);
    EXPECT_FALSE(pane.wiping());
    EXPECT_FALSE(clock.timer().isActive());
}

TEST_F(Pane, TheWipeRepaintsAStripOnlyWhenItCrossesAPixel)
{
    giveWords();
    wakeAt(1000);
    ASSERT_TRUE(pane.wiping());
    const int px = pane.sungPx();
    // A step too short to reach the next pixel draws nothing.
    const double nextPixel = clock.timer().interval();
    ASSERT_GT(nextPixel, 1);
    EXPECT_EQ(paintsAfter(1001), 0);
    EXPECT_EQ(pane.sungPx(), px);
    // Later on the wipe has moved: only the strip it crossed is drawn.
    EXPECT_EQ(paintsAfter(1500), 1);
    EXPECT_GT(pane.sungPx(), px);
    EXPECT_LT(counter.last.boundingRect().width(), pane.width() / 4);
}

TEST_F(Pane, TheClockWakesForTheNextPixelButNeverSoonerThanAFrame)
{
    clock.setFrameMs(16);
    // A long word over few pixels: the wait is the time to its next pixel.
    pane.setWords(kLine, {{0, 11, 1000, 60000}});
    wakeAt(1000);
    EXPECT_TRUE(clock.timer().isActive());
    EXPECT_GT(clock.timer().interval(), 16);
    // A quick line: many pixels a frame, so one frame.
    pane.setWords(kLine, {{0, 11, 1000, 1100}});
    wakeAt(1050);
    EXPECT_EQ(clock.timer().interval(), 16);
    // Before the first word: the wait is for its first pixel.
    giveWords();
    wakeAt(100);
    EXPECT_GT(clock.timer().interval(), 900);
    EXPECT_LT(clock.timer().interval(), 1000);
    // Paused, the wipe shows where the song is and nothing is armed.
    moving = false;
    wakeAt(1500);
    EXPECT_FALSE(clock.timer().isActive());
    EXPECT_GT(pane.sungPx(), 0);
}

TEST_F(Pane, ARegularWakeUpLentToTheClockMovesTheWipeWithoutATimerOfItsOwn)
{
    QTimer ticks;
    ticks.setInterval(5);
    clock.rideOn(&ticks);
    QObject::connect(&ticks, &QTimer::timeout, &clock, [this] { clock.showAt(double(position)); });
    giveWords();
    ticks.start();
    wakeAt(1000);
    EXPECT_FALSE(clock.timer().isActive());
    position = 1500;
    EXPECT_TRUE(waitUntil([this] { return pane.sungPx() > 0; }));
    // The ticks stop (a pause, another clock followed): the clock's own
    // timer takes over.
    ticks.stop();
    wakeAt(1600);
    EXPECT_TRUE(clock.timer().isActive());
    clock.rideOn(nullptr);
}

TEST_F(Pane, NothingRepaintsBetweenLines)
{
    giveWords();
    wakeAt(3000);
    // The last word ends: the whole line is sung, drawn once more.
    EXPECT_EQ(paintsAfter(4000), 1);
    EXPECT_FALSE(clock.timer().isActive());
    // Until the next line, however often the clock is asked, nothing is drawn.
    for (qint64 ms = 4100; ms < 6000; ms += 300)
        EXPECT_EQ(paintsAfter(ms), 0) << ms;
    EXPECT_FALSE(clock.timer().isActive());
}

TEST_F(Pane, TheSungPartIsInTheTextColourAndTheRestFaded)
{
    QFont big = pane.font();
    big.setPointSize(30);
    pane.setFont(big);
    giveWords();
    wakeAt(2000); // "Shine" sung, the wipe at the start of "on"
    QApplication::processEvents();
    const QImage shot = pane.grab().toImage();
    const QColor ink = pane.palette().color(QPalette::Active, pane.foregroundRole());
    // The darkest pixel left of the wipe is the text colour; right of it
    // nothing is that dark.
    const auto darkest = [&shot](int from, int to) {
        int best = 255;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < shot.height(); ++y)
                best = std::min(best, qGray(shot.pixel(x, y)));
        return best;
    };
    const QRect text = pane.textRect();
    const int wipeX =
        text.left() + (text.width() - QFontMetrics(pane.shownFont()).horizontalAdvance(kLine)) / 2 + pane.sungPx();
    EXPECT_LE(darkest(text.left(), wipeX), qGray(ink.rgb()) + 40);
    EXPECT_GT(darkest(wipeX + 2, text.right()), qGray(ink.rgb()) + 60);
}
