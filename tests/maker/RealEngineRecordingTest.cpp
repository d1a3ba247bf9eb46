// A recording on the real engine (SDL's silent driver): the lines marked at
// real moments carry those moments, and the player's loader reads them back.
#include "MakerFixture.h"

#include "engine/FfmpegAudioEngine.h"
#include "engine/SdlAudioOutput.h"
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

// The real engine on SDL's output, keeping the channel it last started, so
// that the test reads the position the listener hears.
class WatchedEngine : public FfmpegAudioEngine {
public:
    WatchedEngine() : FfmpegAudioEngine([] { return std::make_unique<SdlAudioOutput>(); }) {}

    // The song time heard on the last channel started, in ms; 0 without one.
    unsigned heardMs()
    {
        unsigned ms = 0;
        return m_channel && channelGetPosition(m_channel, &ms, kMilliseconds) == result::Ok ? ms : 0;
    }

    Result systemPlaySound(Handle system, int channelIndex, Handle sound, bool paused, Handle* channel) override
    {
        const Result r = FfmpegAudioEngine::systemPlaySound(system, channelIndex, sound, paused, channel);
        m_channel = r == result::Ok && channel ? *channel : m_channel;
        return r;
    }

private:
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

    WatchedEngine engine;
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
