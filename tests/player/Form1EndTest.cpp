// How the player ends: closing asks about unsaved editor lines and can be
// cancelled; an end nobody can answer for (a signal, the session) keeps
// those lines in files of their own.
#include "PlayerFixture.h"

#include "editor/Lyric_Master.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class PlayerEnd : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        form->load(QString());
    }
    void TearDown() override
    {
        qunsetenv("XDG_DATA_HOME");
        PlayerFixture::TearDown();
    }

    // One new line on the editor's left side, never saved.
    void typeALine(const QString& text)
    {
        Lyric_Master& editor = form->lyricEditor();
        prompts.expectInput(text);
        editor.findChild<QPushButton*>("Command19")->click();
        ASSERT_TRUE(editor.hasUnsavedChanges());
    }
    bool closeWindow() { return form->close(); }
    static QString question() { return QStringLiteral("Save changes to the lyric before closing?"); }
};

} // namespace

TEST_F(PlayerEnd, CancelOrAFailedSaveKeepsTheProgramOpen)
{
    typeALine("keep me");
    QSignalSpy unloaded(form.get(), &Form1::unloaded);

    prompts.expectMessage(question(), Prompts::Answer::Cancel);
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(prompts.asked.last().buttons, Prompts::Buttons::YesNoCancel);

    // Yes, then the name dialog is cancelled: nothing saved, still open.
    prompts.expectMessage(question(), Prompts::Answer::Yes).expectSaveFile(QString());
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_EQ(engine.liveSystems(), 1);

    prompts.expectMessage(question(), Prompts::Answer::No);
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(engine.liveSystems(), 0);
}

TEST_F(PlayerEnd, AnEndWithoutQuestionsKeepsUnsavedLinesInAFileOfTheirOwn)
{
    // A side with a file gets its copy beside it; one without, in the data folder.
    const QString own = dir.filePath("song.txt");
    writeFile(own, "one\r\n");
    prompts.expectOpenFile(own);
    form->lyricEditor().findChild<QPushButton*>("Command2")->click();
    prompts.expectInput("two");
    form->lyricEditor().findChild<QPushButton*>("Command20")->click();
    typeALine("left");

    QSignalSpy unloaded(form.get(), &Form1::unloaded);
    form->endWithoutQuestions();
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(engine.liveSystems(), 0);
    EXPECT_EQ(readFile(own), "one\r\n"); // the file itself is untouched

    const QStringList besideOwn = QDir(dir.path()).entryList({"song.txt (unsaved lines, *).txt"});
    ASSERT_EQ(besideOwn.size(), 1);
    EXPECT_EQ(readFile(dir.filePath(besideOwn.first())), "two\r\none\r\n"); // the new line goes before the current one
    const QStringList inData =
        QDir(dir.filePath("data/cantorel")).entryList({"Lyrics (unsaved lines, *).txt"});
    ASSERT_EQ(inData.size(), 1);
    EXPECT_EQ(readFile(dir.filePath("data/cantorel/" + inData.first())), "left\r\n");

    form->endWithoutQuestions(); // once only
    EXPECT_EQ(unloaded.count(), 1);
}
