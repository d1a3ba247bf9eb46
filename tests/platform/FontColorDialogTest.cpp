// The font dialog of both programs: what the user leaves alone comes back
// exactly, and sizes may have a fraction.
#include "platform/FontColorDialog.h"
#include "platform/QtPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using cantorel::FontColorDialog;
using cantorel::Prompts;

namespace cantorel {
void PrintTo(const Prompts::FontChoice& c, std::ostream* os)
{
    *os << '"' << c.family.toStdString() << "\" " << c.pointSize << " pt, weight " << c.weight
        << (c.italic ? ", italic" : "") << (c.underline ? ", underline" : "")
        << (c.strikeOut ? ", strike-out" : "") << ", " << c.color.name().toStdString();
}
} // namespace cantorel

namespace {

// A face that is not installed, a size with a fraction, a weight between
// normal and bold, and every effect.
Prompts::FontChoice unusualStart()
{
    Prompts::FontChoice start;
    start.family = "Lucida Sans Unicode";
    start.pointSize = 10.5;
    start.weight = 600;
    start.italic = true;
    start.underline = true;
    start.strikeOut = true;
    start.color = QColor(10, 200, 30);
    return start;
}

// Presses OK on the font dialog once it shows; gives up (Cancel) after 5 s
// so that a dialog that never accepts fails the test instead of hanging it.
void pressOkWhenShown()
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<FontColorDialog*>(modal);
        if (!dialog && clock->elapsed() < 5000)
            return;
        if (dialog)
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        else if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
        timer->stop();
        timer->deleteLater();
        delete clock;
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
    EXPECT_EQ(*chosen, start);
    // Through a QFont and back, as the windows keep it.
    EXPECT_EQ(Prompts::FontChoice::of(chosen->appliedTo(QFont()), chosen->color), start);

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
    dialog.findChild<QComboBox*>("fontFamily")->setEditText("DejaVu Serif");
    dialog.findChild<QCheckBox*>("fontItalic")->setChecked(false);
    dialog.findChild<QCheckBox*>("fontStrikeOut")->setChecked(false);
    auto* bold = dialog.findChild<QCheckBox*>("fontBold");
    EXPECT_TRUE(bold->isChecked()); // 600 counts as bold
    bold->setChecked(false);

    Prompts::FontChoice chosen = dialog.choice();
    EXPECT_EQ(chosen.family, "DejaVu Serif");
    EXPECT_EQ(chosen.weight, 400);
    EXPECT_FALSE(chosen.italic);
    EXPECT_TRUE(chosen.underline);
    EXPECT_FALSE(chosen.strikeOut);
    EXPECT_EQ(chosen.pointSize, 10.5);
    EXPECT_EQ(chosen.color, start.color);

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
