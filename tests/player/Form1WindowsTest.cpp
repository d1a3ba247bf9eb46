// The main window's way to its other windows and to the desktop: the tray
// tip, the floating lyric window, the display options, help and About.
#include "PlayerFixture.h"

#include "floating/Lyric_Displayer.h"
#include "options/Form1b.h"
#include "platform/FontColorDialog.h"
#include "player/PlayerTray.h"
#include "widgets/TextFit.h"

#include <QAccessible>
#include <QApplication>
#include <QListWidget>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class PlayerOtherWindows : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
    }
    template <typename T>
    T* topLevel(const char* name) const
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                return qobject_cast<T*>(w);
        }
        return nullptr;
    }
};

} // namespace

TEST_F(PlayerOtherWindows, TheTrayTipFollowsTheChosenPaneCutTo63Characters)
{
    const QString longLine = QString(70, u'x') + "!";
    openThroughDialog(song("only.mp3", {{0, "short"}, {100, longLine}}));
    EXPECT_EQ(form->tray().tip(), "short"); // the first line starts at 0
    play(1000);
    EXPECT_EQ(form->tray().tip(), QString(63, u'x'));

    // The translated choice on a song without translation: the translated
    // pane's own text.
    child<QRadioButton>("Option2")->setEnabled(true);
    child<QRadioButton>("Option2")->click();
    EXPECT_EQ(form->tray().tip(), text2()->lyric());
    child<QRadioButton>("Option1")->click();
    EXPECT_EQ(form->tray().tip(), QString(63, u'x'));
}

TEST_F(PlayerOtherWindows, TheTrayChoiceIsOneExclusiveChoiceAndTheTipShowsAPaneFromTheStart)
{
    EXPECT_EQ(form->tray().tip(), "Normal Lyrics") << "no song yet: the pane's own text";
    auto* normal = child<QRadioButton>("Option1");
    auto* translated = child<QRadioButton>("Option2");
    // As assistive technology toggles a choice: the other one is cleared and
    // the tip follows.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(translated);
    ASSERT_TRUE(reader && reader->actionInterface());
    EXPECT_EQ(reader->role(), QAccessible::RadioButton);
    reader->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(translated->isChecked());
    EXPECT_FALSE(normal->isChecked());
    EXPECT_EQ(form->tray().tip(), "Translated Lyrics");
    reader->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(translated->isChecked()) << "a choice of an exclusive group cannot be cleared";

    QAccessible::queryAccessibleInterface(normal)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(normal->isChecked() && !translated->isChecked());
    EXPECT_EQ(form->tray().tip(), "Normal Lyrics");
}

TEST_F(PlayerOtherWindows, ThePanesNeverCoverEachOtherAtAnySizeTheFontDialogAllows)
{
    openThroughDialog(song("a.mp3", {{0, "A normal line"}},
                           {{0, "A translated line long enough to wrap onto three rows at a large font size"}}));
    play(100);
    for (const double points : {FontColorDialog::kSmallestSize, 15.0, 24.0, 72.0, FontColorDialog::kLargestSize}) {
        for (LyricPane* pane : {text1(), text2()}) {
            QFont font = pane->font();
            font.setPointSizeF(points);
            pane->setFont(font);
        }
        QApplication::processEvents();
        const QRect normal = text1()->geometry();
        const QRect translated = text2()->geometry();
        EXPECT_FALSE(normal.intersects(translated)) << points << " pt";
        EXPECT_TRUE(form->ui().panes->rect().contains(normal.united(translated))) << points << " pt";
        for (LyricPane* pane : {text1(), text2()}) {
            EXPECT_TRUE(textFits(pane->shownFont(), pane->text(), pane->textRect().size())) << points << " pt";
            EXPECT_LE(pane->shownFont().pointSizeF(), points);
        }
    }
}

TEST_F(PlayerOtherWindows, DisplayAllLyricsFillsAndShowsTheFloatingWindowWhichFollows)
{
    openThroughDialog(
        song("a.mp3", {{100, "one"}, {200, "two"}, {300, "three"}}, {{100, "uno"}, {200, "dos"}, {300, "tres"}}));
    EXPECT_FALSE(form->hasFloatingWindow());
    child<QPushButton>("Command11")->click();
    Lyric_Displayer& floating = form->floatingWindow();
    EXPECT_TRUE(floating.isVisible());
    auto* list1 = floating.findChild<QListWidget*>("List1");
    auto* list2 = floating.findChild<QListWidget*>("List2");
    ASSERT_EQ(list1->count(), 3);
    EXPECT_EQ(list2->item(2)->text(), "tres");

    play(10);   // the seek slider learns the length
    play(2490); // the normal pane changes: the window selects the line heard
    EXPECT_EQ(list1->currentRow(), 1);
    EXPECT_EQ(list2->currentRow(), 1);

    // Every play that starts a channel refills it, even hidden.
    floating.hide();
    openThroughDialog(song("b.mp3", {{0, "solo"}}));
    EXPECT_EQ(list1->count(), 1);
    EXPECT_EQ(list2->count(), 0);
    EXPECT_FALSE(floating.isVisible());
}

TEST_F(PlayerOtherWindows, MoreOptionsHelpAndAboutOpenTheirWindows)
{
    child<QPushButton>("Command3")->click();
    EXPECT_TRUE(form->optionsWindow().isVisible());
    EXPECT_EQ(child<QPushButton>("Command3")->toolTip(), "Font/Color");

    child<QPushButton>("Command4")->click();
    QWidget* about = topLevel<QWidget>("frmAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "About Cantorel");
    EXPECT_EQ(child<QPushButton>("Command4")->toolTip(), "About Cantorel");
    about->close();

    child<QPushButton>("Command6")->click();
    EXPECT_NE(topLevel<QWidget>("HelpWindow"), nullptr);
}

TEST_F(PlayerOtherWindows, TheNormalWindowKeepsItsSize)
{
    const QSize designed = form->size();
    form->resize(designed + QSize(200, 100));
    QApplication::processEvents();
    EXPECT_EQ(form->size(), designed);
}
