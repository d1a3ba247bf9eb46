// The recording and its files without a window.
#include "MakerFixture.h"

#include "maker/LyricStreams.h"
#include "maker/Recording.h"
#include "support/LegacyText.h"

#include <QFileInfo>

using namespace cantorel;
using namespace cantorel::maker;
using cantorel::testing::readFile;
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
    // A source that is not UTF-8 is read in the encoding it is written in,
    // as lyric files are, UTF-16 without a mark included.
    writeFile(path("legacy.txt"), "caf\xe9\r\nna\xefve\r\n");
    writeFile(path("gbk.txt"), cantorel::testing::legacyBytes("雨滴落在窗上\r\n我想起你的笑容\r\n", "GBK"));
    writeFile(path("utf16.txt"), cantorel::testing::legacyBytes("君の笑顔\nДождь\n", "UTF-16BE"));
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
    ASSERT_EQ(source.open(path("gbk.txt")), FileError::None);
    EXPECT_EQ(source.readLine(), QString("雨滴落在窗上"));
    ASSERT_EQ(source.open(path("utf16.txt")), FileError::None);
    EXPECT_EQ(source.readLine(), QString("君の笑顔"));
}

TEST_F(RecordingFiles, TargetKeepsTheOldLyricAndFlushesEachRecord)
{
    const QString target = path("song.mp3-lyric.txt");
    writeFile(target, "0,\"old\"\r\n");
    writeFile(target + ".bak", "older");
    LyricTarget t;
    ASSERT_EQ(t.create(target), FileError::None);
    EXPECT_EQ(readFile(target), "");
    EXPECT_EQ(readFile(target + ".bak"), "0,\"old\"\r\n");
    EXPECT_EQ(readFile(target + ".bak.1"), "older"); // never replaced

    EXPECT_EQ(t.write(0, "new"), LyricTarget::Write::Done);
    // Readable by anyone before the file is closed.
    EXPECT_EQ(readFile(target), "0,\"new\"\r\n");
    EXPECT_EQ(t.write(1234.5, "h4618x"), LyricTarget::Write::Done);
    EXPECT_EQ(readFile(target), "0,\"new\"\r\n1234.5,\"h4618x\"\r\n");
    t.close();
    EXPECT_EQ(readFile(target + ".bak"), "0,\"old\"\r\n");
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
    EXPECT_EQ(readFile(kept), "0,\"old\"\r\n");
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
