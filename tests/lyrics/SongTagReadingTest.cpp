// Reading songs' tags safely: only files whose header looks like their
// kind reach TagLib, the facts are kept while a song is unchanged, and the
// reads run off the asking thread.
#include "lyrics/BackgroundReads.h"
#include "lyrics/SongFacts.h"
#include "lyrics/TagHeader.h"

#include "support/TaggedSongs.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>

using namespace cantorel::lyrics;
using cantorel::testing::copyFixture;
using cantorel::testing::waitUntil;
using cantorel::testing::writeFile;

namespace {

QByteArray le(quint64 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char((value >> (8 * i)) & 0xFF);
    return out;
}

// An ASF header of 567 bytes whose objects declare 65535 attributes in 28
// bytes each: a reader that trusts the counts loops for a long time.
QByteArray lyingAsfHeader()
{
    const QByteArray header("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
    const QByteArray extended("\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50", 16);
    QByteArray bytes = header + le(567, 8) + le(19, 4) + QByteArray("\x01\x02", 2);
    while (bytes.size() + 28 <= 567)
        bytes += extended + le(28, 8) + le(0xFFFF, 2) + QByteArray(2, '\0');
    return bytes.leftJustified(567, '\0');
}

} // namespace

TEST(TagHeader, OnlyFilesThatLookLikeTheirKindAreRead)
{
    QTemporaryDir dir;
    for (const char* fixture : {"cbr.mp3", "tones.mp2", "tones.ogg", "tones.wav", "tones.wma"})
        EXPECT_TRUE(tagsLookReadable(copyFixture(fixture, dir.filePath(fixture)))) << fixture;

    writeFile(dir.filePath("lying.wma"), lyingAsfHeader());
    EXPECT_FALSE(tagsLookReadable(dir.filePath("lying.wma")));
    EXPECT_EQ(readSongFacts(dir.filePath("lying.wma")), SongFacts {});
    // The same header, telling the truth about its one empty attribute list.
    QByteArray honest = lyingAsfHeader();
    honest.replace(24, 4, le(1, 4));
    honest.replace(30 + 24, 2, le(0, 2));
    writeFile(dir.filePath("honest.wma"), honest);
    EXPECT_TRUE(tagsLookReadable(dir.filePath("honest.wma")));

    // Another kind's bytes, random bytes, nothing, a name without a kind.
    EXPECT_FALSE(tagsLookReadable(copyFixture("tones.ogg", dir.filePath("ogg.mp3"))));
    EXPECT_FALSE(tagsLookReadable(copyFixture("garbage.mp3", dir.filePath("garbage.mp3"))));
    EXPECT_FALSE(tagsLookReadable(copyFixture("empty.mp3", dir.filePath("empty.mp3"))));
    EXPECT_FALSE(tagsLookReadable(copyFixture("tones.ogg", dir.filePath("tones.txt"))));
    EXPECT_FALSE(tagsLookReadable(dir.filePath("missing.ogg")));
    // A pipe would hold the reader up for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.mp3")).constData(), 0600), 0);
    EXPECT_FALSE(tagsLookReadable(dir.filePath("pipe.mp3")));

    // MPEG audio with its only tag at the end (ID3v1).
    QByteArray tail = QByteArray(1000, '\0') + "TAG" + QByteArray(125, ' ');
    writeFile(dir.filePath("v1.mp3"), tail);
    EXPECT_TRUE(tagsLookReadable(dir.filePath("v1.mp3")));
}

TEST(SongFactsCache, ReadsASongOnceWhileItIsUnchanged)
{
    QTemporaryDir dir;
    QStringList reads;
    SongFactsCache cache(
        [&reads](const QString& path) {
            reads << path.section(u'/', -1);
            return SongFacts {{QStringLiteral("title %1").arg(reads.size()), {}, {}}, true, false, "tag"};
        },
        2);
    const QString a = dir.filePath("a.ogg");
    const QString b = dir.filePath("b.ogg");
    const QString c = dir.filePath("c.ogg");
    for (const QString& path : {a, b, c})
        writeFile(path, "song");

    EXPECT_EQ(cache.cached(a), std::nullopt) << "never read";
    EXPECT_EQ(cache.facts(a).tags.title, "title 1");
    EXPECT_EQ(cache.facts(a).tags.title, "title 1");
    EXPECT_EQ(cache.cached(a)->tags.title, "title 1");

    // Same size, another modification time: read again.
    const timeval times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimes(QFile::encodeName(a).constData(), times), 0);
    EXPECT_EQ(cache.cached(a), std::nullopt);
    EXPECT_EQ(cache.facts(a).tags.title, "title 2");
    writeFile(a, "longer song");
    EXPECT_EQ(cache.facts(a).tags.title, "title 3") << "another size";

    // Two songs at most: the oldest read goes first.
    cache.facts(b);
    cache.facts(c);
    cache.facts(c);
    EXPECT_EQ(cache.cached(a), std::nullopt);
    EXPECT_TRUE(cache.cached(c).has_value());

    // A missing song is known at once, and never read.
    EXPECT_EQ(cache.facts(dir.filePath("gone.ogg")), SongFacts {});
    EXPECT_EQ(cache.cached(dir.filePath("gone.ogg")), SongFacts {});
    EXPECT_EQ(reads, (QStringList {"a.ogg", "a.ogg", "a.ogg", "b.ogg", "c.ogg"}));
}

TEST(SongFacts, TagsAndEmbeddedLyricInOnePass)
{
    QTemporaryDir dir;
    const QString ogg = copyFixture("tones.ogg", dir.filePath("Rain.ogg"));
    cantorel::testing::addVorbisComment(ogg, "TITLE", "Rain");
    cantorel::testing::addVorbisComment(ogg, "LYRICS", "[00:01]drops\n[00:01]gouttes");
    const SongFacts facts = readSongFacts(ogg);
    EXPECT_EQ(facts.tags.title, "Rain");
    EXPECT_TRUE(facts.lyric && facts.translated);
    EXPECT_EQ(facts.lyricTag, "Vorbis LYRICS");
}

TEST(BackgroundReads, AnswersOnTheAskingThreadAndOnlyTheLatestWaitingQuestion)
{
    BackgroundReads reads;
    QSemaphore started, release;
    QStringList answers;
    QList<QThread*> workers;
    const auto ask = [&](const QString& name, bool hold) {
        reads.read<QString>(
            [&, name, hold] {
                workers << QThread::currentThread();
                if (hold) {
                    started.release();
                    release.tryAcquire(1, 5000);
                }
                return name;
            },
            [&](const QString& answer) {
                EXPECT_EQ(QThread::currentThread(), reads.thread());
                answers << answer;
            });
    };
    ask("first", true);
    ASSERT_TRUE(started.tryAcquire(1, 5000));
    ask("second", false); // replaced by the third while the first runs
    ask("third", false);
    release.release();
    ASSERT_TRUE(waitUntil([&] { return answers.size() == 2; }));
    EXPECT_EQ(answers, (QStringList {"first", "third"}));
    ASSERT_EQ(workers.size(), 2);
    EXPECT_NE(workers.first(), reads.thread());
}
