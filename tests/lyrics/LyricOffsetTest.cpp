#include "lyrics/LyricFileReplacement.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricOffset.h"
#include "lyrics/LyricSource.h"

#include "base/FileNames.h"
#include "base/TextFile.h"
#include "support/ForeignNames.h"
#include "support/TaggedSongs.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

TEST(LyricOffset, ShiftsEveryTimeAndComesBackFromTheClamp)
{
    auto base = std::make_unique<LyricTable>(), shown = std::make_unique<LyricTable>();
    base->times = {0, 5, 1234.5, 99}; // slot 3 is above the loaded lines: left alone
    base->lineCount = 3;

    applyOffset(*base, 100, *shown); // 100 ms earlier
    EXPECT_EQ(shown->times[1], 0);
    EXPECT_EQ(shown->times[2], 1224.5);
    EXPECT_EQ(shown->listTimes[2], "1224.5");
    EXPECT_EQ(shown->times[3], 99);
    applyOffset(*base, -300, *shown); // back, and 300 ms later
    EXPECT_EQ(shown->times[1], 35);
    EXPECT_EQ(shown->times[2], 1264.5);

    EXPECT_EQ(offsetText(0), "Lyric on time");
    EXPECT_EQ(offsetText(300), "Lyric 0.3 s earlier");
    EXPECT_EQ(offsetText(-1200), "Lyric 1.2 s later");
}

namespace {

class SaveOffset : public ::testing::Test {
protected:
    FoundLyric found() { return loadLyric(media, *table); }
    QTemporaryDir dir;
    QString media = dir.filePath("Rain.ogg");
    std::unique_ptr<LyricTable> table = std::make_unique<LyricTable>();
};

} // namespace

TEST_F(SaveOffset, PairTimesAreRewrittenInBothFilesAfterABackup)
{
    const QByteArray lyric = "0,\"a\"\r\n\r\n150.5,\"bh1416 c\"\r\nnot a record\r\n";
    writeFile(lyricPathOf(media), lyric);
    writeFile(translatedLyricPathOf(media), "0,\"x\"\r\n150.5,\"y\"\r\n");
    const OffsetSave save = saveOffsetIntoLyric(media, found().origin, -250);
    ASSERT_TRUE(save.ok) << save.error.toStdString();
    EXPECT_EQ(readFile(lyricPathOf(media)), "25,\"a\"\r\n\r\n175.5,\"bh1416 c\"\r\nnot a record\r\n");
    EXPECT_EQ(readFile(translatedLyricPathOf(media)), "25,\"x\"\r\n175.5,\"y\"\r\n");
    EXPECT_EQ(readFile(lyricPathOf(media) + ".bak"), lyric);
    EXPECT_EQ(save.backups.size(), 2);

    EXPECT_FALSE(saveOffsetIntoLyric(media, found().origin, 0).ok);
}

TEST_F(SaveOffset, LrcGetsItsOffsetTagAndNoTimeTagChanges)
{
    const QString lrc = dir.filePath("Rain.lrc");
    const QByteArray original = "[ti:Rain]\n[00:01.00]a\n[00:02.00]b\n";
    writeFile(lrc, original);
    ASSERT_TRUE(saveOffsetIntoLyric(media, found().origin, 300).ok);
    EXPECT_EQ(readFile(lrc), "[ti:Rain]\n[offset:300]\n[00:01.00]a\n[00:02.00]b\n");
    EXPECT_EQ(readFile(lrc + ".bak"), original);
    found();
    EXPECT_EQ(table->times[1], 70);

    // An existing tag is updated in place.
    ASSERT_TRUE(saveOffsetIntoLyric(media, found().origin, -500).ok);
    EXPECT_EQ(readFile(lrc), "[ti:Rain]\n[offset:-200]\n[00:01.00]a\n[00:02.00]b\n");
}

TEST_F(SaveOffset, EmbeddedLyricsGetAnLrcFileBesideTheSong)
{
    cantorel::testing::copyFixture("tones.ogg", media);
    cantorel::testing::addVorbisComment(media, "LYRICS", "[00:01.00]a\n[00:02.00]b");
    const QByteArray song = readFile(media);
    writeFile(dir.filePath("Rain.lrc"), "not a lyric");

    const OffsetSave save = saveOffsetIntoLyric(media, found().origin, 400);
    ASSERT_TRUE(save.ok) << save.error.toStdString();
    EXPECT_EQ(save.written, dir.filePath("Rain.lrc"));
    EXPECT_EQ(readFile(media), song);
    EXPECT_EQ(readFile(dir.filePath("Rain.lrc.bak")), "not a lyric");

    EXPECT_EQ(found().origin.kind, LyricOrigin::Kind::LrcFile);
    EXPECT_EQ(table->times[2], 160);
}

TEST(LyricFileReplacement, AFailureLeavesEveryFileAsItWasAndSuccessKeepsABackup)
{
    QTemporaryDir dir;
    cantorel::testing::ForeignNamedFiles files(dir.path()); // names that are not UTF-8 too
    const QString a = files.make("caf\xE9.lrc", "old a");
    files.make("caf\xE9.lrc.bak", "older a");
    QDir(dir.path()).mkdir("folder");
    for (const QString& bad : {dir.filePath("folder"), dir.filePath("no/such/file")}) {
        const ReplacementResult r = replaceFiles({{a, "new a"}, {bad, "new b"}});
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.startsWith(bad + ": ")) << r.error.toStdString();
        EXPECT_EQ(cantorel::readTextFile(a).text, "old a");
        EXPECT_EQ(cantorel::readTextFile(a + ".bak").text, "older a");
        EXPECT_EQ(cantorel::nameKind(a + ".bak.1"), cantorel::NameKind::None);
    }

    const ReplacementResult r = replaceFiles({{a, "new a"}});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.backups, QStringList {a + ".bak"});
    EXPECT_EQ(r.written, a);
    EXPECT_EQ(cantorel::readTextFile(a).text, "new a");
    EXPECT_EQ(cantorel::readTextFile(a + ".bak").text, "old a");
    EXPECT_EQ(cantorel::readTextFile(a + ".bak.1").text, "older a");
    EXPECT_TRUE(cantorel::removeFile(a + ".bak.1")); // out of QTemporaryDir's reach
}
