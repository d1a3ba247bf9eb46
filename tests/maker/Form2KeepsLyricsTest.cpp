// Nothing the user recorded is lost to a re-recording or a refused song:
// backups pile up instead of replacing each other, a stale translation goes
// with the lyric it belonged to, and a song the engine refuses touches no
// lyric file.
#include "MakerFixture.h"

#include "lyrics/LyricFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace cantorel;
using namespace cantorel::testing;

class MakerKeeps : public MakerFixture {
protected:
    // Records every line of `lines` at one-second steps, then stops.
    void record(const QString& media, const QStringList& lines, const QStringList& translation = {})
    {
        prepare(media, lyric("lyric.txt", lines),
                translation.isEmpty() ? QString() : lyric("translation.txt", translation));
        form->command1Click();
        for (int i = 1; i < lines.size(); ++i) {
            play(1000);
            form->command2Click();
        }
        form->command3Click();
    }
};

TEST_F(MakerKeeps, ARefusedSongIsReportedAndTouchesNoLyricFile)
{
    const QString media = song("broken.mp3");
    const QString target = lyrics::lyricPathOf(media);
    writeFile(target, "0,\"old\"\r\n");
    engine.refuse(media, 19);
    prompts.expectOpenFile(media).expectOpenFile(lyric("a.txt", {"one"}));
    prompts.expectMessage(kTranslationQuestion, Answer::No);
    prompts.expectMessage("FMOD error! (19) Error loading file. ");
    form->command4Click();
    EXPECT_EQ(end.calls, 0);
    EXPECT_EQ(readFile(target), "0,\"old\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(target + ".bak"));
    EXPECT_EQ(recordingButtons(), "000");
    EXPECT_FALSE(enabled("cPlay"));
    EXPECT_TRUE(enabled("Command4"));

    // The maker goes on: a good song records as usual.
    record(song("good.mp3"), {"la", "la la"});
    EXPECT_EQ(readFile(lyrics::lyricPathOf(dir.filePath("good.mp3"))), "0,\"la\"\r\n100,\"la la\"\r\n");
}

TEST_F(MakerKeeps, AShortReRecordingLeavesTheFullLyricInTheBackups)
{
    const QString media = song("Rain.mp3");
    const QString target = lyrics::lyricPathOf(media);
    record(media, {"one", "two", "three", "four"});
    const QByteArray full = readFile(target);
    ASSERT_EQ(full.count('\n'), 4);

    // Two lines again, twice: the full lyric is still on disk after both.
    record(media, {"one", "two"});
    record(media, {"uno", "dos"});
    EXPECT_EQ(readFile(target), "0,\"uno\"\r\n100,\"dos\"\r\n");
    EXPECT_EQ(readFile(target + ".bak"), "0,\"one\"\r\n100,\"two\"\r\n");
    EXPECT_EQ(readFile(target + ".bak.1"), full);
}

TEST_F(MakerKeeps, ARecordingWithoutTranslationSetsTheOldOneAside)
{
    const QString media = song("Rain.mp3");
    const QString target = lyrics::lyricPathOf(media);
    const QString translated = lyrics::translatedLyricPathOf(media);
    record(media, {"one", "two"}, {"uno", "dos"});
    ASSERT_EQ(readFile(translated), "0,\"uno\"\r\n100,\"dos\"\r\n");

    // Prepared, then given up before any line: the pair is as it was.
    prepare(media, lyric("new.txt", {"eins"}));
    EXPECT_FALSE(QFileInfo::exists(translated));
    // "Open " again, then cancelled: the earlier preparation ends.
    prompts.expectOpenFile(QString()).expectMessage("Cancel the whole Operation?", Answer::Yes);
    form->command4Click();
    EXPECT_EQ(readFile(translated), "0,\"uno\"\r\n100,\"dos\"\r\n");
    EXPECT_EQ(readFile(target), "0,\"one\"\r\n100,\"two\"\r\n");

    // Recorded: the old translation sits in the backups with its lyric.
    record(media, {"eins", "zwei"});
    EXPECT_FALSE(QFileInfo::exists(translated));
    EXPECT_EQ(readFile(translated + ".bak"), "0,\"uno\"\r\n100,\"dos\"\r\n");
    EXPECT_EQ(readFile(target + ".bak"), "0,\"one\"\r\n100,\"two\"\r\n");
}

TEST_F(MakerKeeps, NoLyricFileIsTouchedBeforeTheSongHasOpened)
{
    engine.holdOpens(true);
    const QString media = song("slow.mp3");
    const QString target = lyrics::lyricPathOf(media);
    writeFile(target, "0,\"old\"\r\n");
    prepare(media, lyric("a.txt", {"one"}));
    EXPECT_EQ(readFile(target), "0,\"old\"\r\n");
    EXPECT_EQ(recordingButtons(), "000");

    // It turns out broken: refused, and the lyric stays as it was.
    prompts.expectMessage("FMOD error! (19) Error loading file. ");
    engine.completeOpen(engine.lastSound(), 19);
    QCoreApplication::processEvents();
    EXPECT_EQ(readFile(target), "0,\"old\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(target + ".bak"));

    // A good one prepares the recording once it is open.
    prepare(media, lyric("a.txt", {"one"}));
    engine.completeOpen(engine.lastSound());
    QCoreApplication::processEvents();
    EXPECT_EQ(recordingButtons(), "111");
    EXPECT_EQ(readFile(target), "");
}

TEST_F(MakerKeeps, AReRecordingKeepsTheOldFilesLinkAndPermissions)
{
    const QString media = song("Rain.mp3");
    const QString target = lyrics::lyricPathOf(media);
    ASSERT_TRUE(QDir(dir.path()).mkdir("shelf"));
    const QString real = dir.filePath("shelf/Rain-lyric.txt");
    writeFile(real, "0,\"old\"\r\n");
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link("shelf/Rain-lyric.txt", target));

    record(media, {"new"});
    EXPECT_TRUE(QFileInfo(target).isSymLink());
    EXPECT_EQ(readFile(real), "0,\"new\"\r\n");
    EXPECT_EQ(readFile(real + ".bak"), "0,\"old\"\r\n");
    EXPECT_EQ(QFile::permissions(real) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(MakerKeeps, AReadOnlyLyricIsRecordedOverOnlyWhenTheUserSaysSo)
{
    const QString media = song("Rain.mp3");
    const QString target = lyrics::lyricPathOf(media);
    writeFile(target, "0,\"old\"\r\n");
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner));
    const QString question = "The lyric file Rain.mp3-lyric.txt is read-only. Replace it anyway?";
    auto open = [&](Answer answer) {
        prompts.expectOpenFile(media).expectOpenFile(lyric("a.txt", {"new"}));
        prompts.expectMessage(kTranslationQuestion, Answer::No).expectMessage(question, answer);
    };

    open(Answer::No);
    prompts.expectMessage("Nothing can be recorded: " + target + " is read-only.");
    form->command4Click();
    EXPECT_EQ(recordingButtons(), "000");
    EXPECT_EQ(readFile(target), "0,\"old\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(target + ".bak"));

    open(Answer::Yes);
    form->command4Click();
    form->command1Click();
    form->command3Click();
    EXPECT_EQ(readFile(target), "0,\"new\"\r\n");
    EXPECT_EQ(readFile(target + ".bak"), "0,\"old\"\r\n");
    EXPECT_EQ(QFile::permissions(target) & 0x7077, QFile::ReadOwner);
}
