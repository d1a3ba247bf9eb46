// Recording through the maker window on the fake engine: what each press
// writes, when, and the states of the buttons and files around it.
#include "MakerFixture.h"

#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"

using namespace cantorel;
using namespace cantorel::testing;
using maker::Side;

class MakerRecording : public MakerFixture {
protected:
    bool targetOpen(Side side) const { return form->recording().target(side).isOpen(); }
};

TEST_F(MakerRecording, ThreeLinesWithoutTranslation)
{
    const QString media = song("Rain.mp3", 30000);
    prepare(media, lyric("rain.txt", {"Rain on the river", "Clouds over town", "Home again"}));
    EXPECT_EQ(text2()->lyric(), "Rain on the river");
    EXPECT_EQ(recordingButtons(), "111");

    form->command1Click();
    EXPECT_TRUE(form->playing());
    EXPECT_TRUE(form->captureEnabled());
    const QString target = lyrics::lyricPathOf(media);
    // The first line is on the disk at once, with time 0.
    EXPECT_EQ(readFile(target), "0,\"Rain on the river\"\r\n");

    play(12300);
    // The press comes 400 ms after the last position sample: the line is
    // stamped with the position at the press, not the sample.
    engine.advance(400);
    form->command2Click();
    EXPECT_EQ(text2()->lyric(), "Clouds over town");
    EXPECT_EQ(form->recording().lineTime(), 1270);

    play(13100);
    form->command2Click();
    EXPECT_EQ(text2()->lyric(), "Home again");
    EXPECT_EQ(readFile(target), "0,\"Rain on the river\"\r\n"
                                "1270,\"Clouds over town\"\r\n"
                                "2580,\"Home again\"\r\n");

    // All lines done: the recording buttons go, the files stay open until the
    // song ends.
    EXPECT_EQ(recordingButtons(), "000");
    EXPECT_FALSE(form->captureEnabled());
    EXPECT_TRUE(form->recording().allLinesDone());
    EXPECT_TRUE(targetOpen(Side::Lyric));

    // The channel ends; the second position tick after it sees the end.
    play(5000);
    tick();
    EXPECT_FALSE(form->playing());
    EXPECT_FALSE(targetOpen(Side::Lyric));
    EXPECT_FALSE(enabled("cPlay"));
    EXPECT_EQ(child<QSlider>("Slider2")->value(), 0);
    EXPECT_EQ(readFile(target).count('\n'), 3);
    EXPECT_EQ(end.calls, 0);
}

TEST_F(MakerRecording, QuotesAndCommasAreEscapedInTheFileNotInThePane)
{
    const QString media = song("a.mp3");
    prepare(media, lyric("a.txt", {"first", "They said \"go, now\""}));
    form->command1Click();
    play(1234);
    form->command2Click();
    EXPECT_EQ(text2()->lyric(), "They said \"go, now\"");
    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"first\"\r\n123.4,\"They said h4618goh1416 nowh4618\"\r\n");

    // The player reads it back as it was sung.
    lyrics::LyricTable table;
    lyrics::loadLyricPair(media, table);
    EXPECT_EQ(table.lines[2], "They said \"go, now\"");
    EXPECT_EQ(table.times[2], 123.4);
}

TEST_F(MakerRecording, TranslatedRecordingWritesEqualCountsAndTimes)
{
    const QString media = song("a.mp3");
    prepare(media, lyric("a.txt", {"one", "two", "three"}), lyric("t.txt", {"uno", "dos", "tres"}));
    EXPECT_EQ(text4()->lyric(), "uno");
    form->command1Click();
    play(2000);
    form->command2Click();
    EXPECT_EQ(text2()->lyric(), "two");
    EXPECT_EQ(text4()->lyric(), "dos");
    play(2500);
    form->command2Click();
    EXPECT_EQ(recordingButtons(), "000");

    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"one\"\r\n200,\"two\"\r\n450,\"three\"\r\n");
    EXPECT_EQ(readFile(lyrics::translatedLyricPathOf(media)), "0,\"uno\"\r\n200,\"dos\"\r\n450,\"tres\"\r\n");
}

TEST_F(MakerRecording, StopAfterOneNextLineKeepsTwoRecordsEach)
{
    const QString media = song("a.mp3");
    prepare(media, lyric("a.txt", {"1", "2", "3", "4", "5"}), lyric("t.txt", {"I", "II", "III", "IV", "V"}));
    form->command1Click();
    play(1500);
    form->command2Click();
    form->command3Click();

    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"1\"\r\n150,\"2\"\r\n");
    EXPECT_EQ(readFile(lyrics::translatedLyricPathOf(media)), "0,\"I\"\r\n150,\"II\"\r\n");
    EXPECT_FALSE(form->recording().anyStreamOpen());
    EXPECT_TRUE(form->recording().stoppedByUser());
    // Stopped and reloaded from the start.
    EXPECT_FALSE(form->playing());
    EXPECT_EQ(engine.soundMode(engine.lastSound()), 0x20u);
    EXPECT_EQ(recordingButtons(), "000");

    // Playing again does not bring "Next Line" back.
    form->cPlayClick();
    play(2000);
    play(900);
    EXPECT_EQ(recordingButtons(), "000");
    EXPECT_EQ(end.calls, 0);
}

TEST_F(MakerRecording, SongEndingBeforeTheLastLineLeavesTheRecordingOpen)
{
    const QString media = song("a.mp3", 5000);
    prepare(media, lyric("a.txt", {"one", "two", "three"}));
    form->command1Click();
    play(1000);
    form->command2Click();
    play(4000); // the channel ends here
    tick();
    EXPECT_FALSE(form->playing());
    EXPECT_TRUE(enabled("cPlay"));
    EXPECT_TRUE(targetOpen(Side::Lyric));
    EXPECT_TRUE(enabled("Command2"));

    // Played again, the next line counts from the new start.
    form->cPlayClick();
    play(2000);
    form->command2Click();
    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"one\"\r\n100,\"two\"\r\n200,\"three\"\r\n");
}

TEST_F(MakerRecording, EmptySourceLineIsAnEmptyRecord)
{
    const QString media = song("a.mp3");
    prepare(media, lyric("a.txt", {"one", "", "three"}));
    form->command1Click();
    play(1000);
    form->command2Click();
    EXPECT_EQ(text2()->lyric(), "");
    play(1000);
    form->command2Click();
    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"one\"\r\n100,\"\"\r\n200,\"three\"\r\n");
}

TEST_F(MakerRecording, FirstLineIsAtZeroAndWrittenOnce)
{
    const QString media = song("a.mp3");
    prepare(media, lyric("a.txt", {"one", "two"}));
    // Next Line before Start would put the second line first.
    form->command2Click();
    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "");
    form->cPlayClick();
    play(4500);
    form->command1Click(); // the song plays on
    EXPECT_EQ(engine.log.filter("playSound").size(), 1);
    form->command1Click(); // a second Start would repeat the line
    play(900);
    form->command2Click();
    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"one\"\r\n540,\"two\"\r\n");
}

TEST_F(MakerRecording, ClosingTheWindowClosesTheFilesAndKeepsTheRecords)
{
    const QString media = song("a.mp3");
    prepare(media, lyric("a.txt", {"one", "two", "three"}));
    form->command1Click();
    play(1000);
    form->command2Click();
    int unloaded = 0;
    QObject::connect(form.get(), &Form2::unloaded, [&] { ++unloaded; });
    form->close();
    EXPECT_EQ(unloaded, 1);
    EXPECT_FALSE(form->recording().anyStreamOpen());
    EXPECT_EQ(engine.liveSystems(), 0);
    EXPECT_EQ(engine.log.mid(engine.log.size() - 3), (QStringList {"soundRelease", "systemClose", "systemRelease"}));
    EXPECT_EQ(readFile(lyrics::lyricPathOf(media)), "0,\"one\"\r\n100,\"two\"\r\n");
}
