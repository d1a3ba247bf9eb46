// Odd but valid media on real decoded audio: chained Ogg streams (joined
// files, also of another rate and channel count), MP3 files whose rate and
// channel count change, MP3 files with a long run of padding or junk before
// the first frame, and a stream-copied cut whose first packets carry
// negative timestamps. The length and every seek are a full decode's, the
// estimate modes never end a song early, and a song time is the same sample
// in every mode.
#include "EngineTestRig.h"

#include <QFile>
#include <QTemporaryDir>

using namespace cantorel::engine;
using namespace cantorel::enginetest;
using cantorel::testing::fixturePath;

namespace {

constexpr int kRate = 44100;

// The odd fixtures, and two MP3 files made here from cbr.mp3: one behind
// 72 KiB of zero padding, one behind 100 000 bytes of junk that holds no
// frame header. `resampled` lists those with parts at a rate other than
// the first part's (the output's).
struct OddFiles {
    OddFiles()
    {
        for (const char* name : {"chained.ogg", "chained-mixed.ogg", "rate-change.mp3"})
            paths << fixturePath(QStringLiteral("audio/") + name);
        resampled << paths[1] << paths[2];
        QFile source(fixturePath("audio/cbr.mp3"));
        source.open(QIODevice::ReadOnly);
        const QByteArray mp3 = source.readAll();
        QByteArray junk;
        std::uint32_t x = 12345;
        for (int i = 0; i < 100000; ++i) {
            x = x * 1103515245u + 12345u;
            junk.append(char((x >> 16) & 0x7f));
        }
        paths << write("padded.mp3", QByteArray(qsizetype(72) * 1024, '\0') + mp3) << write("junk.mp3", junk + mp3);
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    QTemporaryDir dir;
    QStringList paths;
    QStringList resampled;
};

std::string nameOf(const QString& path)
{
    return path.section('/', -1).toStdString();
}

// How far audio heard after a seek is from the reference at `at`, where
// the output converts from another rate: the converter starts afresh (its
// first frames differ) and the seek lands on the nearest source sample, so
// the audio may lie up to one output sample off, in phase by a fraction
// (half a sample of these fixtures' signal, at most about 0.03).
float resampledDifference(const std::vector<float>& got, const Reference& ref, std::int64_t at)
{
    constexpr int kSettle = 32;
    const std::vector<float> settled(got.begin() + std::ptrdiff_t(kSettle) * 2, got.end());
    float best = 1e9f;
    for (int offset = -1; offset <= 1; ++offset)
        best = std::min(best, maxDifference(settled, ref, at + kSettle + offset));
    return best;
}

} // namespace

TEST(OddMedia, LengthAndSeeksAreAFullDecodesInEveryMode)
{
    OddFiles files;
    for (const QString& path : files.paths) {
        const Reference ref = decodeFully(path, kRate);
        ASSERT_GT(ref.frames(), 0) << nameOf(path);
        for (unsigned mode : {mode::AccurateTime, mode::Software}) {
            SCOPED_TRACE(nameOf(path) + (mode == mode::AccurateTime ? "" : " estimate mode"));
            Rig rig(kRate);
            const Handle sound = rig.openPath(path, mode);
            if (mode == mode::AccurateTime) {
                EXPECT_NEAR(rig.length(sound), ref.lengthMs(), 1);
            }
            rig.play(sound);
            EXPECT_LT(maxDifference(rig.capture().pull(static_cast<int>(ref.frames()) - 1), ref, 0), 1e-6f);
            // Forward and back, into every part of the file.
            for (double share : {0.9, 0.6, 0.45, 0.2, 0.02}) {
                const Handle again = rig.play(sound);
                const unsigned target = static_cast<unsigned>(ref.lengthMs() * share);
                ASSERT_EQ(rig.engine.channelSetPosition(again, target, kMilliseconds), result::Ok) << target;
                EXPECT_EQ(rig.position(again), target);
                const auto got = rig.capture().pull(1500);
                const std::int64_t at = ref.leadIn + std::int64_t(target) * kRate / 1000;
                if (files.resampled.contains(path))
                    EXPECT_LT(resampledDifference(got, ref, at), 4e-2f) << target;
                else
                    EXPECT_LT(maxDifference(got, ref, at), 1e-6f) << target;
            }
        }
    }
}

TEST(OddMedia, EstimateModesNeverEndTheSongEarly)
{
    OddFiles files;
    for (const QString& path : files.paths) {
        const Reference ref = decodeFully(path, kRate);
        for (unsigned mode : {mode::Software, mode::Hardware}) {
            SCOPED_TRACE(nameOf(path) + (mode == mode::Software ? " software" : " hardware"));
            Rig rig(kRate);
            const Handle sound = rig.openPath(path, mode);
            const Handle channel = rig.play(sound);
            std::vector<float> heard;
            unsigned position = 0;
            // A player ends the song when the position reaches the length.
            while (rig.engine.channelGetPosition(channel, &position, kMilliseconds) == result::Ok
                   && heard.size() < ref.samples.size() * 2) {
                ASSERT_LT(position, rig.length(sound));
                const auto piece = rig.capture().pull(2205);
                heard.insert(heard.end(), piece.begin(), piece.end());
            }
            heard.resize(std::min(heard.size(), ref.samples.size()));
            EXPECT_LT(maxDifference(heard, ref, 0), 1e-6f);
            EXPECT_EQ(heard.size(), ref.samples.size());
            // Decoding has reached the end: the length is now exact.
            EXPECT_NEAR(rig.length(sound), ref.lengthMs(), 1);
        }
    }
}

TEST(OddMedia, ACutStreamPlaysTheContainersTimelineInEveryMode)
{
    // Four seconds cut at 1.3 s: the container says 2.7 s, and its first
    // packets are pre-roll stamped before zero, which no mode plays.
    const Reference ref = decodeFully(fixturePath("audio/cut.ogg"), kRate);
    ASSERT_GT(ref.leadIn, kRate / 10);
    constexpr unsigned kContainerMs = 2700;
    for (unsigned mode : {mode::AccurateTime, mode::Software, mode::Hardware}) {
        SCOPED_TRACE(mode);
        Rig rig(kRate);
        const Handle sound = rig.open("cut.ogg", mode);
        EXPECT_EQ(rig.length(sound), kContainerMs);
        const Handle channel = rig.play(sound);
        EXPECT_LT(maxDifference(rig.capture().pull(3000), ref, ref.leadIn), 1e-6f);
        for (unsigned target : {2500u, 700u, 150u, 0u}) {
            ASSERT_EQ(rig.engine.channelSetPosition(channel, target, kMilliseconds), result::Ok);
            EXPECT_EQ(rig.position(channel), target);
            EXPECT_LT(maxDifference(rig.capture().pull(2000), ref, ref.leadIn + std::int64_t(target) * kRate / 1000),
                      1e-6f)
                << target;
        }
        // Played to its end from the start: exactly the container's length.
        const Handle again = rig.play(sound);
        std::int64_t heard = 0;
        for (unsigned position = 0;
             rig.engine.channelGetPosition(again, &position, kMilliseconds) == result::Ok && heard < ref.frames();)
            heard += static_cast<std::int64_t>(rig.capture().pull(441).size() / 2);
        EXPECT_EQ(rig.length(sound), kContainerMs);
        EXPECT_NEAR(double(heard), double(ref.frames() - ref.leadIn), 441);
    }
}
