// The real screen saver on a private X display: what the user sees when the
// desktop or the main program starts it.
#include "screensaver/HandOverFile.h"

#include "RealProgram.h"
#include "SaverTestSupport.h"

#include <QRegularExpression>

using namespace cantorel::screensaver;
using namespace cantorel::screensaver::test;

namespace {

class OnDisplay : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        if (!VirtualDisplay::available())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_FALSE(QStandardPaths::findExecutable("xdotool").isEmpty()) << "xdotool is missing: run scripts/deps";
        QString why;
        ASSERT_TRUE(display.start(&why)) << why.toStdString();
        env = display.environment();
        program = copyScreenSaverTo(programDir.path());
        saver.setProcessEnvironment(env);
        saver.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    void TearDown() override
    {
        if (saver.state() != QProcess::NotRunning) {
            saver.kill();
            saver.waitForFinished(2000);
        }
        SaverFolders::TearDown();
    }

    // The geometry of the shown window with this exact title, as "WxH", or
    // "" when there is none.
    QString windowSize(const QString& title) const
    {
        const QString info = runTool("xwininfo", {"-display", display.name(), "-name", title}, env);
        if (!info.contains("Map State: IsViewable"))
            return QString();
        const auto width = QRegularExpression(R"(Width: (\d+))").match(info);
        const auto height = QRegularExpression(R"(Height: (\d+))").match(info);
        if (!width.hasMatch() || !height.hasMatch())
            return QString();
        return width.captured(1) + "x" + height.captured(1);
    }

    // Gives the window with this title the keyboard focus and presses a key.
    void pressKey(const QString& title, const QString& key)
    {
        const QString ids = runTool("xdotool", {"search", "--name", "^" + title + "$"}, env);
        const QString id = ids.split('\n', Qt::SkipEmptyParts).value(0);
        ASSERT_FALSE(id.isEmpty()) << "no window " << title.toStdString();
        runTool("xdotool", {"windowfocus", id}, env);
        runTool("xdotool", {"key", key}, env);
    }

    bool ended(int ms) { return saver.waitForFinished(ms) && saver.exitStatus() == QProcess::NormalExit; }

    VirtualDisplay display;
    QProcessEnvironment env;
    QString program;
    QProcess saver;
};

} // namespace

TEST_F(OnDisplay, ShowSwitchFillsTheScreenUntilAKeyIsPressed)
{
    saver.start(program, {"/s"});
    ASSERT_TRUE(saver.waitForStarted(5000));
    ASSERT_TRUE(waitUntil([&] { return bool(readHandOver(handOverFile())); }, 10000));
    QString size;
    EXPECT_TRUE(waitUntil([&] { return (size = windowSize("SCRNSAVE : Cantorel")) == "1280x720"; }, 10000))
        << "window size " << size.toStdString();
    EXPECT_EQ(saver.state(), QProcess::Running);

    pressKey("SCRNSAVE : Cantorel", "space");
    ASSERT_TRUE(ended(10000));
    EXPECT_EQ(saver.exitCode(), 0);
}

TEST_F(OnDisplay, ConfigureSwitchShowsOptionsUntilItCloses)
{
    saver.start(program, {"/c"});
    ASSERT_TRUE(saver.waitForStarted(5000));
    ASSERT_TRUE(waitUntil([&] { return !windowSize("Options").isEmpty(); }, 10000));
    EXPECT_TRUE(windowSize("SCRNSAVE : Cantorel").isEmpty()); // the screen stays unseen
    EXPECT_EQ(saver.state(), QProcess::Running);

    pressKey("Options", "Escape");
    ASSERT_TRUE(ended(10000));
    EXPECT_EQ(saver.exitCode(), 0);
}

TEST_F(OnDisplay, NoSwitchEndsAtOnce)
{
    saver.start(program, {});
    ASSERT_TRUE(ended(5000));
    EXPECT_EQ(saver.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(handOverFile()));
}
