#include "screensaver/CursorCounter.h"
#include "screensaver/LyricBox.h"
#include "screensaver/ScreenSaver.h"
#include "screensaver/Setting.h"

#include "SaverTestSupport.h"
#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using namespace cantorel::screensaver;
using namespace cantorel::screensaver::test;
using cantorel::Prompts;
using cantorel::testing::ScriptedPrompts;

namespace {

const QString kClearQuestion = "This will Clear all settings Do You Wish To Continue?";

class Settings : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        screen = makeScreen();
    }
    void TearDown() override
    {
        screen.reset();
        SaverFolders::TearDown();
    }
    std::unique_ptr<ScreenSaver> makeScreen()
    {
        auto s = std::make_unique<ScreenSaver>(prompts, cursor, [] {});
        s->load();
        return s;
    }
    Setting* openSettings()
    {
        Setting* setting = screen->settingWindow();
        screen->command2Click();
        EXPECT_TRUE(setting->isVisible());
        EXPECT_EQ(setting->windowTitle(), "Options");
        return setting;
    }

    ScriptedPrompts prompts;
    CursorCounter cursor;
    std::unique_ptr<ScreenSaver> screen;
};

Prompts::FontChoice font(const QString& family, double size, bool italic, bool underline, QColor color)
{
    Prompts::FontChoice f;
    f.family = family;
    f.pointSize = size;
    f.weight = 700; // bold is offered by the dialog but never kept
    f.italic = italic;
    f.underline = underline;
    f.color = color;
    return f;
}

} // namespace

TEST_F(Settings, ChosenLookIsSavedAndComesBackOnTheNextStart)
{
    Setting* setting = openSettings();
    int closed = 0;
    QObject::connect(setting, &Setting::closed, [&] { ++closed; });

    prompts.expectFont(font("DejaVu Serif", 10.5, true, true, QColor(10, 200, 30)));
    setting->command1Click();
    prompts.expectColor(QColor(1, 2, 3));
    setting->command3Click();
    prompts.expectFont(font("DejaVu Sans Mono", 24, false, true, QColor(250, 250, 250)));
    setting->command2Click();
    prompts.expectColor(QColor(0, 0, 128));
    setting->command4Click();
    prompts.expectColor(QColor(40, 50, 60));
    setting->command6Click();
    // Every choice shows on the screen at once.
    EXPECT_EQ(screen->lyricStyle().fontName, "DejaVu Serif");
    EXPECT_EQ(screen->backgroundColor(), QColor(40, 50, 60));
    EXPECT_EQ(prompts.asked.size(), 5);

    setting->command5Click();
    EXPECT_FALSE(setting->isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(readFile(settingsFile()), "\"DejaVu Serif\",#TRUE#,#TRUE#,10.5,2017290,197121\r\n"
                                        "\"DejaVu Sans Mono\",#FALSE#,#TRUE#,24,16448250,8388608\r\n"
                                        "3945000\r\n");

    const ScreenSettings chosen = screen->look();
    screen.reset(); // the next start
    auto next = makeScreen();
    EXPECT_EQ(next->look(), chosen);
    EXPECT_EQ(next->lyricStyle().pointSize, 10.5f);
    EXPECT_TRUE(next->lyricStyle().italic);
    EXPECT_TRUE(next->translatedStyle().underline);
    EXPECT_FALSE(next->findChild<LyricBox*>("Text1")->font().bold());
    EXPECT_EQ(next->backgroundColor(), QColor(40, 50, 60));
}

TEST_F(Settings, PreviewsStartFromEachBoxOwnLook)
{
    BoxStyle lyric;
    lyric.fontName = "DejaVu Sans";
    lyric.pointSize = 30;
    lyric.textColor = QColor(255, 0, 0);
    BoxStyle translated;
    translated.italic = true;
    translated.backColor = QColor(0, 0, 255);
    screen->setLyricStyle(lyric);
    screen->setTranslatedStyle(translated);
    Setting* setting = openSettings();
    EXPECT_EQ(setting->lyricPreviewStyle(), lyric);
    EXPECT_EQ(setting->translatedPreviewStyle(), translated);
    EXPECT_EQ(setting->findChild<QLineEdit*>("Text1")->text(), "Preview");
    EXPECT_EQ(setting->findChild<QPushButton*>("Command5")->text(), "Apply And close");
}

TEST_F(Settings, ClearAllAsksFirst)
{
    Setting* setting = openSettings();
    prompts.expectMessage(kClearQuestion, Prompts::Answer::Yes);
    setting->command8Click(); // no file yet: asks, then only hides
    EXPECT_FALSE(setting->isVisible());
    EXPECT_EQ(prompts.asked.last().title, "Clear all");
    EXPECT_EQ(prompts.asked.last().buttons, Prompts::Buttons::YesNo);

    openSettings();
    prompts.expectColor(QColor(9, 9, 9));
    setting->command3Click();
    setting->command5Click();
    ASSERT_TRUE(QFile::exists(settingsFile()));

    openSettings();
    prompts.expectMessage(kClearQuestion, Prompts::Answer::No);
    setting->command8Click();
    EXPECT_TRUE(setting->isVisible());
    EXPECT_TRUE(QFile::exists(settingsFile()));

    prompts.expectMessage(kClearQuestion, Prompts::Answer::Yes);
    setting->command8Click();
    EXPECT_FALSE(setting->isVisible());
    EXPECT_FALSE(QFile::exists(settingsFile()));
    EXPECT_EQ(screen->lyricStyle().backColor, QColor(9, 9, 9)); // the screen keeps its look
}

TEST_F(Settings, FailedSaveTellsAndKeepsTheWindowOpen)
{
    Setting* setting = openSettings();
    const ScreenSettings before = screen->look();
    prompts.expectFont(font("DejaVu Serif", 40, false, false, Qt::white));
    setting->command1Click();
    {
        // A settings folder that cannot be made: its parent is a plain file.
        writeFile(programFile("plain"));
        ScopedEnvironment blocked("XDG_CONFIG_HOME", QFile::encodeName(programFile("plain")));
        prompts.expectMessage(QString());
        setting->command5Click();
    }
    EXPECT_TRUE(prompts.asked.last().text.startsWith("The settings could not be saved to "));
    EXPECT_TRUE(setting->isVisible());
    EXPECT_FALSE(QFile::exists(settingsFile()));
    EXPECT_NE(screen->look(), before); // what was already shown stays shown
}
