// The decoding thread sleeps until the output needs audio, and the position
// is what the listener hears: what was handed to the output less what the
// device still holds, across pause, seek, resume and the song's end.
#include "EngineTestRig.h"
#include "engine/ChannelPlayback.h"
#include "engine/Mixer.h"
#include "engine/SdlAudioOutput.h"

#include <chrono>

using namespace cantorel::engine;
using namespace cantorel::enginetest;
using cantorel::testing::fixturePath;

TEST(QuietPlayback, TheDecoderSleepsUntilTheRingHasDrainedToItsLowWaterMark)
{
    const QString path = fixturePath("audio/tones.ogg");
    const Reference ref = decodeFully(path);
    std::shared_ptr<const SoundSource> source;
    ASSERT_EQ(openSoundSource(path, mode::AccurateTime, &source), result::Ok);
    Mixer mixer;
    CaptureOutput output(ref.rate);
    output.open(&mixer);
    const auto channel = ChannelPlayback::start(source, ref.rate, false);
    mixer.add(channel);
    constexpr int kBlock = AudioBlock::kFrames;
    const int full = ChannelPlayback::kRingBlocks * kBlock;
    // The ring is full, and the decoder asleep: nothing but the output
    // wakes it, however long the output takes.
    ASSERT_TRUE(waitFor([&] { return mixer.readyFor(full - 1) && channel->asleep(); }));
    EXPECT_EQ(channel->wakeups(), 0u);
    // Nor does the output while the ring drains down to its low-water mark...
    std::vector<float> heard = output.pull((ChannelPlayback::kRingBlocks - ChannelPlayback::kLowWater - 1) * kBlock);
    EXPECT_TRUE(channel->asleep());
    // ...which wakes it once, to fill the ring again.
    auto more = output.pull(kBlock);
    heard.insert(heard.end(), more.begin(), more.end());
    ASSERT_TRUE(waitFor([&] { return mixer.readyFor(full - 1) && channel->asleep(); }));
    EXPECT_EQ(channel->wakeups(), 1u);

    // To the end: about one wake-up per low-water drain, and the audio whole.
    more = output.pull(static_cast<int>(ref.frames()) - static_cast<int>(heard.size() / 2));
    heard.insert(heard.end(), more.begin(), more.end());
    EXPECT_LT(maxDifference(heard, ref, 0), 1e-6f);
    const std::uint64_t drains =
        static_cast<std::uint64_t>(ref.frames() / (std::int64_t(ChannelPlayback::kLowWater) * kBlock));
    EXPECT_LE(channel->wakeups(), drains + 2);
    // Decoded to its end, it sleeps until a seek or stop.
    ASSERT_TRUE(waitFor([&] { return channel->asleep(); }));
    const std::uint64_t atEnd = channel->wakeups();
    channel->seek(500);
    EXPECT_TRUE(waitFor([&] { return channel->wakeups() > atEnd; }));
    EXPECT_LT(maxDifference(output.pull(4000), ref, std::int64_t(500) * ref.rate / 1000), 1e-6f);
    EXPECT_TRUE(channel->stop());
}

TEST(QuietPlayback, ThePositionIsWhatTheListenerHearsAcrossPauseSeekAndResume)
{
    const Reference ref = decodeFully(fixturePath("audio/tones.ogg"));
    ASSERT_EQ(ref.rate, 44100);
    Rig rig(44100);
    rig.capture().setDelayFrames(4410); // the device holds 100 ms
    const Handle sound = rig.open("tones.ogg");
    const Handle channel = rig.play(sound);
    rig.capture().pull(4410);
    EXPECT_EQ(rig.position(channel), 0u); // handed out, not heard yet
    rig.capture().pull(8820);
    EXPECT_EQ(rig.position(channel), 200u);

    // Paused, the device still plays what it holds, then the position stays
    // on the last sample heard.
    ASSERT_EQ(rig.engine.channelSetPaused(channel, true), result::Ok);
    EXPECT_EQ(rig.position(channel), 200u);
    rig.capture().pull(2205);
    EXPECT_EQ(rig.position(channel), 250u);
    rig.capture().pull(8820);
    EXPECT_EQ(rig.position(channel), 300u);
    // Resumed, it moves on once the new audio has passed through the device.
    ASSERT_EQ(rig.engine.channelSetPaused(channel, false), result::Ok);
    rig.capture().pull(4410);
    EXPECT_EQ(rig.position(channel), 300u);
    rig.capture().pull(2205);
    EXPECT_EQ(rig.position(channel), 350u);

    // A seek reads its target at once, and until audio from there is heard.
    ASSERT_EQ(rig.engine.channelSetPosition(channel, 1000, kMilliseconds), result::Ok);
    EXPECT_EQ(rig.position(channel), 1000u);
    rig.capture().pull(2205);
    EXPECT_EQ(rig.position(channel), 1000u);
    const auto got = rig.capture().pull(4410);
    EXPECT_EQ(rig.position(channel), 1050u);
    EXPECT_LT(maxDifference(got, ref, 44100 + 2205), 1e-6f); // the audio itself is handed out as before

    // The channel ends when its last sample has been heard, not before.
    const int left = static_cast<int>(ref.frames()) - 44100 - 6615;
    rig.capture().pull(left);
    EXPECT_EQ(rig.position(channel), static_cast<unsigned>((ref.frames() - 4410) * 1000 / 44100));
    rig.capture().pull(4409);
    unsigned ms = 0;
    EXPECT_EQ(rig.engine.channelGetPosition(channel, &ms, kMilliseconds), result::Ok);
    rig.capture().pull(1);
    EXPECT_EQ(rig.engine.channelGetPosition(channel, &ms, kMilliseconds), result::InvalidHandle);
}

TEST(QuietPlayback, SdlOutputPlaysOnTheSilentDriverAndThePositionMovesOnBetweenPieces)
{
    // The device is asked for audio in pieces, about 20 a second; between
    // two of them the position still moves on with the device's playing,
    // and never back.
    qputenv("SDL_AUDIODRIVER", "dummy");
    const SdlAudioOutput* output = nullptr;
    auto engine = std::make_unique<FfmpegAudioEngine>([&output] {
        auto made = std::make_unique<SdlAudioOutput>();
        output = made.get();
        return made;
    });
    Handle system = 0;
    ASSERT_EQ(engine->systemCreate(&system), result::Ok);
    ASSERT_EQ(engine->systemInit(system, 32, 0), result::Ok);
    ASSERT_TRUE(output);
    Handle sound = 0;
    ASSERT_EQ(engine->systemCreateStream(system, fixturePath("audio/tones.ogg"), mode::AccurateTime, &sound),
              result::Ok);
    Handle channel = 0;
    ASSERT_EQ(engine->systemPlaySound(system, kFreeChannel, sound, false, &channel), result::Ok);

    // A position counts as read between two pieces when the output's count
    // of frames handed out is the same before and after it, and as the one
    // before it.
    unsigned last = 0;
    std::int64_t lastRendered = -1;
    int movedBetweenPieces = 0;
    bool backwards = false;
    EXPECT_TRUE(waitFor(
        [&] {
            const std::int64_t before = output->clock().rendered;
            unsigned ms = 0;
            if (engine->channelGetPosition(channel, &ms, kMilliseconds) != result::Ok)
                return true; // played out first
            const std::int64_t after = output->clock().rendered;
            backwards = backwards || ms < last;
            if (before == after && before == lastRendered && ms > last)
                ++movedBetweenPieces;
            last = ms;
            lastRendered = before == after ? after : -1;
            return movedBetweenPieces >= 3 && ms >= 100;
        },
        std::chrono::seconds(10)));
    EXPECT_GE(movedBetweenPieces, 3) << "at " << last << " ms";
    EXPECT_GE(last, 100u);
    EXPECT_FALSE(backwards);
    EXPECT_EQ(engine->soundRelease(sound), result::Ok);
    EXPECT_EQ(engine->systemClose(system), result::Ok);
    EXPECT_EQ(engine->systemRelease(system), result::Ok);
    EXPECT_EQ(engine->systemInit(system, 32, 0), result::InvalidHandle);
}

TEST(QuietPlayback, TheSoundDeviceRestsWhileNothingPlays)
{
    // The silent driver's one device, and the clock of our own that a second
    // system plays on: neither asks for audio while nothing plays.
    qputenv("SDL_AUDIODRIVER", "dummy");
    std::vector<SdlAudioOutput*> outputs;
    FfmpegAudioEngine engine([&outputs] {
        auto output = std::make_unique<SdlAudioOutput>();
        outputs.push_back(output.get());
        return output;
    });
    Handle systems[2] = {};
    for (Handle& system : systems) {
        ASSERT_EQ(engine.systemCreate(&system), result::Ok);
        ASSERT_EQ(engine.systemInit(system, 32, 0), result::Ok);
    }
    ASSERT_EQ(outputs.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const SdlAudioOutput& output = *outputs[size_t(i)];
        EXPECT_TRUE(waitFor([&] { return output.resting(); })); // no song yet
        Handle sound = 0;
        ASSERT_EQ(engine.systemCreateStream(systems[i], fixturePath("audio/tones.wav"), mode::AccurateTime, &sound),
                  result::Ok);
        Handle channel = 0;
        ASSERT_EQ(engine.systemPlaySound(systems[i], kFreeChannel, sound, false, &channel), result::Ok);
        unsigned ms = 0;
        auto position = [&] { return engine.channelGetPosition(channel, &ms, kMilliseconds) == result::Ok ? ms : 0u; };
        EXPECT_TRUE(waitFor([&] { return !output.resting() && position() > 50; }));

        // Paused, it rests once what it held is heard; resumed, it plays on.
        ASSERT_EQ(engine.channelSetPaused(channel, true), result::Ok);
        EXPECT_TRUE(waitFor([&] { return output.resting(); }));
        const unsigned settled = position();
        ASSERT_EQ(engine.channelSetPaused(channel, false), result::Ok);
        EXPECT_TRUE(waitFor([&] { return position() > settled + 50; }));

        // Played to its end: the channel goes, and the device rests again.
        ASSERT_EQ(engine.channelSetPosition(channel, 1400, kMilliseconds), result::Ok);
        EXPECT_TRUE(waitFor([&] { return engine.channelGetPosition(channel, &ms, kMilliseconds) != result::Ok; }));
        EXPECT_TRUE(waitFor([&] { return output.resting(); }));
    }
}
