// The maker timing word by word: what each press marks, what the user sees
// before it, and the LRC file that takes the lyric pair's place.
#include "MakerFixture.h"

#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "support/WordLines.h"

#include <QCheckBox>
#include <QLabel>

using namespace cantorel;
using namespace cantorel::testing;

class MakerWords : public MakerFixture {
protected:
    void SetUp() override
    {
        MakerFixture::SetUp();
        child<QCheckBox>("chkWords")->setChecked(true);
    }
    // Moves the song on by `ms` (a position tick included) and presses.
    void pressAfter(unsigned ms)
    {
        play(ms);
        form->command2Click();
    }
    QLabel* cue() const { return child<QLabel>("lblNextWord"); }
};

TEST_F(MakerWords, EachPressMarksTheWordShownAndTheLrcFileTakesThePairsPlace)
{
    const QString media = song("Rain.mp3", 30000);
    const QString lrc = dir.filePath("Rain.lrc");
    writeFile(lyrics::lyricPathOf(media), "0,\"old\"\r\n");
    writeFile(lyrics::translatedLyricPathOf(media), "0,\"vieux\"\r\n");
    prepare(media, lyric("rain.txt", {"Rain on", "雨"}));
    // The pair joins the backups so that the player finds the LRC file.
    EXPECT_FALSE(QFile::exists(lyrics::lyricPathOf(media)));
    EXPECT_EQ(readFile(lyrics::translatedLyricPathOf(media) + ".bak"), "0,\"vieux\"\r\n");
    EXPECT_EQ(readFile(lrc), "");
    EXPECT_FALSE(enabled("chkWords"));
    EXPECT_FALSE(cue()->isHidden());
    EXPECT_EQ(cue()->text(), "Next word: <b><u>Rain</u></b> on");

    form->command1Click(); // plays, marks nothing
    play(1000);
    engine.advance(230); // a word's time is taken at the press
    form->command2Click();
    pressAfter(500);
    // The line is marked: the next one shows, and the last word waits for
    // its end.
    EXPECT_EQ(text2()->lyric(), "雨");
    EXPECT_EQ(cue()->text(), "Next word: <b><u>雨</u></b>");
    EXPECT_EQ(readFile(lrc), "");
    pressAfter(700);
    EXPECT_EQ(readFile(lrc), "[00:01.23]<00:01.23>Rain <00:01.73>on<00:02.43>\r\n");
    EXPECT_EQ(cue()->text(), "Next press: the end of the last word (雨)");
    pressAfter(300);
    EXPECT_EQ(readFile(lrc), "[00:01.23]<00:01.23>Rain <00:01.73>on<00:02.43>\r\n[00:02.43]<00:02.43>雨<00:02.73>\r\n");
    EXPECT_EQ(recordingButtons(), "000");
    EXPECT_TRUE(enabled("chkWords"));
    EXPECT_TRUE(cue()->isHidden());

    auto table = std::make_unique<lyrics::LyricTable>();
    EXPECT_EQ(lyrics::loadLyric(media, *table).origin.kind, lyrics::LyricOrigin::Kind::LrcFile);
    EXPECT_EQ(table->words[1], words({{0, 4, 123}, {5, 2, 173}}, 243));
}

TEST_F(MakerWords, TheTranslationGoesAlongAndAnEarlyStopKeepsWhatWasMarked)
{
    const QString media = song("Sun.mp3");
    prepare(media, lyric("sun.txt", {"Here comes", "the sun"}), lyric("sol.txt", {"Aquí viene", "el sol"}));
    EXPECT_FALSE(QFile::exists(lyrics::translatedLyricPathOf(media)));
    form->command1Click();
    pressAfter(1000);
    pressAfter(1000);
    EXPECT_EQ(text4()->lyric(), "el sol");
    pressAfter(1000);
    form->command3Click(); // "sun" never marked: "the sun" is one word
    EXPECT_EQ(readFile(dir.filePath("Sun.lrc")), "[00:01.00]<00:01.00>Here <00:02.00>comes<00:03.00>\r\n"
                                                 "[00:01.00]Aquí viene\r\n"
                                                 "[00:03.00]<00:03.00>the sun\r\n[00:03.00]el sol\r\n");

    // A recording word by word that marks nothing leaves the disk as it was.
    const QString moon = song("Moon.mp3");
    writeFile(lyrics::lyricPathOf(moon), "0,\"moon\"\r\n");
    prepare(moon, lyric("moon.txt", {"Moon"}));
    form->close();
    EXPECT_EQ(readFile(lyrics::lyricPathOf(moon)), "0,\"moon\"\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("Moon.lrc")));
}
