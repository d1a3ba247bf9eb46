// The floating lyric window: filling, following the play position, its
// follow burst, its size rules and "Stay On Top".
#include "floating/FollowRule.h"
#include "floating/Lyric_Displayer.h"
#include "lyrics/LyricTable.h"
#include "platform/Twips.h"
#include "support/Wait.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using cantorel::Lyric_Displayer;
using cantorel::twipsToPixels;
using cantorel::lyrics::LyricTable;
using cantorel::testing::waitUntil;

namespace {

// Lines at 10 s, 20 s and 30 s, with or without their translation.
std::unique_ptr<LyricTable> threeLines(bool translated)
{
    auto table = std::make_unique<LyricTable>();
    for (int i = 1; i <= 3; ++i) {
        table->listLines[i] = QStringLiteral("line %1").arg(i);
        table->listTranslatedLines[i] = QStringLiteral("ligne %1").arg(i);
        table->listTimes[i] = QString::number(i * 1000);
    }
    table->lineCount = 4;
    table->noTranslation = !translated;
    return table;
}

class FloatingWindow : public ::testing::Test {
protected:
    template <typename T = QListWidget>
    T* child(const char* name)
    {
        return window.findChild<T*>(QLatin1String(name));
    }
    // The row List1 shows after the pane changed at `ms`.
    int rowAt(int ms)
    {
        position = ms;
        window.normalPaneChanged();
        return child("List1")->currentRow();
    }

    int position = 0;
    Lyric_Displayer window {[this] { return position; }};
};

} // namespace

TEST(FollowRule, StrictComparisonsAndTimeTexts)
{
    using namespace cantorel::floating;
    EXPECT_EQ(followedRow({1000}, 5000), std::nullopt) << "one line";
    EXPECT_EQ(followedRow({1000, 3000, 2000, 4000}, 2500), 2) << "the last match wins";

    EXPECT_EQ(leadingNumber(u" 12.5s"), 12.5);
    EXPECT_EQ(leadingNumber(u"0.3"), 3 / 10.0);
    EXPECT_EQ(leadingNumber(u"abc"), 0);
}

TEST_F(FloatingWindow, FillsAndFollowsTheSong)
{
    window.fill(*threeLines(true), false);
    QListWidget* list1 = child("List1");
    QListWidget* list2 = child("List2");
    QListWidget* list3 = child("List3");
    ASSERT_EQ(list1->count(), 3);
    EXPECT_EQ(list1->item(0)->text() + list2->item(2)->text() + list3->item(1)->text(),
              QStringLiteral("line 1ligne 32000"));
    EXPECT_TRUE(list3->isHidden());

    // A list that takes the focus gets a current row it does not select;
    // the other list must not select it either.
    list1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    EXPECT_TRUE(list2->selectedItems().isEmpty());
    position = 5000;
    window.normalPaneChanged();
    EXPECT_TRUE(list1->selectedItems().isEmpty() && list2->selectedItems().isEmpty())
        << "before the first line nothing is selected";
    EXPECT_EQ(rowAt(15000), 0);
    EXPECT_TRUE(list1->item(0)->isSelected()) << "the current row unselected is selected now";
    EXPECT_TRUE(list2->item(0)->isSelected()) << "the translation stays level";
    EXPECT_EQ(rowAt(20000), 0) << "on a line's time the selection stays";
    EXPECT_EQ(rowAt(25000), 1);
    EXPECT_EQ(rowAt(99000), 2) << "past the last line";
    EXPECT_EQ(list2->currentRow(), 2);
    EXPECT_EQ(rowAt(1000), 2) << "back before the first line the selection does not move";

    list1->setCurrentRow(0); // as the user would
    EXPECT_EQ(list2->currentRow(), 0);

    window.fill(*threeLines(false), false);
    EXPECT_EQ(list2->count(), 0) << "no translation";
    EXPECT_EQ(rowAt(25000), 1);
    EXPECT_EQ(list2->currentRow(), -1);

    window.fill(*threeLines(true), true);
    EXPECT_EQ(list1->count() + list2->count() + list3->count(), 0) << "no lyrics: cleared";
    EXPECT_EQ(rowAt(25000), -1);
}

TEST_F(FloatingWindow, FollowBurstEndsByItselfAndOnlyRunsWhileShown)
{
    window.fill(*threeLines(true), false);
    EXPECT_EQ(rowAt(15000), 0);
    EXPECT_FALSE(window.following()) << "hidden: one step, no burst";
    position = 25000;
    window.show();
    EXPECT_EQ(child("List1")->currentRow(), 1) << "showing follows the song";

    EXPECT_EQ(rowAt(15000), 0);
    ASSERT_TRUE(window.following());
    // The song moves on while the burst runs: its steps follow.
    position = 25000;
    ASSERT_TRUE(waitUntil([&] { return child("List1")->currentRow() == 1; }, 2000));
    ASSERT_TRUE(waitUntil([&] { return !window.following(); }, 2000)) << "the burst must end";
    for (QTimer* t : window.findChildren<QTimer*>())
        EXPECT_FALSE(t->isActive()) << t->objectName().toStdString();
}

TEST_F(FloatingWindow, MinimumSizeLayoutAndStayOnTop)
{
    window.show();
    const auto px = [this](double twips) { return twipsToPixels(twips, &window); };
    window.resize(px(300), px(1000));
    ASSERT_TRUE(waitUntil([&] { return window.size() == QSize(px(400), px(2000)); }, 2000)) << window.width();

    window.resize(px(300), px(3000));
    EXPECT_TRUE(waitUntil([&] { return window.size() == QSize(px(400), px(3000)); }, 2000)) << "one dimension";

    window.resize(px(6000), px(3000));
    ASSERT_TRUE(waitUntil([&] { return window.width() == px(6000); }, 2000));
    const QRect a = child("List1")->geometry();
    const QRect b = child("List2")->geometry();
    EXPECT_NEAR(a.width(), px(3000 - 120), 1);
    EXPECT_NEAR(a.height(), px(3000 - 140), 1);
    EXPECT_EQ(b.size(), a.size());
    EXPECT_NEAR(b.left() - a.left() - a.width(), px(100), 1);

    auto* menu = child<QMenu>("mneu");
    auto* stay = child<QAction>("mn_stay");
    auto* ontop = child<QTimer>("ontop");
    ASSERT_TRUE(menu && stay && ontop);

    QListWidget* list2 = child("List2");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), list2->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list2->viewport(), &click);
    EXPECT_TRUE(waitUntil([&] { return menu->isVisible(); }, 2000)) << "right-click on a list opens the menu";
    menu->hide();

    stay->trigger();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible() && ontop->isActive());
    EXPECT_EQ(ontop->interval(), 10000);

    stay->trigger();
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "unchecking releases the window";
    EXPECT_TRUE(window.isVisible() && !ontop->isActive());
}
