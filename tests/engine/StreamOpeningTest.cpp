// Opening streams without waiting: a non-blocking open reports to the
// system's listener, and an open still under way gives way at once to a
// release, a close or the engine's end; the fake engine holds such opens for
// window tests.
#include "EngineTestRig.h"
#include "engine/ResultTexts.h"
#include "support/FakeAudioEngine.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <mutex>
#include <thread>

using namespace cantorel::engine;
using namespace cantorel::enginetest;
using cantorel::testing::fixturePath;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Opens that wait at a gate before doing the real work. `heedCancel`: they
// give up when cancelled, as the real open does; otherwise they stand for a
// read stalled in the file system.
struct Gate {
    std::atomic<bool> open {false};
    bool heedCancel = true;
    std::atomic<int> waiting {0};
    std::atomic<int> cancelled {0};
    std::atomic<int> done {0};
};

SourceOpener gatedOpener(std::shared_ptr<Gate> gate)
{
    return [gate](const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out,
                  const std::atomic<bool>* cancel) {
        ++gate->waiting;
        const auto givenUp = [&] { return gate->heedCancel && cancel && cancel->load(); };
        while (!gate->open && !givenUp())
            std::this_thread::sleep_for(1ms);
        const bool gaveUp = givenUp();
        const Result r = gaveUp ? result::FileBad : openSoundSource(path, mode, out, cancel);
        gate->cancelled += gaveUp ? 1 : 0;
        ++gate->done;
        return r;
    };
}

// What the open listener was told, from whichever thread.
struct Notices {
    std::mutex mutex;
    std::vector<Handle> sounds;

    std::function<void(Handle)> listener()
    {
        return [this](Handle sound) {
            std::lock_guard lock(mutex);
            sounds.push_back(sound);
        };
    }
    // How often `sound` (any sound: 0) was told of.
    long count(Handle sound = 0)
    {
        std::lock_guard lock(mutex);
        return sound ? std::count(sounds.begin(), sounds.end(), sound) : static_cast<long>(sounds.size());
    }
};

OpenState stateOf(AudioEngine& engine, Handle sound, Result* openResult = nullptr)
{
    OpenState state = OpenState::Ready;
    EXPECT_EQ(engine.soundGetOpenState(sound, &state, openResult), result::Ok);
    return state;
}

} // namespace

TEST(NonBlockingOpen, IsLoadingUntilDoneThenTellsTheListenerAndPlays)
{
    auto gate = std::make_shared<Gate>();
    const Reference ref = decodeFully(fixturePath("audio/vbr-noheader.mp3"));
    Rig rig(ref.rate, gatedOpener(gate));
    Notices notices;
    ASSERT_EQ(rig.engine.systemSetOpenListener(rig.system, notices.listener()), result::Ok);
    const Handle sound = rig.open("vbr-noheader.mp3", mode::AccurateTime | mode::NonBlocking);
    ASSERT_NE(sound, 0u);

    Result openResult = -1;
    EXPECT_EQ(stateOf(rig.engine, sound, &openResult), OpenState::Loading);
    EXPECT_EQ(openResult, result::Ok);
    unsigned length = 0;
    Handle channel = 0;
    EXPECT_EQ(rig.engine.soundGetLength(sound, &length, kMilliseconds), result::NotReady);
    EXPECT_EQ(rig.engine.systemPlaySound(rig.system, kFreeChannel, sound, false, &channel), result::NotReady);
    EXPECT_EQ(resultText(result::NotReady),
              QStringLiteral("Operation could not be performed because specified sound is not ready. "));

    gate->open = true;
    ASSERT_TRUE(waitFor([&] { return notices.count(sound) > 0; }));
    EXPECT_EQ(stateOf(rig.engine, sound, &openResult), OpenState::Ready);
    EXPECT_EQ(openResult, result::Ok);
    EXPECT_EQ(rig.length(sound), ref.lengthMs());
    rig.play(sound);
    EXPECT_LT(maxDifference(rig.capture().pull(static_cast<int>(ref.frames())), ref, 0), 1e-6f);
    EXPECT_EQ(notices.count(), 1);
}

TEST(NonBlockingOpen, AFailedOpenGivesItsResultWhereABlockingOneWould)
{
    Rig rig;
    Notices notices;
    ASSERT_EQ(rig.engine.systemSetOpenListener(rig.system, notices.listener()), result::Ok);
    const QList<QPair<QString, Result>> cases = {{fixturePath("audio/no-such-file.mp3"), result::FileNotFound},
                                                 {fixturePath("audio/garbage.mp3"), result::Format},
                                                 {fixturePath("audio/empty.mp3"), result::FileBad}};
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path.toStdString());
        const Handle sound = rig.openPath(path, mode::AccurateTime | mode::NonBlocking);
        ASSERT_TRUE(waitFor([&] { return notices.count(sound) > 0; }));
        Result openResult = result::Ok;
        EXPECT_EQ(stateOf(rig.engine, sound, &openResult), OpenState::Failed);
        EXPECT_EQ(openResult, expected);
        unsigned length = 0;
        Handle channel = 0;
        EXPECT_EQ(rig.engine.soundGetLength(sound, &length, kMilliseconds), expected);
        EXPECT_EQ(rig.engine.systemPlaySound(rig.system, kFreeChannel, sound, false, &channel), expected);
        EXPECT_EQ(rig.engine.soundRelease(sound), result::Ok);
    }
}

TEST(NonBlockingOpen, AReleaseCancelsTheOpenAtOnceAndNothingIsReported)
{
    auto gate = std::make_shared<Gate>();
    Rig rig(44100, gatedOpener(gate));
    Notices notices;
    rig.engine.systemSetOpenListener(rig.system, notices.listener());
    const Handle sound = rig.open("cbr.mp3", mode::AccurateTime | mode::NonBlocking);
    ASSERT_TRUE(waitFor([&] { return gate->waiting == 1; }));

    const auto before = Clock::now();
    EXPECT_EQ(rig.engine.soundRelease(sound), result::Ok);
    EXPECT_LT(Clock::now() - before, 100ms);
    ASSERT_TRUE(waitFor([&] { return gate->cancelled == 1; }));
    OpenState state;
    EXPECT_EQ(rig.engine.soundGetOpenState(sound, &state, nullptr), result::InvalidHandle);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(notices.count(), 0);
}

TEST(NonBlockingOpen, TheEngineEndsWithoutWaitingForAStalledOpen)
{
    auto gate = std::make_shared<Gate>();
    gate->heedCancel = false; // a read the file system holds up
    Notices notices;
    auto rig = std::make_unique<Rig>(44100, gatedOpener(gate));
    rig->engine.systemSetOpenListener(rig->system, notices.listener());
    rig->open("cbr.mp3", mode::AccurateTime | mode::NonBlocking);
    ASSERT_TRUE(waitFor([&] { return gate->waiting == 1; }));

    const auto before = Clock::now();
    rig.reset();
    EXPECT_LT(Clock::now() - before, FfmpegAudioEngine::kOpenCancelWait + 300ms);
    // The stalled open ends later, on its own, and tells no one.
    gate->open = true;
    ASSERT_TRUE(waitFor([&] { return gate->done == 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(notices.count(), 0);
}

TEST(FakeEngine, HoldsNonBlockingOpensUntilTheTestCompletesThem)
{
    cantorel::testing::FakeAudioEngine fake;
    Handle system = 0;
    fake.systemCreate(&system);
    fake.systemInit(system, 32, 0);
    std::vector<Handle> told;
    fake.systemSetOpenListener(system, [&](Handle sound) { told.push_back(sound); });
    Handle ready = 0;
    Handle held = 0;
    fake.systemCreateStream(system, fixturePath("audio/cbr.mp3"), mode::NonBlocking, &ready); // done at once
    fake.holdOpens(true);
    fake.systemCreateStream(system, "/no/such.mp3", mode::NonBlocking, &held);
    EXPECT_EQ(told, std::vector<Handle> {ready});
    EXPECT_EQ(stateOf(fake, ready), OpenState::Ready);
    EXPECT_EQ(fake.loadingSounds(), QList<Handle> {held});
    unsigned length = 0;
    EXPECT_EQ(fake.soundGetLength(held, &length, kMilliseconds), result::NotReady);
    fake.completeOpen(held);
    EXPECT_EQ(told, (std::vector<Handle> {ready, held}));
    Result openResult = result::Ok;
    EXPECT_EQ(stateOf(fake, held, &openResult), OpenState::Failed);
    EXPECT_EQ(openResult, result::FileNotFound);
}
