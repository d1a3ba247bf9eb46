#include "screensaver/HandOverFile.h"
#include "screensaver/ReceiverProtocol.h"
#include "screensaver/ScreenSaver.h"
#include "screensaver/ScreenSaverProgram.h"
#include "screensaver/Setting.h"

#include "SaverTestSupport.h"
#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QPushButton>

using namespace cantorel::screensaver;
using namespace cantorel::screensaver::test;
using cantorel::testing::ScriptedPrompts;

namespace {

class StartUp : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        program = std::make_unique<ScreenSaverProgram>(prompts, [this](int code) { quits << code; });
    }
    void TearDown() override
    {
        program.reset();
        SaverFolders::TearDown();
    }
    ScriptedPrompts prompts;
    QList<int> quits;
    std::unique_ptr<ScreenSaverProgram> program;
};

} // namespace

TEST_F(StartUp, NoSwitchShowsNothing)
{
    EXPECT_FALSE(program->start(parseSwitches({"/p", "123"})));
    EXPECT_EQ(program->screen(), nullptr);
    EXPECT_FALSE(QFile::exists(handOverFile()));
}

TEST_F(StartUp, ShowSwitchFillsTheScreenAndQuitEnds)
{
    ASSERT_TRUE(program->start(parseSwitches({"/s"})));
    ScreenSaver* screen = program->screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(screen->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(program->cursor().count(), 1);
    const auto handOver = readHandOver(handOverFile());
    ASSERT_TRUE(handOver);

    screen->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(quits, QList<int> {0});
    EXPECT_EQ(program->cursor().count(), 0);
    EXPECT_FALSE(QFile::exists(receiverSocketPath(handOver->lyricReceiver)));
    program->end(); // runs once
    EXPECT_EQ(quits.size(), 1);
}

TEST_F(StartUp, ConfigureAloneEndsWhenTheSettingsClose)
{
    ASSERT_TRUE(program->start(parseSwitches({"/c"})));
    ScreenSaver* screen = program->screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->isVisible()); // loaded unseen
    Setting* setting = screen->settingWindow();
    EXPECT_TRUE(setting->isVisible());
    EXPECT_EQ(setting->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(quits.isEmpty());

    setting->reject(); // Escape or the window's close button
    EXPECT_EQ(quits, QList<int> {0});
}

TEST_F(StartUp, BothSwitchesKeepTheScreenAfterTheSettings)
{
    ASSERT_TRUE(program->start(parseSwitches({"/s", "/c"})));
    ScreenSaver* screen = program->screen();
    Setting* setting = screen->settingWindow();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(setting->isVisible());
    setting->command9Click();
    EXPECT_TRUE(quits.isEmpty());

    // "Options" later shows the same window, no longer modal.
    screen->command2Click();
    EXPECT_TRUE(setting->isVisible());
    EXPECT_EQ(setting->windowModality(), Qt::NonModal);
}
