// Windows built from tables: what each row makes, where it goes, the tab
// order, and what a table that names what it does not have gets.
#include "platform/FormTable.h"

#include "platform/Twips.h"
#include "support/CapturedMessages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace cantorel::form;
using cantorel::twipsToPixels;
using cantorel::testing::CapturedMessages;

namespace {

// Object names of the widgets that take the focus by Tab, in the order Tab
// visits them.
QStringList tabStops(QWidget* form)
{
    QStringList names;
    for (QWidget* w = form->nextInFocusChain(); w != form; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
    }
    return names;
}

// clang-format off
const Control kControls[] = {
    {"Command1", Kind::Button, "Go",     "Starts it",   900},
    {"Check1",   Kind::Check,  "Loud",   nullptr,       0,   0,   Checked | Disabled},
    {"Text1",    Kind::Edit,   "0",      nullptr,       0,   0,   ReadOnly | Centred},
    {"Text2",    Kind::Edit,   nullptr,  nullptr,       0,   0,   Hidden},
    {"Label1",   Kind::Label,  "Name",   nullptr,       0,   600, AtLeast | Bold},
    {"Panel1",   Kind::Panel},
    {"Option1",  Kind::Radio,  "One"},
};

// Laid out against the table's order: the tab order stays the table's.
const Place kPlaces[] = {
    grid(nullptr,    "form"),
    putAt("form",    "Panel1",   {0, 0, 1, 2}),
    column("Panel1", "inPanel"), margins("inPanel", 0, 0),
    put("inPanel",   "Option1"), gap("inPanel", 300), put("inPanel", "Label1"),
    rowAt("form",    "buttons",  {1, 1}),
    put("buttons",   "Text1"),   stretch("buttons", 2), put("buttons", "Check1"), put("buttons", "Command1", 1),
};
// clang-format on

} // namespace

TEST(FormTable, MakesEachRowAsWrittenInTableOrderWhichIsTheTabOrder)
{
    QWidget form;
    FormBuilder ui(&form);
    ui.make(kControls);
    ui.layOut(kPlaces);

    auto* go = ui.get<QPushButton>("Command1");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->text(), "Go");
    EXPECT_EQ(go->toolTip(), "Starts it");
    EXPECT_EQ(go->minimumWidth(), twipsToPixels(900, &form));
    EXPECT_EQ(go->maximumWidth(), twipsToPixels(900, &form));
    auto* loud = ui.get<QCheckBox>("Check1");
    EXPECT_TRUE(loud->isChecked());
    EXPECT_FALSE(loud->isEnabled());
    auto* count = ui.get<QLineEdit>("Text1");
    EXPECT_EQ(count->text(), "0");
    EXPECT_TRUE(count->isReadOnly());
    EXPECT_EQ(count->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(ui.control("Text2")->isHidden());
    auto* name = ui.get<QLabel>("Label1");
    EXPECT_EQ(name->minimumHeight(), twipsToPixels(600, &form));
    EXPECT_GT(name->maximumHeight(), name->minimumHeight());
    EXPECT_TRUE(name->font().bold());

    EXPECT_EQ(tabStops(&form), QStringList({"Command1", "Check1", "Text1", "Text2", "Option1"}));
}

TEST(FormTable, PutsControlsInTheirBoxesCellsAndPanels)
{
    QWidget form;
    FormBuilder ui(&form);
    ui.make(kControls);
    ui.layOut(kPlaces);

    auto* grid = qobject_cast<QGridLayout*>(form.layout());
    ASSERT_NE(grid, nullptr);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(ui.control("Panel1")), &row, &column, &rowSpan, &columnSpan);
    EXPECT_EQ(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({0, 0, 1, 2}));
    // A box put in a panel becomes its layout, and takes its controls in.
    EXPECT_EQ(ui.control("Option1")->parentWidget(), ui.control("Panel1"));
    EXPECT_EQ(ui.box("inPanel")->contentsMargins(), QMargins());
    auto* inPanel = qobject_cast<QBoxLayout*>(ui.box("inPanel"));
    ASSERT_EQ(inPanel->count(), 3);
    EXPECT_EQ(inPanel->itemAt(1)->spacerItem()->sizeHint().height(), twipsToPixels(300, &form));

    auto* buttons = qobject_cast<QBoxLayout*>(ui.box("buttons"));
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->indexOf(ui.control("Text1")), 0);
    EXPECT_EQ(buttons->stretch(1), 2);
    EXPECT_EQ(buttons->stretch(3), 1);
}

TEST(FormTable, NamesItDoesNotHaveAreSkippedWithAWarningAndTheRestIsBuilt)
{
    const Control controls[] = {{"Command1", Kind::Button, "Go"}, {"Lost1", Kind::Label, "Nowhere"}};
    const Place places[] = {
        row(nullptr, "form"),
        put("form", "Command9"),
        put("nobox", "Command1"),
        put("form", "Command1"),
    };
    QWidget form;
    CapturedMessages messages;
    FormBuilder ui(&form);
    ui.make(controls);
    ui.layOut(places);
    ui.connectClicks(&form, {{"Command8", &QWidget::show}});

    EXPECT_TRUE(messages.contains("Form table: no control named \"Command9\""));
    EXPECT_TRUE(messages.contains("Form table: no box named \"nobox\""));
    EXPECT_TRUE(messages.contains("Form table: control \"Lost1\" is made but never placed"));
    EXPECT_TRUE(messages.contains("Form table: no button named \"Command8\""));
    EXPECT_EQ(messages.lines.size(), 4);
    EXPECT_EQ(form.layout()->indexOf(ui.control("Command1")), 0);
}
