// The font dialog of both programs: what the user leaves alone comes back
// exactly, and sizes may have a fraction.
#include "platform/FontColorDialog.h"
#include "platform/QtPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using cantorel::FontColorDialog;
using cantorel::Prompts;

namespace {

// A face that is not installed, a size with a fraction, a weight between
// normal and bold, and every effect.
Prompts::FontChoice unusualStart()
{
    return Prompts::FontChoice {"Lucida Sans Unicode", 10.5, 600, true, true, true, QColor(10, 200, 30)};
}

// Presses OK on the font dialog once it shows; gives up (Cancel) after 5 s
// so that a dialog that never accepts fails the test instead of hanging it.
void pressOkWhenShown()
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, tries = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<FontColorDialog*>(modal);
        if (!dialog && ++tries < 500)
            return;
        if (dialog)
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        else if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
        timer->deleteLater();
    });
    timer->start(10);
}

} // namespace

TEST(FontColorDialog, OkWithoutAChangeGivesBackTheStartExactly)
{
    const Prompts::FontChoice start = unusualStart();
    cantorel::QtPrompts prompts("Test");
    QWidget owner;
    pressOkWhenShown();
    const auto chosen = prompts.chooseFont(&owner, start);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->family.toStdString(), start.family.toStdString());
    EXPECT_EQ(chosen->pointSize, 10.5);
    EXPECT_TRUE(*chosen == start);
    // Through a QFont and back, as the windows keep it.
    EXPECT_TRUE(Prompts::FontChoice::of(chosen->appliedTo(QFont()), chosen->color) == start);

    FontColorDialog dialog(start);
    const auto* note = dialog.findChild<QLabel*>("fontNote");
    if (!QFontDatabase::families().contains(start.family)) {
        EXPECT_TRUE(note->text().contains("not installed")) << note->text().toStdString();
    }
}

TEST(FontColorDialog, FractionalSizesCanBeTypedAndUnusableOnesAreRefused)
{
    FontColorDialog dialog(unusualStart());
    auto* size = dialog.findChild<QComboBox*>("fontSize");
    const QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(size && ok);
    EXPECT_EQ(size->currentText(), "10.5");

    size->setEditText("12.75");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.choice().pointSize, 12.75);
    size->setEditText(" 8 ");
    EXPECT_EQ(dialog.choice().pointSize, 8.0);
    for (const char* bad : {"", "0", "0.5", "-3", "big", "5000", "nan"}) {
        size->setEditText(bad);
        EXPECT_FALSE(dialog.isChoiceValid()) << bad;
        EXPECT_FALSE(ok->isEnabled()) << bad;
    }
    size->setEditText("10.5");
    EXPECT_TRUE(ok->isEnabled());
}

TEST(FontColorDialog, WhatTheUserChangesIsTaken)
{
    const Prompts::FontChoice start = unusualStart();
    FontColorDialog dialog(start);
    dialog.findChild<QComboBox*>("fontFamily")->setEditText("dejavu serif");
    EXPECT_EQ(dialog.findChild<QLabel*>("fontNote")->text(), "") << "an installed face, in any letter case";
    dialog.findChild<QComboBox*>("fontFamily")->setEditText("DejaVu Serif");
    dialog.findChild<QCheckBox*>("fontItalic")->setChecked(false);
    dialog.findChild<QCheckBox*>("fontStrikeOut")->setChecked(false);
    auto* bold = dialog.findChild<QCheckBox*>("fontBold");
    EXPECT_TRUE(bold->isChecked()); // 600 counts as bold
    bold->setChecked(false);

    Prompts::FontChoice expected = start;
    expected.family = "DejaVu Serif";
    expected.weight = 400;
    expected.italic = expected.strikeOut = false;
    EXPECT_TRUE(dialog.choice() == expected);

    bold->setChecked(true); // ticked as it started: the start's own weight
    EXPECT_EQ(dialog.choice().weight, 600);
    Prompts::FontChoice plain = start;
    plain.weight = 400;
    FontColorDialog plainDialog(plain);
    plainDialog.findChild<QCheckBox*>("fontBold")->setChecked(true);
    EXPECT_EQ(plainDialog.choice().weight, 700);
    dialog.findChild<QComboBox*>("fontFamily")->setEditText("  ");
    EXPECT_FALSE(dialog.isChoiceValid());
}
