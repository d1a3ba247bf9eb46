#include "PlayerFixture.h"

using namespace cantorel;
using namespace cantorel::testing;

class PlayerTransport : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
        path = song("song.mp3", {{1000, "line 1"}, {2000, "line 2!"}}, {{1000, "γραμμή 1"}, {2000, "γραμμή 2"}});
        openThroughDialog(path);
    }

    // Enabled states of cPlay, cpause, cstop, copen, Command2, the sliders
    // and Mute, and whether the position timer runs.
    std::string states() const
    {
        std::string s;
        for (const char* name : {"cPlay", "cpause", "cstop", "copen", "Command2", "Slider1", "Slider2", "Check1"})
            s += enabled(name) ? '1' : '0';
        s += controller->positionTimer().isActive() ? 'T' : '-';
        return s;
    }

    QString path;
};

TEST_F(PlayerTransport, EnabledStatesFollowEachAction)
{
    //                 play pause stop open Cmd2 S1 S2 mute timer
    EXPECT_EQ(states(), "011111"
                        "11T");
    EXPECT_EQ(controller->positionTimer().interval(), 50);
    form->cpauseClick();
    EXPECT_EQ(states(), "011101"
                        "11-");
    EXPECT_TRUE(engine.channelPaused(engine.lastChannel()));
    form->cpauseClick();
    EXPECT_EQ(states(), "011111"
                        "11T");
    form->cstopClick();
    EXPECT_EQ(states(), "100110"
                        "00-");
    EXPECT_EQ(form->windowTitle(), "Tessaly");
    EXPECT_EQ(text1()->toolTip(), "Lyrics");
    EXPECT_EQ(text2()->toolTip(), "Tranalated Lyrics");
    form->copenClick();
    EXPECT_EQ(states(), "100110"
                        "00-");
    form->cPlayClick();
    EXPECT_EQ(states(), "011111"
                        "11T");
}

TEST_F(PlayerTransport, StopTwiceRunsOnceAndReopensTheStream)
{
    play(1000);
    engine.clearLog();
    form->cstopClick();
    // Putting the seek slider back to 0 is the stop's own move, not a seek.
    EXPECT_TRUE(engine.log.filter("setPosition").isEmpty());
    EXPECT_EQ(child<QSlider>("Slider2")->value(), 0);
    const int streams = engine.log.filter("createStream").size();
    form->cstopClick();
    EXPECT_EQ(engine.log.filter("createStream").size(), streams);
    EXPECT_TRUE(controller->stopped());
    // Play after stop starts from the beginning on the reopened stream.
    form->cPlayClick();
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 0u);
}

TEST_F(PlayerTransport, PlayWhilePlayingOnlyRefreshesTheTitle)
{
    form->setWindowTitle("x");
    const int plays = engine.log.filter("playSound").size();
    form->cPlayClick();
    EXPECT_EQ(form->windowTitle(), "Tessaly Playing:- song.mp3");
    EXPECT_EQ(engine.log.filter("playSound").size(), plays);
}

TEST_F(PlayerTransport, VolumeMuteAndSeek)
{
    EXPECT_FLOAT_EQ(engine.channelVolume(engine.lastChannel()), 0.3f);
    auto* volume = child<QSlider>("Slider1");
    volume->setValue(10);
    EXPECT_FLOAT_EQ(engine.channelVolume(engine.lastChannel()), 1.0f);
    volume->setValue(1);
    EXPECT_FLOAT_EQ(engine.channelVolume(engine.lastChannel()), 0.1f);

    child<QCheckBox>("Check1")->click();
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel()));
    child<QCheckBox>("Check1")->click();
    EXPECT_FALSE(engine.channelMuted(engine.lastChannel()));

    play(1000); // the first tick sets the slider's maximum to the length
    auto* seek = child<QSlider>("Slider2");
    ASSERT_EQ(seek->maximum(), 180000);
    engine.clearLog();
    seek->setValue(90000);
    EXPECT_EQ(engine.log, QStringList {"setPosition 90000"});
    seek->setValue(seek->maximum());
    EXPECT_EQ(engine.log, QStringList {"setPosition 90000"});
    // The position timer's own moves do not seek.
    play(50);
    EXPECT_EQ(engine.log, QStringList {"setPosition 90000"});
    EXPECT_EQ(seek->value(), 90050);
}

TEST_F(PlayerTransport, ReadoutsShowPositionAndLength)
{
    play(45000);
    EXPECT_EQ(child<QLineEdit>("cText1")->text(), "0:45");
    EXPECT_EQ(child<QLineEdit>("cText2")->text(), "3:0");
    play(14600);
    EXPECT_EQ(child<QLineEdit>("cText1")->text(), "1:0");
}

TEST_F(PlayerTransport, LinesFollowThePositionWithTheComingLineAsTooltip)
{
    engine.setChannelPosition(engine.lastChannel(), 5000);
    play(0);
    EXPECT_EQ(text1()->lyric(), "");
    EXPECT_EQ(text1()->toolTip(), "line 1");
    EXPECT_EQ(text2()->toolTip(), "γραμμή 1");
    play(10000);
    EXPECT_EQ(text1()->lyric(), "line 1");
    EXPECT_EQ(text1()->toolTip(), "line 2!");
    EXPECT_EQ(text2()->lyric(), "γραμμή 1");
    EXPECT_EQ(text2()->toolTip(), "γραμμή 2");
    play(10000);
    EXPECT_EQ(text1()->lyric(), "line 2!");
    EXPECT_EQ(text1()->toolTip(), "line 2!");
    EXPECT_EQ(text2()->lyric(), "γραμμή 2");
}

TEST_F(PlayerTransport, ExclamationMakesBothPanesBold)
{
    play(15000);
    EXPECT_FALSE(text1()->isBold());
    EXPECT_FALSE(text2()->isBold());
    play(10000); // "line 2!"
    EXPECT_TRUE(text1()->isBold());
    EXPECT_TRUE(text2()->isBold());
}

TEST_F(PlayerTransport, ExclamationInTheTranslationAloneBoldsBoth)
{
    openThroughDialog(song("t.mp3", {{1000, "calm"}}, {{1000, "ήρεμα!"}}));
    play(15000);
    EXPECT_TRUE(text1()->isBold());
    EXPECT_TRUE(text2()->isBold());
}

TEST_F(PlayerTransport, WithoutTranslationOnlyTheLyricPaneCounts)
{
    openThroughDialog(song("solo.mp3", {{1000, "hey!"}}));
    text2()->setLyric("stale!");
    play(15000);
    EXPECT_TRUE(text1()->isBold());
    EXPECT_FALSE(text2()->isBold());
    EXPECT_EQ(text2()->lyric(), "stale!");
}

TEST_F(PlayerTransport, SongEndsOnTheSecondTickAfterTheChannelGoes)
{
    play(179000);
    engine.finishChannel(engine.lastChannel());
    form->cTimer1Tick();
    EXPECT_TRUE(controller->playing());
    EXPECT_EQ(child<QLineEdit>("cText1")->text(), "2:59");
    EXPECT_EQ(child<QLineEdit>("cText2")->text(), "0:0");
    form->cTimer1Tick();
    EXPECT_FALSE(controller->playing());
    EXPECT_TRUE(controller->stopped());
    EXPECT_FALSE(controller->positionTimer().isActive());
    EXPECT_EQ(child<QSlider>("Slider2")->value(), 0);
    EXPECT_TRUE(enabled("cPlay"));
    // The lyric rules stay on after the stop, with nothing to wait for.
    EXPECT_TRUE(controller->lineRulesOn());
    EXPECT_FALSE(controller->lineTimer().isActive());
}

TEST_F(PlayerTransport, SongEndsWhenThePositionReachesTheLength)
{
    play(1000);
    engine.setChannelPosition(engine.lastChannel(), 180000);
    form->cTimer1Tick();
    EXPECT_TRUE(controller->stopped());
}
