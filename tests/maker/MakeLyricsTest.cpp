// "Make lyrics" in the player window: the question about playback, the
// maker's own engine, and the player disabled while the maker is open.
#include "player/PlayerFixture.h"

#include "editor/Lyric_Master.h"
#include "maker/Form2.h"

#include <QPushButton>

#include <QCoreApplication>
#include <QEvent>

using namespace cantorel;
using namespace cantorel::testing;
using Answer = Prompts::Answer;

namespace {
const char* kStopQuestion = "Playing of files has to be stopped! Stop Playback?";
} // namespace

class MakeLyrics : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
    }

    void playSong()
    {
        openThroughDialog(song("song.mp3", {{0, "one"}}));
        play(1000);
        ASSERT_TRUE(controller->playing());
    }

    // Closes the maker as the user would and lets it delete itself.
    void closeMaker()
    {
        ASSERT_NE(form->lyricMaker(), nullptr);
        form->lyricMaker()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(MakeLyrics, WhilePlayingNoLeavesTheSongPlaying)
{
    playSong();
    prompts.expectMessage(kStopQuestion, Answer::No);
    prompts.expectMessage("Playback of file has to be stopped in order to make lyrics");
    form->command5Click();
    EXPECT_EQ(prompts.asked[prompts.asked.size() - 2].title, "Stop Playback?");
    EXPECT_EQ(prompts.asked.back().icon, Prompts::Icon::Exclamation);
    EXPECT_TRUE(controller->playing());
    EXPECT_TRUE(controller->positionTimer().isActive());
    EXPECT_EQ(form->lyricMaker(), nullptr);
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(MakeLyrics, WhilePausedYesStopsAndOpensTheMaker)
{
    playSong();
    form->cpauseClick();
    prompts.expectMessage(kStopQuestion, Answer::Yes);
    form->command5Click();
    EXPECT_FALSE(controller->playing());
    EXPECT_TRUE(controller->stopped());
    EXPECT_FALSE(controller->paused());
    ASSERT_NE(form->lyricMaker(), nullptr);
    EXPECT_TRUE(form->lyricMaker()->isVisible());
    EXPECT_FALSE(form->isEnabled());
    // A second engine system, the maker's own.
    EXPECT_EQ(engine.liveSystems(), 2);
    EXPECT_NE(form->lyricMaker()->engineConnection().system(), 0u);

    closeMaker();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_TRUE(enabled("Command2"));
}

TEST_F(MakeLyrics, WhenNothingPlaysTheMakerOpensAtOnceAndEachOpeningIsFresh)
{
    form->command5Click();
    ASSERT_NE(form->lyricMaker(), nullptr);
    EXPECT_FALSE(form->isEnabled());
    EXPECT_EQ(child<QPushButton>("Command5")->text(), "Make lyrics");

    closeMaker();
    EXPECT_EQ(form->lyricMaker(), nullptr);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(engine.liveSystems(), 1);

    form->command5Click();
    ASSERT_NE(form->lyricMaker(), nullptr);
    EXPECT_EQ(engine.liveSystems(), 2);
    EXPECT_FALSE(form->isEnabled());
}

TEST_F(MakeLyrics, EditorFromTheMakerOutlivesItAndAsksAtTheProgramsEnd)
{
    form->command5Click();
    Form2* maker = form->lyricMaker();
    ASSERT_NE(maker, nullptr);
    maker->findChild<QPushButton*>("Command6")->click();
    ASSERT_TRUE(form->hasLyricEditor());
    Lyric_Master& editor = form->lyricEditor();
    EXPECT_TRUE(editor.isVisible());
    // The player is disabled while the maker is open; the editor is not.
    EXPECT_FALSE(form->isEnabled());
    EXPECT_TRUE(editor.isEnabled());

    closeMaker();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(&form->lyricEditor(), &editor);

    // A line typed and never saved: the program's end asks, and No leaves
    // everything as it was.
    prompts.expectInput("a new line");
    editor.findChild<QPushButton*>("Command19")->click();
    prompts.expectMessage("Save changes to the lyric before closing?", Answer::No);
    form->close();
}
