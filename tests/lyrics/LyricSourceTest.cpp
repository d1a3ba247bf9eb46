#include "base/TextFile.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"

#include "support/TaggedSongs.h"
#include "support/TestFiles.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;
using cantorel::testing::writeFile;
using Kind = LyricOrigin::Kind;

namespace {

class Source : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A song with a Vorbis comment holding a translated LRC lyric.
        cantorel::testing::copyFixture("tones.ogg", media);
        cantorel::testing::addVorbisComment(media, "LYRICS", "[00:01]embedded\n[00:01]intégré");
    }

    // The first line loaded, and where it came from.
    std::pair<QString, Kind> first()
    {
        const FoundLyric found = loadLyric(media, *table);
        return {table->lines[1], found.origin.kind};
    }

    QTemporaryDir dir;
    QString media = dir.filePath("Rain.ogg");
    std::unique_ptr<LyricTable> table = std::make_unique<LyricTable>();
};

} // namespace

TEST_F(Source, PairThenLrcThenLrcAfterTheFullNameThenTheTags)
{
    EXPECT_EQ(first(), std::make_pair(QString("embedded"), Kind::Embedded));
    EXPECT_FALSE(table->noTranslation);
    EXPECT_EQ(table->translatedLines[1], "intégré");

    writeFile(dir.filePath("Rain.ogg.lrc"), "[00:01]long name");
    EXPECT_EQ(first(), std::make_pair(QString("long name"), Kind::LrcFile));
    EXPECT_TRUE(table->noTranslation); // the translation comes from the same source

    writeFile(dir.filePath("Rain.lrc"), "[ti:no time tag, so no lyric]\nwords");
    EXPECT_EQ(first(), std::make_pair(QString("long name"), Kind::LrcFile));
    writeFile(dir.filePath("Rain.lrc"), "[00:01]short name");
    EXPECT_EQ(first(), std::make_pair(QString("short name"), Kind::LrcFile));

    writeFile(lyricPathOf(media), "0,\"pair\"\r\n");
    EXPECT_EQ(first(), std::make_pair(QString("pair"), Kind::Pair));

    EXPECT_EQ(lrcPathsOf("/m/Rain.remix.mp3"), (QStringList {"/m/Rain.remix.lrc", "/m/Rain.remix.mp3.lrc"}));
    EXPECT_EQ(lrcPathsOf("/m.d/Rain"), (QStringList {"/m.d/Rain.lrc"}));
    EXPECT_EQ(loadLyric(dir.filePath("Plain.mp3"), *table).load.outcome, LyricLoad::Outcome::NoLyricFile);
}

TEST_F(Source, IndicatorsFollowTheSameOrder)
{
    LyricPresence p = lyricPresence(media);
    EXPECT_TRUE(p.lyric && p.translation);
    EXPECT_EQ(p.lyricTip, "Rain.ogg (Vorbis LYRICS)");

    writeFile(dir.filePath("Rain.lrc"), "[00:01]a");
    p = lyricPresence(media);
    EXPECT_TRUE(p.lyric);
    EXPECT_FALSE(p.translation);
    EXPECT_EQ(p.lyricTip, "Rain.lrc");

    // The pair's two files count each by itself, as they always have.
    writeFile(translatedLyricPathOf(media), "0,\"t\"\r\n");
    p = lyricPresence(media);
    EXPECT_TRUE(p.lyric && p.translation);
    EXPECT_EQ(p.translationTip, "Rain.ogg-Tlyric.txt");
    writeFile(lyricPathOf(media));
    EXPECT_EQ(lyricPresence(media).lyricTip, "Rain.ogg-lyric.txt");

    EXPECT_FALSE(lyricPresence(dir.filePath("Plain.mp3")).lyric);
}

TEST_F(Source, AnLrcFileThatCannotBeReadIsReported)
{
    writeFile(dir.filePath("Rain.lrc"), QByteArray(cantorel::kTextFileMaxBytes + 1, 'x'));
    table->lines[1] = "before";
    const FoundLyric found = loadLyric(media, *table);
    EXPECT_EQ(found.load.outcome, LyricLoad::Outcome::Failed);
    EXPECT_TRUE(found.errorText.startsWith(dir.filePath("Rain.lrc") + ": ")) << found.errorText.toStdString();
    EXPECT_EQ(table->lines[1], "before");
    EXPECT_TRUE(lyricPresence(media).lyric);
}
