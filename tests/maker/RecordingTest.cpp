// The recording and its files without a window.
#include "MakerFixture.h"

#include "maker/LyricStreams.h"
#include "maker/Recording.h"

#include <QFileInfo>

using namespace cantorel;
using namespace cantorel::maker;
using cantorel::testing::readAll;
using cantorel::testing::writeFile;

class RecordingFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(RecordingFiles, LinesAreCountedAndReadAsTheSourceHoldsThem)
{
    writeFile(path("crlf.txt"), "one\r\ntwo\r\n");
    writeFile(path("mixed.txt"), "one\ntwo\rthree");
    writeFile(path("blank.txt"), "one\r\n\r\n");
    writeFile(path("empty.txt"), "");
    // Windows-1252 bytes read as their characters; UTF-8 as UTF-8.
    writeFile(path("legacy.txt"), "caf\xe9\r\nna\xc3\xafve\r\n");
    FileError error = FileError::Other;
    EXPECT_EQ(countLines(path("crlf.txt"), &error), 2);
    EXPECT_EQ(error, FileError::None);
    EXPECT_EQ(countLines(path("mixed.txt"), &error), 3);
    EXPECT_EQ(countLines(path("blank.txt"), &error), 2);
    EXPECT_EQ(countLines(path("empty.txt"), &error), 0);
    EXPECT_EQ(countLines(path("gone.txt"), &error), std::nullopt);
    EXPECT_EQ(error, FileError::FileNotFound);
    EXPECT_EQ(countLines(dir.path(), &error), std::nullopt);
    EXPECT_EQ(error, FileError::Other);

    LineSource source;
    ASSERT_EQ(source.open(path("legacy.txt")), FileError::None);
    EXPECT_EQ(source.readLine(), QString("café"));
    EXPECT_EQ(source.readLine(), QString("naïve"));
    EXPECT_TRUE(source.exhausted());
    EXPECT_EQ(source.readLine(), std::nullopt);
}

TEST_F(RecordingFiles, TargetKeepsTheOldLyricAndFlushesEachRecord)
{
    const QString target = path("song.mp3-lyric.txt");
    writeFile(target, "0,\"old\"\r\n");
    writeFile(target + ".bak", "older");
    LyricTarget t;
    ASSERT_EQ(t.create(target), FileError::None);
    EXPECT_EQ(readAll(target), "");
    EXPECT_EQ(readAll(target + ".bak"), "0,\"old\"\r\n");

    EXPECT_EQ(t.write(0, "new"), LyricTarget::Write::Done);
    // Readable by anyone before the file is closed.
    EXPECT_EQ(readAll(target), "0,\"new\"\r\n");
    EXPECT_EQ(t.write(1234.5, "h4618x"), LyricTarget::Write::Done);
    EXPECT_EQ(readAll(target), "0,\"new\"\r\n1234.5,\"h4618x\"\r\n");
    t.close();
    EXPECT_EQ(readAll(target + ".bak"), "0,\"old\"\r\n");
    EXPECT_EQ(t.write(1, "late"), LyricTarget::Write::NotOpen);
}

TEST_F(RecordingFiles, TargetWithoutRecordsLeavesTheDiskAsItFoundIt)
{
    const QString kept = path("a-lyric.txt");
    writeFile(kept, "0,\"old\"\r\n");
    const QString fresh = path("b-lyric.txt");
    const QString empty = path("c-lyric.txt");
    writeFile(empty, "");
    {
        LyricTarget a, b, c;
        ASSERT_EQ(a.create(kept), FileError::None);
        ASSERT_EQ(b.create(fresh), FileError::None);
        ASSERT_EQ(c.create(empty), FileError::None);
        EXPECT_TRUE(QFileInfo::exists(fresh));
        EXPECT_FALSE(QFileInfo::exists(empty + ".bak")); // nothing worth keeping
    }
    EXPECT_EQ(readAll(kept), "0,\"old\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(kept + ".bak"));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_TRUE(QFileInfo::exists(empty));
}

TEST_F(RecordingFiles, TargetThatCannotBeMadeSaysWhy)
{
    LyricTarget t;
    EXPECT_EQ(t.create(path("no/such/folder/x-lyric.txt")), FileError::FileNotFound);
    EXPECT_FALSE(t.isOpen());
    QDir(dir.path()).mkdir("taken-lyric.txt");
    EXPECT_EQ(t.create(path("taken-lyric.txt")), FileError::Other);
    EXPECT_EQ(t.write(0, "x"), LyricTarget::Write::NotOpen);
    EXPECT_EQ(fileErrorMessage(FileError::FileNotFound), "File Not Found");
    EXPECT_EQ(fileErrorMessage(FileError::DiskNotReady), "Disk Not Ready");
    EXPECT_EQ(fileErrorMessage(FileError::Other), "");
}

TEST_F(RecordingFiles, StreamsThatNeverOpenedDoNothing)
{
    Recording r;
    r.beginPreparation();
    r.setNoTranslation(false);
    EXPECT_NE(r.openSource(Side::Lyric, path("gone.txt")), FileError::None);
    EXPECT_EQ(r.takeFirstLine(Side::Lyric), "");
    EXPECT_FALSE(r.streamsReady());
    r.markPrepared();
    EXPECT_TRUE(r.start(0).failedPath.isEmpty());
    const Recording::Step step = r.nextLine(100);
    EXPECT_FALSE(step.advanced);
    EXPECT_TRUE(step.allLinesDone);
    EXPECT_TRUE(r.stopByUser());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(RecordingFiles, StatesOfARecordingWithTranslation)
{
    writeFile(path("a.txt"), "one\r\n\"two\", too\r\n");
    writeFile(path("t.txt"), "uno\r\ndos\r\n");
    Recording r;
    r.beginPreparation();
    r.setNoTranslation(false);
    ASSERT_EQ(r.openSource(Side::Translation, path("t.txt")), FileError::None);
    ASSERT_EQ(r.createTarget(Side::Translation, path("s-Tlyric.txt")), FileError::None);
    ASSERT_EQ(r.openSource(Side::Lyric, path("a.txt")), FileError::None);
    ASSERT_EQ(r.createTarget(Side::Lyric, path("s-lyric.txt")), FileError::None);
    EXPECT_EQ(r.takeFirstLine(Side::Lyric), "one");
    EXPECT_EQ(r.takeFirstLine(Side::Translation), "uno");
    ASSERT_TRUE(r.streamsReady());
    r.markPrepared();

    // A song ending before the last line leaves the recording open.
    EXPECT_FALSE(r.songEnded());
    EXPECT_TRUE(r.start(0).wrote);
    EXPECT_FALSE(r.start(50).wrote);
    const Recording::Step step = r.nextLine(321.5);
    EXPECT_TRUE(step.advanced);
    EXPECT_EQ(step.line, "\"two\", too");
    EXPECT_EQ(r.currentLine(), "h4618twoh4618h1416 too");
    EXPECT_EQ(step.translatedLine, "dos");
    EXPECT_TRUE(step.allLinesDone);
    EXPECT_TRUE(r.allLinesDone());
    EXPECT_TRUE(r.anyStreamOpen());

    // Pressed again after the end: nothing more is written.
    EXPECT_FALSE(r.nextLine(400).advanced);
    EXPECT_TRUE(r.songEnded());
    EXPECT_FALSE(r.anyStreamOpen());
    EXPECT_EQ(readAll(path("s-lyric.txt")), "0,\"one\"\r\n321.5,\"h4618twoh4618h1416 too\"\r\n");
    EXPECT_EQ(readAll(path("s-Tlyric.txt")), "0,\"uno\"\r\n321.5,\"dos\"\r\n");

    // A recording the user stopped is not closed again by the song's end.
    r.beginPreparation();
    EXPECT_FALSE(r.allLinesDone());
    EXPECT_TRUE(r.stopByUser());
    EXPECT_TRUE(r.stoppedByUser());
    EXPECT_FALSE(r.songEnded());
}

TEST_F(RecordingFiles, AbandonedPreparationGivesTheOldLyricBack)
{
    writeFile(path("s-lyric.txt"), "0,\"old\"\r\n");
    writeFile(path("a.txt"), "one\r\n");
    Recording r;
    r.beginPreparation();
    r.setNoTranslation(false);
    ASSERT_EQ(r.openSource(Side::Lyric, path("a.txt")), FileError::None);
    ASSERT_EQ(r.createTarget(Side::Lyric, path("s-lyric.txt")), FileError::None);
    EXPECT_EQ(r.openSource(Side::Translation, path("gone.txt")), FileError::FileNotFound);
    r.markPrepared();
    EXPECT_FALSE(r.streamsReady());
    r.abandon();
    EXPECT_FALSE(r.recordingOpen());
    EXPECT_EQ(readAll(path("s-lyric.txt")), "0,\"old\"\r\n");
}
