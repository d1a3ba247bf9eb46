// A recording on the real engine (SDL's silent driver): the lines marked at
// real moments carry those moments, and the player's loader reads them back.
#include "MakerFixture.h"

#include "engine/AudioEngineFactory.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"
#include "support/TestPaths.h"
#include "support/Wait.h"

#include <cmath>
#include <utility>
#include <vector>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

using namespace cantorel::engine;

// The real engine, passed through, with the channel it last started kept,
// so that the test reads the position the listener hears.
class WatchedEngine : public AudioEngine {
public:
    explicit WatchedEngine(AudioEngine& real) : m_real(real) {}

    // The song time heard on the last channel started, in ms; 0 without one.
    unsigned heardMs()
    {
        unsigned ms = 0;
        return m_channel && m_real.channelGetPosition(m_channel, &ms, kMilliseconds) == result::Ok ? ms : 0;
    }

    Result systemCreate(Handle* system) override { return m_real.systemCreate(system); }
    Result systemGetVersion(Handle system, unsigned* version) override
    {
        return m_real.systemGetVersion(system, version);
    }
    Result systemInit(Handle system, int maxChannels, unsigned flags) override
    {
        return m_real.systemInit(system, maxChannels, flags);
    }
    Result systemCreateStream(Handle system, const QString& path, unsigned mode, Handle* sound) override
    {
        return m_real.systemCreateStream(system, path, mode, sound);
    }
    Result systemSetOpenListener(Handle system, std::function<void(Handle)> listener) override
    {
        return m_real.systemSetOpenListener(system, std::move(listener));
    }
    Result systemPlaySound(Handle system, int channelIndex, Handle sound, bool paused, Handle* channel) override
    {
        const Result r = m_real.systemPlaySound(system, channelIndex, sound, paused, channel);
        m_channel = r == result::Ok && channel ? *channel : m_channel;
        return r;
    }
    Result systemClose(Handle system) override { return m_real.systemClose(system); }
    Result systemRelease(Handle system) override { return m_real.systemRelease(system); }
    Result channelSetPaused(Handle channel, bool paused) override { return m_real.channelSetPaused(channel, paused); }
    Result channelSetPosition(Handle channel, unsigned position, unsigned unit) override
    {
        return m_real.channelSetPosition(channel, position, unit);
    }
    Result channelGetPosition(Handle channel, unsigned* position, unsigned unit) override
    {
        return m_real.channelGetPosition(channel, position, unit);
    }
    Result channelSetVolume(Handle channel, float volume) override { return m_real.channelSetVolume(channel, volume); }
    Result channelSetMute(Handle channel, bool mute) override { return m_real.channelSetMute(channel, mute); }
    Result channelGetCurrentSound(Handle channel, Handle* sound) override
    {
        return m_real.channelGetCurrentSound(channel, sound);
    }
    Result soundGetLength(Handle sound, unsigned* length, unsigned unit) override
    {
        return m_real.soundGetLength(sound, length, unit);
    }
    Result soundGetOpenState(Handle sound, OpenState* state, Result* openResult) override
    {
        return m_real.soundGetOpenState(sound, state, openResult);
    }
    Result soundRelease(Handle sound) override { return m_real.soundRelease(sound); }

private:
    AudioEngine& m_real;
    Handle m_channel = 0;
};

} // namespace

TEST(MakerOnRealEngine, LineTimesAreTheMomentsOfThePresses)
{
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString media = dir.filePath("Lanterns.ogg");
    const QString source = dir.filePath("Lanterns-lyric-source.txt");
    ASSERT_TRUE(QFile::copy(sourcePath("data/demo/Lanterns.ogg"), media));
    ASSERT_TRUE(QFile::copy(sourcePath("data/demo/Lanterns-lyric-source.txt"), source));

    auto real = engine::createAudioEngine();
    WatchedEngine engine(*real);
    ScriptedPrompts prompts;
    RecordedEnd end;
    AudioFailurePolicy failures(prompts, end);
    Form2 form(MakerServices {engine, prompts, failures});
    form.load();
    prompts.expectOpenFile(media).expectOpenFile(source);
    prompts.expectMessage("Do you want Have a translated version of the song?", Answer::No);
    form.command4Click();
    // The song opens on a thread of the engine; the recording is ready then.
    ASSERT_TRUE(waitUntil([&] { return form.ui().Command1->isEnabled(); }));

    form.command1Click();
    ASSERT_TRUE(form.playing());
    // Without the position timer the window's last reading stays at the
    // start: a line time from it, and not from the press, shows.
    form.positionTimer().stop();

    // Each press lies between two readings of what the listener hears.
    std::vector<std::pair<unsigned, unsigned>> pressedBetween;
    for (unsigned at : {400u, 1000u, 1300u}) {
        ASSERT_TRUE(waitUntil([&] { return engine.heardMs() >= at; }));
        const unsigned before = engine.heardMs();
        form.command2Click();
        pressedBetween.emplace_back(before, engine.heardMs());
    }
    form.command3Click();
    EXPECT_FALSE(form.playing());
    EXPECT_EQ(end.calls, 0);

    lyrics::LyricTable table;
    const lyrics::LyricLoad load = lyrics::loadLyricPair(media, table);
    ASSERT_EQ(load.outcome, lyrics::LyricLoad::Outcome::LyricOnly);
    ASSERT_EQ(table.loadedLines(), 4);
    EXPECT_EQ(table.times[1], 0);
    EXPECT_EQ(table.lines[2], "paper moons on water, drifting slow.");
    for (size_t i = 0; i < pressedBetween.size(); ++i) {
        // Times are kept in hundredths of a second.
        const auto [before, after] = pressedBetween[i];
        const double recordedMs = table.times[i + 2] * 10;
        EXPECT_GE(recordedMs, std::floor(before / 10.0) * 10) << "line " << i + 2;
        EXPECT_LE(recordedMs, std::ceil(after / 10.0) * 10) << "line " << i + 2;
    }
}
