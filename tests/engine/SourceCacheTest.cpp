// Opening the same unchanged file again reads nothing; a changed file, or
// one whose earlier open was cancelled, is read afresh.
#include "EngineTestRig.h"
#include "engine/SourceCache.h"

#include <QFile>
#include <QTemporaryDir>

using namespace cantorel::engine;
using namespace cantorel::enginetest;
using cantorel::testing::fixturePath;

TEST(SourceCache, AnUnchangedFileIsNotReadAgainAChangedOneIs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.mp3");
    QFile::copy(fixturePath("audio/vbr-noheader.mp3"), path);
    const Reference ref = decodeFully(path);
    SourceCache& cache = SourceCache::instance();
    Rig rig(ref.rate);
    const std::uint64_t reads = cache.reads();

    const Handle first = rig.openPath(path);
    EXPECT_EQ(cache.reads(), reads + 1);
    EXPECT_EQ(rig.engine.soundRelease(first), result::Ok); // as a stop does
    const Handle again = rig.openPath(path);
    EXPECT_EQ(cache.reads(), reads + 1);
    EXPECT_EQ(rig.length(again), ref.lengthMs());
    rig.play(again);
    EXPECT_LT(maxDifference(rig.capture().pull(static_cast<int>(ref.frames())), ref, 0), 1e-6f);

    // Touched: read again, though nothing else changed.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    rig.openPath(path);
    EXPECT_EQ(cache.reads(), reads + 2);
    // Cut short: read again, and its length is the new one.
    ASSERT_TRUE(file.resize(file.size() * 2 / 3));
    const Reference cut = decodeFully(path);
    EXPECT_EQ(rig.length(rig.openPath(path)), cut.lengthMs());
    EXPECT_EQ(cache.reads(), reads + 3);
}

TEST(SourceCache, ACancelledOpenGivesUpAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.ogg");
    QFile::copy(fixturePath("audio/tones.ogg"), path);
    SourceCache& cache = SourceCache::instance();
    const std::uint64_t reads = cache.reads();
    const std::atomic<bool> cancelled {true};
    std::shared_ptr<const SoundSource> source;
    EXPECT_EQ(openSoundSource(path, mode::AccurateTime, &source, &cancelled), result::FileBad);
    EXPECT_EQ(source, nullptr);
    EXPECT_EQ(openSoundSource(path, mode::AccurateTime, &source), result::Ok);
    EXPECT_EQ(cache.reads(), reads + 2);
    EXPECT_EQ(source->lengthMs(), 2000u);
}
