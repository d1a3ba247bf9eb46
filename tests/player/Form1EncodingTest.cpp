// "Lyric encoding": the user says what a lyric file is written in, the
// lyric is read again at once, and the choice is kept for that file.
#include "PlayerFixture.h"

#include "lyrics/EncodingChoices.h"
#include "support/LegacyText.h"

#include <QAction>
#include <QMenu>

using namespace cantorel;
using namespace cantorel::testing;
using lyrics::TextEncoding;

namespace {

class PlayerEncoding : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        choices = std::make_unique<lyrics::EncodingChoices>(store);
        lyrics::useEncodingChoices(choices.get());
        makePlayer(nullptr, choices.get());
        form->load(QString());
    }
    void TearDown() override
    {
        PlayerFixture::TearDown();
        lyrics::useEncodingChoices(nullptr);
    }
    QAction* action(const QString& name) const { return form->findChild<QAction*>(name); }
    QMenu* menu() const { return form->findChild<QMenu*>("mn_encoding"); }

    QString store = dir.filePath("config/cantorel/lyric-encodings.txt");
    std::unique_ptr<lyrics::EncodingChoices> choices;
};

} // namespace

TEST_F(PlayerEncoding, AChoiceReloadsTheLyricAndIsKeptForThatFile)
{
    const QString path = song("Rain.mp3");
    const QString lrc = dir.filePath("Rain.lrc");
    writeFile(lrc, legacyBytes(QStringLiteral("[00:01.00]Привет\r\n[00:02.00]Ночь\r\n"), "CP1251"));
    openThroughDialog(path);
    play(1500);
    EXPECT_EQ(text1()->lyric(), QStringLiteral("Привет"));
    ASSERT_TRUE(menu()->isEnabled());
    Q_EMIT menu()->aboutToShow();
    EXPECT_EQ(action("mn_encoding_auto")->text(), "Automatic (Windows-1251)");
    EXPECT_TRUE(action("mn_encoding_auto")->isChecked());

    action("mn_encoding_KOI8-R")->trigger();
    EXPECT_EQ(text1()->lyric(), QStringLiteral("оПХБЕР")); // at once, where the song is
    EXPECT_TRUE(action("mn_encoding_KOI8-R")->isChecked());
    EXPECT_EQ(readFile(store), "KOI8-R\t" + lrc.toUtf8() + "\n");
    EXPECT_EQ(lyrics::EncodingChoices(store).choiceFor(lrc), TextEncoding::Koi8R); // the next start

    action("mn_encoding_auto")->trigger();
    EXPECT_EQ(text1()->lyric(), QStringLiteral("Привет"));
    EXPECT_EQ(readFile(store), "");
    EXPECT_EQ(prompts.remaining(), 0);
}

TEST_F(PlayerEncoding, APairChoiceCoversBothFilesAndNoFileMeansNoChoice)
{
    const QString pair = song("Pair.mp3", {{0, "a"}}, {{0, "b"}});
    openThroughDialog(pair);
    action("mn_encoding_GB18030")->trigger();
    EXPECT_EQ(choices->choiceFor(lyrics::lyricPathOf(pair)), TextEncoding::Gb18030);
    EXPECT_EQ(choices->choiceFor(lyrics::translatedLyricPathOf(pair)), TextEncoding::Gb18030);
    EXPECT_EQ(text1()->lyric(), "a");

    openThroughDialog(song("Plain.mp3"));
    EXPECT_FALSE(menu()->isEnabled());

    // A store that cannot be written: the choice holds for this run, and
    // the user is told it was not kept.
    choices = std::make_unique<lyrics::EncodingChoices>(dir.filePath("Pair.mp3") + "/no/store");
    lyrics::useEncodingChoices(choices.get());
    makePlayer(nullptr, choices.get());
    form->load(QString());
    openThroughDialog(pair);
    prompts.expectMessage(QString());
    action("mn_encoding_Big5")->trigger();
    EXPECT_EQ(choices->choiceFor(lyrics::lyricPathOf(pair)), TextEncoding::Big5);
    EXPECT_EQ(prompts.remaining(), 0);
    EXPECT_TRUE(prompts.messages().last().startsWith("The encoding holds until the player ends"));
}

TEST_F(PlayerEncoding, ASaveThatHadToLeaveTheEncodingSaysSo)
{
    // A byte that is no Big5 character reads as U+FFFD, which Big5 cannot
    // hold: the offset is kept, the file becomes UTF-8, and the note says so.
    const QString path = song("Rain.mp3");
    writeFile(dir.filePath("Rain.lrc"),
              legacyBytes(QStringLiteral("[00:01.00]我愛你\r\n"), "BIG5") + "[00:02.00]\xFF\r\n");
    const lyrics::ScopedEncodingForAll big5(TextEncoding::Big5);
    openThroughDialog(path);
    play(10);
    QStringList said;
    QObject::connect(controller.get(), &PlayerController::offsetMoved, [&](const QString& s) { said << s; });
    form->findChild<QAction*>("mn_earlier")->trigger();
    form->findChild<QAction*>("mn_saveoffset")->trigger();
    EXPECT_EQ(said.last(), "Offset kept in Rain.lrc (Rain.lrc no longer fits Big5: it is UTF-8 now)");
    EXPECT_TRUE(readFile(dir.filePath("Rain.lrc")).startsWith("\xEF\xBB\xBF[offset:100]"));
}
