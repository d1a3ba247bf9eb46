// The lyric editor window: its controls, the wiring to the line operations,
// the counters and the question at the program's end.
#include "editor/LineCounters.h"
#include "editor/Lyric_Master.h"
#include "support/LegacyText.h"
#include "support/ScriptedPrompts.h"
#include "support/UserInput.h"

#include "support/TestFiles.h"
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace cantorel;
using namespace cantorel::editor;
using Answer = Prompts::Answer;

namespace {

QByteArray contents(const QString& path)
{
    return cantorel::testing::readFile(path);
}

QColor textColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

class Lyric_MasterTest : public ::testing::Test {
protected:
    template <typename T>
    T* find(const char* name) const
    {
        T* w = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }

    // Opens `lines` on one side through its Open button.
    void openLines(Side side, const QString& fileName, const QByteArray& bytes)
    {
        const QString path = dir.filePath(fileName);
        cantorel::testing::writeFile(path, bytes);
        prompts.expectOpenFile(path);
        button(side == Side::Left ? "Command1" : "Command2")->click();
    }
    // Makes line `row` of the left list current and types `text` over it.
    void editLeftLine(int row, const QString& text)
    {
        cantorel::testing::clickRow(find<QListWidget>("List1"), row);
        find<QPlainTextEdit>("Text1")->setPlainText(text);
    }

    QTemporaryDir dir;
    cantorel::testing::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    Lyric_Master window {prompts, clipboard};
};

QByteArray numberedFile(const QByteArray& prefix, int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += prefix + QByteArray::number(i) + "\r\n";
    return bytes;
}

} // namespace

TEST_F(Lyric_MasterTest, HasEveryControlWithItsCaptionAndShowsCopyPasteAndDelete)
{
    EXPECT_EQ(window.windowTitle(), "Lyric Editor");
    EXPECT_FALSE(window.isVisible()); // created hidden
    EXPECT_EQ(find<QLabel>("Label3")->text(), "Lyrics");
    EXPECT_EQ(find<QLabel>("Label4")->text(), "Translated Lyrics");
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Counter");
    EXPECT_EQ(find<QLabel>("Label5")->text(), "0");
    EXPECT_EQ(find<QLabel>("Label7")->text(), "Line No:");
    EXPECT_EQ(find<QLabel>("Label9")->text(), "<<--------------Comparision------------->>");
    EXPECT_EQ(button("Command20")->text(), "Add a Translated Line");
    EXPECT_EQ(button("Command8")->toolTip(), "PushThe Line Downwards");
    EXPECT_EQ(button("Command23")->text(), ">>>");
    EXPECT_EQ(find<QCheckBox>("Check2")->toolTip(), "Check This To Multi Delete Lines");
    QCheckBox* sync = find<QCheckBox>("Check3");
    EXPECT_EQ(sync->text(), "Synchronize Movement");
    EXPECT_FALSE(sync->isEnabled());
    EXPECT_EQ(find<QListWidget>("List1")->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(find<QTimer>("Countlines")->interval(), 500);

    QMenu* menu = find<QMenu>("mn_paste");
    EXPECT_EQ(menu->title(), "Edit");
    EXPECT_EQ(find<QAction>("mn_delspecial")->text(), "Delete Selected Lines");

    window.showEditor();
    for (const char* name : {"Command3", "Command4", "Command9", "Command10", "Command11", "Command12"})
        EXPECT_TRUE(button(name)->isVisible()) << name;
    for (int n = 1; n <= 23; ++n) {
        if (n != 14) {
            EXPECT_NE(window.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n)), nullptr) << n;
        }
    }
}

TEST_F(Lyric_MasterTest, EnterInTheEditBoxIsTakenOutAgainWithAMessage)
{
    openLines(Side::Left, "a.txt", "one\r\ntwo\r\n");
    auto* list = find<QListWidget>("List1");
    auto* text1 = find<QPlainTextEdit>("Text1");
    window.showEditor();
    cantorel::testing::clickRow(list, 1);
    EXPECT_EQ(text1->toPlainText(), "two");

    text1->setFocus();
    text1->moveCursor(QTextCursor::End);
    cantorel::testing::typeText(text1, "s!");
    EXPECT_EQ(list->item(1)->text(), "twos!");

    prompts.expectMessage("Cannot Insert a line Here Use \"Add a Line/Translated Line\" To insert a new Line");
    text1->moveCursor(QTextCursor::Left);
    cantorel::testing::keyClick(text1, Qt::Key_Return, "\r");
    EXPECT_EQ(prompts.remaining(), 0);
    EXPECT_EQ(text1->toPlainText(), "twos!");
    EXPECT_EQ(list->item(1)->text(), "twos!");
    EXPECT_EQ(list->count(), 2);
    cantorel::testing::keyClick(text1, Qt::Key_X, "x"); // the cursor stayed where Enter was typed
    EXPECT_EQ(list->item(1)->text(), "twosx!");
}

TEST_F(Lyric_MasterTest, CountersTurnRedAndSynchronisationStopsWhenCountsDiffer)
{
    openLines(Side::Left, "l.txt", numberedFile("L", 12));
    openLines(Side::Right, "r.txt", numberedFile("R", 12));
    window.showEditor();
    auto* label1 = find<QLabel>("Label1");
    auto* label2 = find<QLabel>("Label2");
    auto* sync = find<QCheckBox>("Check3");
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);

    ASSERT_TRUE(cantorel::testing::waitUntil([&] { return label1->text() == "12"; }, 2000));
    EXPECT_EQ(label2->text(), "12");
    EXPECT_EQ(textColour(label1), blue);
    EXPECT_EQ(textColour(label2), blue);
    EXPECT_TRUE(sync->isEnabled());
    sync->click();
    EXPECT_TRUE(window.lines().synchronize());

    // A 13th line on the left, after line 12.
    cantorel::testing::clickRow(find<QListWidget>("List1"), 11);
    prompts.expectInput("thirteen");
    button("Command19")->click();
    ASSERT_TRUE(cantorel::testing::waitUntil([&] { return label1->text() == "13"; }, 2000));
    EXPECT_EQ(textColour(label1), red);
    EXPECT_EQ(textColour(label2), blue);
    EXPECT_FALSE(sync->isChecked());
    EXPECT_FALSE(sync->isEnabled());
    EXPECT_FALSE(window.lines().synchronize());
    EXPECT_EQ(find<QLabel>("Label5")->text(), "12");
    EXPECT_EQ(find<QLabel>("Label6")->text(), "12"); // it followed the click
}

TEST_F(Lyric_MasterTest, ClicksMirrorAndMarkedLinesTransferThroughTheButtons)
{
    openLines(Side::Left, "l.txt", numberedFile("L", 6));
    openLines(Side::Right, "r.txt", numberedFile("R", 6));
    auto* list1 = find<QListWidget>("List1");
    auto* list2 = find<QListWidget>("List2");
    window.showEditor();
    ASSERT_TRUE(cantorel::testing::waitUntil([&] { return find<QCheckBox>("Check3")->isEnabled(); }, 2000));
    find<QCheckBox>("Check3")->click();

    cantorel::testing::clickRow(list1, 3);
    EXPECT_EQ(list2->currentRow(), 3);
    EXPECT_EQ(find<QPlainTextEdit>("Text1")->toPlainText(), "L4");
    EXPECT_EQ(find<QPlainTextEdit>("Text2")->toPlainText(), "R4");

    button("Command5")->click(); // synchronised Up
    EXPECT_EQ(list1->item(2)->text(), "L4");
    EXPECT_EQ(list2->item(2)->text(), "R4");
    EXPECT_EQ(list1->currentRow(), 2);
    EXPECT_EQ(list2->currentRow(), 2);

    cantorel::testing::clickRow(list1, 0);
    cantorel::testing::clickRow(list1, 5, Qt::ControlModifier);
    EXPECT_EQ(window.lines().column(Side::Left).marked, (std::set<int> {0, 5}));
    button("Command23")->click();
    ASSERT_EQ(list2->count(), 8);
    EXPECT_EQ(list2->item(6)->text(), "L1");
    EXPECT_EQ(list2->item(7)->text(), "L6");
    EXPECT_EQ(list1->count(), 4);
    EXPECT_TRUE(list1->selectedItems().isEmpty());
}

TEST_F(Lyric_MasterTest, RightClickTargetsTheListAndTheDeleteKeyDeletes)
{
    openLines(Side::Right, "r.txt", "a\r\nb\r\nc\r\n");
    auto* list2 = find<QListWidget>("List2");
    window.showEditor();
    cantorel::testing::clickRow(list2, 0);
    cantorel::testing::clickRow(list2, 2, Qt::ControlModifier);

    const QRect rect = list2->visualItemRect(list2->item(1));
    cantorel::testing::mousePress(list2->viewport(), Qt::RightButton, rect.center());
    EXPECT_EQ(window.lines().pasteTarget(), Side::Right);
    EXPECT_EQ(list2->selectedItems().size(), 2); // the marks stay
    auto* menu = find<QMenu>("mn_paste");
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    find<QAction>("mn_copy")->trigger();
    EXPECT_EQ(clipboard.text(), "\r\na\r\nc");
    find<QAction>("mn_delspecial")->trigger();
    ASSERT_EQ(list2->count(), 1);
    EXPECT_EQ(list2->item(0)->text(), "b");

    cantorel::testing::clickRow(list2, 0);
    list2->setFocus();
    cantorel::testing::keyClick(list2, Qt::Key_Delete);
    EXPECT_EQ(list2->count(), 0);
    EXPECT_EQ(find<QPlainTextEdit>("Text2")->toPlainText(), "");
}

TEST_F(Lyric_MasterTest, AtTheProgramsEndYesSavesTheChangedLyric)
{
    openLines(Side::Left, "song.txt", "one\r\ntwo");
    window.showEditor();
    cantorel::testing::clickRow(find<QListWidget>("List1"), 0);
    find<QPlainTextEdit>("Text1")->setPlainText("ONE");
    ASSERT_TRUE(window.hasUnsavedChanges());

    prompts.expectMessage("Save changes to the lyric before closing?", Answer::Yes);
    EXPECT_TRUE(window.saveChangesAtExit());
    EXPECT_EQ(prompts.asked.last().buttons, Prompts::Buttons::YesNoCancel);
    EXPECT_EQ(contents(dir.filePath("song.txt")), "ONE\r\ntwo\r\n");
    EXPECT_FALSE(window.hasUnsavedChanges());
    window.saveChangesAtExit(); // nothing left to ask
}

TEST_F(Lyric_MasterTest, AtTheProgramsEndNoLeavesTheFileAlone)
{
    openLines(Side::Right, "t.txt", "one\r\ntwo");
    // A left side that was never saved asks too, and may ask for a name.
    prompts.expectInput("new line");
    button("Command19")->click();
    button("Command22")->click();

    prompts.expectMessage("Save changes to the lyric before closing?", Answer::Yes)
        .expectSaveFile(dir.filePath("fresh"))
        .expectMessage("Save changes to the lyric before closing?", Answer::No);
    window.saveChangesAtExit();
    EXPECT_EQ(prompts.asked.at(prompts.asked.size() - 3).title, "Lyrics");
    EXPECT_EQ(prompts.asked.last().title, "Translated Lyrics");
    EXPECT_EQ(contents(dir.filePath("fresh.txt")), "new line\r\n");
    EXPECT_EQ(contents(dir.filePath("t.txt")), "one\r\ntwo");
}

TEST_F(Lyric_MasterTest, ASaveKeepsTheEncodingReadInOrSaysTheLyricBecameUtf8)
{
    using cantorel::testing::legacyBytes;
    // An edit that fits: the file comes back byte for byte in its encoding.
    const QList<std::pair<const char*, QByteArray>> encodings = {{"GBK", {}}, {"BIG5", {}}, {"UTF-16LE", "\xFF\xFE"}};
    for (const auto& [iconvName, mark] : encodings) {
        SCOPED_TRACE(iconvName);
        const QString name = QString::fromLatin1(iconvName) + ".txt";
        openLines(Side::Left, name, mark + legacyBytes("雨滴落在窗上\r\n我想起你的笑容\r\n", iconvName));
        EXPECT_EQ(find<QListWidget>("List1")->item(1)->text(), "我想起你的笑容");
        editLeftLine(0, "雪花落在窗上");
        button("Command15")->click(); // no question, no message
        EXPECT_EQ(contents(dir.filePath(name)), mark + legacyBytes("雪花落在窗上\r\n我想起你的笑容\r\n", iconvName));
    }

    // One that does not fit: UTF-8 with a mark, said once, kept from then on.
    openLines(Side::Left, "ru.txt", legacyBytes("Дождь стучит в окно\r\nЯ вспоминаю тебя\r\n", "CP1251"));
    editLeftLine(1, "Я вспоминаю 雨");
    prompts.expectMessage("The lyric was saved. ru.txt no longer fits Windows-1251: it is UTF-8 now.");
    button("Command15")->click();
    const QByteArray utf8 = QString("Дождь стучит в окно\r\nЯ вспоминаю 雨\r\n").toUtf8();
    EXPECT_EQ(contents(dir.filePath("ru.txt")), "\xEF\xBB\xBF" + utf8);
    EXPECT_FALSE(window.hasUnsavedChanges());
    button("Command15")->click();

    // Save As to a name of its own makes a new file, which is plain UTF-8.
    prompts.expectSaveFile(dir.filePath("copy"));
    button("Command17")->click();
    EXPECT_EQ(contents(dir.filePath("copy.txt")), utf8);
}

TEST_F(Lyric_MasterTest, AReadOnlyLyricBehindALinkIsReplacedOnlyWhenTheUserSaysSo)
{
    const QString real = dir.filePath("real.txt");
    cantorel::testing::writeFile(real, "one\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0444), 0);
    ASSERT_TRUE(QFile::link(real, dir.filePath("song.txt")));
    prompts.expectOpenFile(dir.filePath("song.txt"));
    button("Command1")->click();
    editLeftLine(0, "ONE");

    const QString question = "The lyric file song.txt is read-only. Replace it anyway?";
    prompts.expectMessage(question, Answer::No).expectMessage(question, Answer::Yes);
    button("Command15")->click();
    EXPECT_EQ(contents(real), "one\r\n");
    EXPECT_TRUE(window.hasUnsavedChanges());
    button("Command15")->click();
    EXPECT_EQ(contents(real), "ONE\r\n");
    EXPECT_FALSE(window.hasUnsavedChanges());
    EXPECT_TRUE(QFileInfo(dir.filePath("song.txt")).isSymLink());
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST_F(Lyric_MasterTest, ArrowKeysMoveTheCurrentLineAndTheEditBoxFollows)
{
    openLines(Side::Left, "l.txt", numberedFile("L", 6));
    window.showEditor();
    auto* list1 = find<QListWidget>("List1");
    cantorel::testing::clickRow(list1, 1);
    cantorel::testing::keyClick(list1, Qt::Key_Down);
    EXPECT_EQ(window.lines().column(Side::Left).current, 2);
    EXPECT_EQ(window.lines().column(Side::Left).marked, (std::set<int> {2}));
    EXPECT_EQ(find<QPlainTextEdit>("Text1")->toPlainText(), "L3");
    ASSERT_TRUE(cantorel::testing::waitUntil([&] { return find<QLabel>("Label5")->text() == "3"; }, 2000));
}

TEST(CountColours, RedForTheLongerSideBlueWhenEqual)
{
    const CountColours more = countColours(13, 12);
    EXPECT_EQ(more.left, QColor(255, 0, 0));
    EXPECT_FALSE(more.right.has_value());
    const CountColours less = countColours(0, 1);
    EXPECT_FALSE(less.left.has_value());
    EXPECT_EQ(less.right, QColor(255, 0, 0));
    EXPECT_EQ(countColours(4, 4).left, QColor(0, 0, 255));
    EXPECT_EQ(colourFromBgr(0x00336699), QColor(0x99, 0x66, 0x33));
}
