// The real engine on real decoded audio: every fixture is decoded once with
// the plain library calls (the reference), and what the engine hands to its
// output is compared with it sample by sample.
#include "EngineTestRig.h"
#include "support/ForeignNames.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

using namespace cantorel::engine;
using namespace cantorel::enginetest;
using cantorel::testing::fixturePath;

namespace {

const QStringList kFormats = {"cbr.mp3", "vbr-noheader.mp3", "tones.mp2", "tones.ogg", "tones.wav", "tones.wma"};

} // namespace

TEST(AudioEngine, ReportsTheRequiredVersion)
{
    Rig rig;
    unsigned version = 0;
    EXPECT_EQ(rig.engine.systemGetVersion(rig.system, &version), result::Ok);
    EXPECT_EQ(version, 0x42006u);
    EXPECT_EQ(rig.engine.systemInit(rig.system, 32, 0), result::Initialized);
}

TEST(AudioEngine, AccurateLengthIsTheFullDecodesLength)
{
    for (const QString& name : kFormats) {
        SCOPED_TRACE(name.toStdString());
        const Reference ref = decodeFully(fixturePath("audio/" + name));
        ASSERT_GT(ref.frames(), 0);
        Rig rig(ref.rate);
        const Handle sound = rig.open(name);
        unsigned length = 0;
        ASSERT_EQ(rig.engine.soundGetLength(sound, &length, kMilliseconds), result::Ok);
        EXPECT_EQ(length, static_cast<unsigned>(ref.frames() * 1000 / ref.rate));
    }
}

TEST(AudioEngine, OpensAndPlaysANameThatIsNotUtf8)
{
    // "café" as an 8-bit system names it: byte E9, not UTF-8.
    QTemporaryDir dir;
    cantorel::testing::ForeignNamedFiles files(dir.path());
    for (const QString name : {"tones.ogg", "tones.wav", "cbr.mp3", "tones.mp2"}) {
        SCOPED_TRACE(name.toStdString());
        const Reference ref = decodeFully(fixturePath("audio/" + name));
        const QString path =
            files.make("caf\xE9 " + name.toUtf8(), cantorel::testing::readFile(fixturePath("audio/" + name)));
        Rig rig(ref.rate);
        Handle sound = 0;
        ASSERT_EQ(rig.engine.systemCreateStream(rig.system, path, mode::AccurateTime, &sound), result::Ok);
        unsigned length = 0;
        ASSERT_EQ(rig.engine.soundGetLength(sound, &length, kMilliseconds), result::Ok);
        EXPECT_EQ(length, static_cast<unsigned>(ref.frames() * 1000 / ref.rate));
        rig.play(sound);
        EXPECT_LT(maxDifference(rig.capture().pull(4096), ref, 0), 1e-6f);
    }
}

TEST(AudioEngine, PlaysEveryFormatSampleForSampleToItsEnd)
{
    for (const QString& name : kFormats) {
        SCOPED_TRACE(name.toStdString());
        const Reference ref = decodeFully(fixturePath("audio/" + name));
        Rig rig(ref.rate);
        const Handle sound = rig.open(name);
        const Handle channel = rig.play(sound);
        EXPECT_EQ(rig.position(channel), 0u);

        const auto got = rig.capture().pull(static_cast<int>(ref.frames()) - 1);
        EXPECT_LT(maxDifference(got, ref, 0), 1e-6f);
        EXPECT_EQ(rig.position(channel), static_cast<unsigned>((ref.frames() - 1) * 1000 / ref.rate));
        Handle current = 0;
        EXPECT_EQ(rig.engine.channelGetCurrentSound(channel, &current), result::Ok);
        EXPECT_EQ(current, sound);

        // The last sample ends the channel; after it only silence.
        const auto tail = rig.capture().pull(100);
        EXPECT_LT(maxDifference(std::vector<float>(tail.begin(), tail.begin() + 2), ref, ref.frames() - 1), 1e-6f);
        EXPECT_EQ(peak(std::vector<float>(tail.begin() + 2, tail.end())), 0.0f);
        unsigned ms = 0;
        EXPECT_EQ(rig.engine.channelGetPosition(channel, &ms, kMilliseconds), result::InvalidHandle);
        EXPECT_EQ(rig.engine.channelGetCurrentSound(channel, &current), result::InvalidHandle);
        EXPECT_EQ(rig.engine.channelSetPaused(channel, true), result::InvalidHandle);
    }
}

TEST(AudioEngine, SeeksExactlyInEveryFormatAndMode)
{
    for (unsigned mode : {mode::AccurateTime, mode::Software}) {
        for (const QString& name : kFormats) {
            SCOPED_TRACE(name.toStdString() + (mode == mode::Software ? " estimate mode" : ""));
            const Reference ref = decodeFully(fixturePath("audio/" + name));
            Rig rig(ref.rate);
            const Handle channel = rig.play(rig.open(name, mode));
            rig.capture().pull(3000);
            // Forward, then back: the audio decoded in between is dropped.
            for (unsigned target : {1234u, 357u, 0u}) {
                ASSERT_EQ(rig.engine.channelSetPosition(channel, target, kMilliseconds), result::Ok);
                EXPECT_EQ(rig.position(channel), target);
                const auto got = rig.capture().pull(2000);
                EXPECT_LT(maxDifference(got, ref, std::int64_t(target) * ref.rate / 1000), 1e-6f) << target;
                EXPECT_EQ(rig.position(channel), target + 2000u * 1000u / ref.rate);
            }
        }
    }
}

TEST(AudioEngine, SeeksBackAfterDecodingReachedTheEnd)
{
    for (const QString& name : kFormats) {
        SCOPED_TRACE(name.toStdString());
        const Reference ref = decodeFully(fixturePath("audio/" + name));
        Rig rig(ref.rate);
        const Handle channel = rig.play(rig.open(name));
        // Near the end the decoder, running ahead, has read the whole file.
        rig.capture().pull(static_cast<int>(ref.frames()) - 1000);
        ASSERT_EQ(rig.engine.channelSetPosition(channel, 100, kMilliseconds), result::Ok);
        const auto got = rig.capture().pull(4000);
        EXPECT_LT(maxDifference(got, ref, std::int64_t(100) * ref.rate / 1000), 1e-6f);
        EXPECT_EQ(rig.position(channel), 100u + 4000u * 1000u / ref.rate);
    }
}

TEST(AudioEngine, VolumeScalesAndMuteSilencesWithoutLosingIt)
{
    const Reference ref = decodeFully(fixturePath("audio/tones.ogg"));
    Rig rig;
    const Handle channel = rig.play(rig.open("tones.ogg"));
    ASSERT_EQ(rig.engine.channelSetVolume(channel, 0.5f), result::Ok);
    auto got = rig.capture().pull(4000);
    std::vector<float> half(ref.samples.begin(), ref.samples.begin() + 8000);
    for (float& s : half)
        s *= 0.5f;
    float worst = 0;
    for (size_t i = 0; i < got.size(); ++i)
        worst = std::max(worst, std::fabs(got[i] - half[i]));
    EXPECT_LT(worst, 1e-6f);
    EXPECT_GT(peak(got), 0.1f);

    ASSERT_EQ(rig.engine.channelSetMute(channel, true), result::Ok);
    EXPECT_EQ(peak(rig.capture().pull(2000)), 0.0f);
    EXPECT_EQ(rig.position(channel), 6000u * 1000u / 44100u); // muted audio still plays on

    ASSERT_EQ(rig.engine.channelSetMute(channel, false), result::Ok);
    got = rig.capture().pull(1000);
    worst = 0;
    for (size_t i = 0; i < got.size(); ++i)
        worst = std::max(worst, std::fabs(got[i] - 0.5f * ref.samples[12000 + i]));
    EXPECT_LT(worst, 1e-6f);

    EXPECT_EQ(rig.engine.channelSetVolume(channel, 1.5f), result::InvalidParam);
    EXPECT_EQ(rig.engine.channelSetVolume(channel, -0.1f), result::InvalidParam);
    EXPECT_EQ(rig.engine.channelSetVolume(channel, std::nanf("")), result::InvalidParam);
}

TEST(AudioEngine, PauseFreezesThePositionAndTheAudio)
{
    const Reference ref = decodeFully(fixturePath("audio/tones.wav"));
    Rig rig(ref.rate);
    const Handle channel = rig.play(rig.open("tones.wav"));
    rig.capture().pull(2205);
    const unsigned before = rig.position(channel);
    EXPECT_EQ(before, 200u);
    ASSERT_EQ(rig.engine.channelSetPaused(channel, true), result::Ok);
    EXPECT_EQ(peak(rig.capture().pull(3000)), 0.0f);
    EXPECT_EQ(rig.position(channel), before);
    ASSERT_EQ(rig.engine.channelSetPaused(channel, false), result::Ok);
    EXPECT_LT(maxDifference(rig.capture().pull(1000), ref, 2205), 1e-6f);
}

TEST(AudioEngine, ReleasingTheSoundEndsItsChannelAndHandlesStayStale)
{
    Rig rig;
    const Handle sound = rig.open("cbr.mp3");
    const Handle channel = rig.play(sound);
    rig.capture().pull(500);
    ASSERT_EQ(rig.engine.soundRelease(sound), result::Ok);
    unsigned value = 0;
    Handle current = 0;
    EXPECT_EQ(rig.engine.channelGetPosition(channel, &value, kMilliseconds), result::InvalidHandle);
    EXPECT_EQ(rig.engine.channelGetCurrentSound(channel, &current), result::InvalidHandle);
    EXPECT_EQ(rig.engine.soundGetLength(sound, &value, kMilliseconds), result::InvalidHandle);
    EXPECT_EQ(rig.engine.soundRelease(sound), result::InvalidHandle);
    EXPECT_EQ(peak(rig.capture().pull(500)), 0.0f);

    // A new sound may reuse storage, never the old handles.
    const Handle again = rig.open("cbr.mp3");
    EXPECT_NE(again, sound);
    EXPECT_EQ(rig.engine.soundRelease(sound), result::InvalidHandle);
    EXPECT_EQ(rig.engine.channelSetVolume(12345, 0.5f), result::InvalidHandle);
}

TEST(AudioEngine, PlayingASoundAgainTakesOverItsChannel)
{
    Rig rig;
    const Handle sound = rig.open("tones.mp2");
    const Handle first = rig.play(sound);
    rig.capture().pull(3000);
    const Handle second = rig.play(sound);
    EXPECT_NE(first, second);
    EXPECT_EQ(rig.engine.channelSetPaused(first, true), result::ChannelStolen);
    EXPECT_EQ(rig.position(second), 0u);
}

TEST(AudioEngine, RefusesBadParameters)
{
    Rig rig;
    const Handle sound = rig.open("tones.wav");
    const Handle channel = rig.play(sound);
    unsigned length = 0;
    ASSERT_EQ(rig.engine.soundGetLength(sound, &length, kMilliseconds), result::Ok);
    EXPECT_EQ(rig.engine.channelSetPosition(channel, length, kMilliseconds), result::InvalidParam);
    EXPECT_EQ(rig.engine.channelSetPosition(channel, length + 5000, kMilliseconds), result::InvalidParam);
    EXPECT_EQ(rig.engine.channelSetPosition(channel, 10, 2), result::InvalidParam);
    EXPECT_EQ(rig.engine.channelGetPosition(channel, nullptr, kMilliseconds), result::InvalidParam);
    EXPECT_EQ(rig.engine.soundGetLength(sound, &length, 4), result::InvalidParam);
    EXPECT_EQ(rig.engine.soundGetLength(sound, nullptr, kMilliseconds), result::InvalidParam);
    EXPECT_EQ(rig.engine.systemCreateStream(rig.system, fixturePath("audio/tones.wav"), 0, nullptr),
              result::InvalidParam);
    EXPECT_EQ(rig.engine.systemPlaySound(rig.system, 99, sound, false, nullptr), result::InvalidParam);
}

TEST(AudioEngine, BadFilesGiveTheirResultCodes)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    // A WAV header that promises audio but holds none, and one that promises
    // gigabytes.
    QByteArray wav("RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00\x44\xac\x00\x00\x10\xb1\x02\x00"
                   "\x04\x00\x10\x00"
                   "data\x00\x00\x00\x00",
                   44);
    QByteArray huge = wav;
    huge[40] = '\xf0';
    huge[41] = '\xff';
    huge[42] = '\xff';
    huge[43] = '\x7f';
    huge.append(QByteArray(400, '\x01'));
    QFile cut(fixturePath("audio/cbr.mp3"));
    cut.open(QIODevice::ReadOnly);
    const QByteArray mp3 = cut.readAll();

    Rig rig;
    struct Case {
        QString path;
        unsigned mode;
        Result expected;
    };
    const QList<Case> cases = {
        {fixturePath("audio/garbage.mp3"), mode::AccurateTime, result::Format},
        {fixturePath("audio/garbage.mp3"), mode::Software, result::Format},
        {fixturePath("audio/no-such-file.mp3"), mode::AccurateTime, result::FileNotFound},
        {fixturePath("audio/empty.mp3"), mode::AccurateTime, result::FileBad},
        {dir.path(), mode::AccurateTime, result::FileBad},
        {write("notes.mp3", "These are the words of a song, not its sound.\n"), mode::AccurateTime, result::Format},
        {write("silent.wav", wav), mode::AccurateTime, result::FileBad},
        {write("silent.wav", wav), mode::Hardware, result::FileBad},
    };
    for (const Case& c : cases) {
        Handle sound = 0;
        EXPECT_EQ(rig.engine.systemCreateStream(rig.system, c.path, c.mode, &sound), c.expected)
            << c.path.toStdString();
    }

    // These open; what matters is that they play to an end without harm.
    for (const QString& path : {write("huge.wav", huge), write("cut.mp3", mp3.left(mp3.size() / 2 + 77))}) {
        for (unsigned m : {mode::AccurateTime, mode::Software}) {
            Handle sound = 0;
            ASSERT_EQ(rig.engine.systemCreateStream(rig.system, path, m, &sound), result::Ok) << path.toStdString();
            const Handle channel = rig.play(sound);
            rig.capture().pull(60000, 4096, std::chrono::milliseconds(200));
            unsigned ms = 0;
            EXPECT_EQ(rig.engine.channelGetPosition(channel, &ms, kMilliseconds), result::InvalidHandle);
            rig.engine.soundRelease(sound);
        }
    }
}

TEST(AudioEngine, CutMp3LengthMatchesItsDecode)
{
    QTemporaryDir dir;
    QFile source(fixturePath("audio/vbr-noheader.mp3"));
    source.open(QIODevice::ReadOnly);
    const QByteArray bytes = source.readAll();
    const QString path = dir.filePath("cut.mp3");
    QFile out(path);
    Rig rig;
    // Cuts inside a frame's header, just after it, and in its middle.
    for (int extra : {2, 6, 11, 90}) {
        SCOPED_TRACE(extra);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes.left(bytes.size() * 2 / 3 + extra));
        out.close();
        const Reference ref = decodeFully(path);
        Handle sound = 0;
        ASSERT_EQ(rig.engine.systemCreateStream(rig.system, path, mode::AccurateTime, &sound), result::Ok);
        unsigned length = 0;
        rig.engine.soundGetLength(sound, &length, kMilliseconds);
        EXPECT_EQ(length, static_cast<unsigned>(ref.frames() * 1000 / ref.rate));
        const Handle channel = rig.play(sound);
        EXPECT_LT(maxDifference(rig.capture().pull(static_cast<int>(ref.frames())), ref, 0), 1e-6f);
        rig.engine.soundRelease(sound);
        (void)channel;
    }
}

TEST(AudioEngine, EstimateModesReportTheContainersLengthAndStillPlayAll)
{
    const Reference ref = decodeFully(fixturePath("audio/vbr-noheader.mp3"));
    Rig rig;
    const Handle sound = rig.open("vbr-noheader.mp3", mode::Software);
    unsigned length = 0;
    rig.engine.soundGetLength(sound, &length, kMilliseconds);
    EXPECT_NE(length, static_cast<unsigned>(ref.frames() * 1000 / ref.rate)); // no header: an estimate
    EXPECT_GT(length, 2000u);
    const Handle channel = rig.play(sound);
    EXPECT_LT(maxDifference(rig.capture().pull(static_cast<int>(ref.frames())), ref, 0), 1e-6f);
    rig.capture().pull(10);
    unsigned ms = 0;
    EXPECT_EQ(rig.engine.channelGetPosition(channel, &ms, kMilliseconds), result::InvalidHandle);
}

TEST(AudioEngine, ResamplesToTheDeviceRateOnTheSongsTimeline)
{
    Rig rig(48000);
    const Handle channel = rig.play(rig.open("tones.wav")); // 11025 Hz
    const auto got = rig.capture().pull(24000);
    EXPECT_GT(peak(got), 0.1f);
    EXPECT_EQ(rig.position(channel), 500u);
    ASSERT_EQ(rig.engine.channelSetPosition(channel, 1000, kMilliseconds), result::Ok);
    EXPECT_EQ(rig.position(channel), 1000u);
    rig.capture().pull(4800);
    EXPECT_EQ(rig.position(channel), 1100u);
}

TEST(AudioEngine, TwoSystemsPlayIndependently)
{
    const Reference ogg = decodeFully(fixturePath("audio/tones.ogg"));
    const Reference mp3 = decodeFully(fixturePath("audio/cbr.mp3"));
    Rig main;
    Rig maker;
    const Handle a = main.play(main.open("tones.ogg"));
    const Handle b = maker.play(maker.open("cbr.mp3"));
    EXPECT_LT(maxDifference(main.capture().pull(3000), ogg, 0), 1e-6f);
    EXPECT_LT(maxDifference(maker.capture().pull(5000), mp3, 0), 1e-6f);
    EXPECT_EQ(main.position(a), 3000u * 1000 / 44100);
    EXPECT_EQ(maker.position(b), 5000u * 1000 / 44100);
    ASSERT_EQ(maker.engine.systemClose(maker.system), result::Ok);
    EXPECT_LT(maxDifference(main.capture().pull(1000), ogg, 3000), 1e-6f);
}
