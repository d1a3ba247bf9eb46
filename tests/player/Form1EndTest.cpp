// How the player ends: closing asks about unsaved editor lines and can be
// cancelled; an end nobody can answer for (a signal, the session) keeps
// those lines in files of their own.
#include "PlayerFixture.h"

#include "editor/Lyric_Master.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// What the program writes to stderr (descriptor 2) while one lives.
class CapturedStderr {
public:
    explicit CapturedStderr(const QString& file) : m_file(file)
    {
        std::fflush(stderr);
        m_saved = ::dup(2);
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 2);
        ::close(fd);
    }
    ~CapturedStderr()
    {
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
    }
    QString text() const
    {
        std::fflush(stderr);
        return QString::fromUtf8(readFile(m_file));
    }

private:
    QString m_file;
    int m_saved = -1;
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
    const QStringList inData = QDir(dir.filePath("data/cantorel")).entryList({"Lyrics (unsaved lines, *).txt"});
    ASSERT_EQ(inData.size(), 1);
    EXPECT_EQ(readFile(dir.filePath("data/cantorel/" + inData.first())), "left\r\n");

    form->endWithoutQuestions(); // once only
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(form->unsavedLinesLost());
}

TEST_F(PlayerEnd, LinesThatNoPlaceTakesGoToStderrAndTheEndIsNotClean)
{
    typeALine("first words");
    typeALine("second words");
    // A file where each folder should be: the data folder, then the home folder.
    const QString blocked = dir.filePath("blocked");
    writeFile(blocked);
    const ScopedEnvironment data("XDG_DATA_HOME", blocked.toUtf8());
    const ScopedEnvironment home("HOME", (blocked + "/home").toUtf8());
    {
        // The runtime folder still takes them, and the report says it is short-lived.
        const ScopedEnvironment runtime("XDG_RUNTIME_DIR", dir.filePath("run").toUtf8());
        ASSERT_EQ(::mkdir(QFile::encodeName(dir.filePath("run")).constData(), 0700), 0);
        const editor::RescueOutcome rescue = form->lyricEditor().writeRescueCopies();
        ASSERT_EQ(rescue.written.size(), 1);
        EXPECT_TRUE(rescue.written[0].path.startsWith(dir.filePath("run/cantorel/Lyrics (unsaved lines, ")))
            << rescue.written[0].path.toStdString();
        EXPECT_EQ(readFile(rescue.written[0].path), "second words\r\nfirst words\r\n");
        EXPECT_TRUE(rescue.report().contains("gone when the session ends"));
    }

    // No runtime folder either (nor a temporary one to stand in for it).
    const ScopedEnvironment runtime("XDG_RUNTIME_DIR", blocked.toUtf8());
    const ScopedEnvironment temporary("TMPDIR", blocked.toUtf8());
    const CapturedStderr err(dir.filePath("stderr.txt"));
    form->endWithoutQuestions();
    EXPECT_TRUE(form->unsavedLinesLost());
    const QString said = err.text();
    EXPECT_TRUE(said.contains("cantorel: the unsaved lines of \"Lyrics\" could not be written to any file:\n"
                              "  "
                              + blocked + "/cantorel: "))
        << said.toStdString();
    EXPECT_TRUE(said.contains("----- Lyrics -----\nsecond words\nfirst words\n----- end of Lyrics -----\n"))
        << said.toStdString();
}
