// Opening streams without waiting: a non-blocking open reports to the
// system's listener, and an open still under way gives way at once to a
// release, a close or the engine's end; the fake engine holds such opens for
// window tests.
#include "EngineTestRig.h"
#include "support/FakeAudioEngine.h"
#include "engine/ResultTexts.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <condition_variable>
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
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    bool heedCancel = true;
    int waiting = 0;
    int cancelled = 0;
    int done = 0;

    void release()
    {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    template <typename Pred>
    bool waitUntil(Pred pred)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 3s, pred);
    }
};

SourceOpener gatedOpener(std::shared_ptr<Gate> gate)
{
    return [gate](const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out,
                  const std::atomic<bool>* cancel) {
        std::unique_lock lock(gate->mutex);
        ++gate->waiting;
        gate->changed.notify_all();
        const auto given_up = [&] { return gate->heedCancel && cancel && cancel->load(); };
        while (!gate->open && !given_up())
            gate->changed.wait_for(lock, 1ms);
        lock.unlock();
        const Result r = given_up() ? result::FileBad : openSoundSource(path, mode, out, cancel);
        lock.lock();
        gate->cancelled += given_up() ? 1 : 0;
        ++gate->done;
        gate->changed.notify_all();
        return r;
    };
}

// What the open listener was told, from whichever thread.
struct Notices {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Handle> sounds;

    std::function<void(Handle)> listener()
    {
        return [this](Handle sound) {
            std::lock_guard lock(mutex);
            sounds.push_back(sound);
            changed.notify_all();
        };
    }
    bool waitFor(Handle sound)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 3s, [&] { return std::count(sounds.begin(), sounds.end(), sound) > 0; });
    }
    size_t count()
    {
        std::lock_guard lock(mutex);
        return sounds.size();
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

    gate->release();
    ASSERT_TRUE(notices.waitFor(sound));
    EXPECT_EQ(stateOf(rig.engine, sound, &openResult), OpenState::Ready);
    EXPECT_EQ(openResult, result::Ok);
    EXPECT_EQ(rig.length(sound), ref.lengthMs());
    rig.play(sound);
    EXPECT_LT(maxDifference(rig.capture().pull(static_cast<int>(ref.frames())), ref, 0), 1e-6f);
    EXPECT_EQ(notices.count(), 1u);
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
        ASSERT_TRUE(notices.waitFor(sound));
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
    ASSERT_TRUE(gate->waitUntil([&] { return gate->waiting == 1; }));

    const auto before = Clock::now();
    EXPECT_EQ(rig.engine.soundRelease(sound), result::Ok);
    EXPECT_LT(Clock::now() - before, 100ms);
    ASSERT_TRUE(gate->waitUntil([&] { return gate->cancelled == 1; }));
    OpenState state;
    EXPECT_EQ(rig.engine.soundGetOpenState(sound, &state, nullptr), result::InvalidHandle);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(notices.count(), 0u);
}

TEST(NonBlockingOpen, TheEngineEndsWithoutWaitingForAStalledOpen)
{
    auto gate = std::make_shared<Gate>();
    gate->heedCancel = false; // a read the file system holds up
    Notices notices;
    auto rig = std::make_unique<Rig>(44100, gatedOpener(gate));
    rig->engine.systemSetOpenListener(rig->system, notices.listener());
    rig->open("cbr.mp3", mode::AccurateTime | mode::NonBlocking);
    ASSERT_TRUE(gate->waitUntil([&] { return gate->waiting == 1; }));

    const auto before = Clock::now();
    rig.reset();
    EXPECT_LT(Clock::now() - before, FfmpegAudioEngine::kOpenCancelWait + 300ms);
    // The stalled open ends later, on its own, and tells no one.
    gate->release();
    ASSERT_TRUE(gate->waitUntil([&] { return gate->done == 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(notices.count(), 0u);
}

TEST(FakeEngine, HoldsNonBlockingOpensUntilTheTestCompletesThem)
{
    cantorel::testing::FakeAudioEngine fake;
    Handle system = 0;
    fake.systemCreate(&system);
    fake.systemInit(system, 32, 0);
    std::vector<Handle> told;
    fake.systemSetOpenListener(system, [&](Handle sound) { told.push_back(sound); });
    const QString song = fixturePath("audio/cbr.mp3");
    Handle sound = 0;
    // At once by default, listener included.
    ASSERT_EQ(fake.systemCreateStream(system, song, mode::AccurateTime | mode::NonBlocking, &sound), result::Ok);
    EXPECT_EQ(told, std::vector<Handle>{sound});
    EXPECT_EQ(stateOf(fake, sound), OpenState::Ready);

    fake.holdOpens(true);
    Handle held = 0;
    Handle missing = 0;
    fake.systemCreateStream(system, song, mode::NonBlocking, &held);
    fake.systemCreateStream(system, "/no/such.mp3", mode::NonBlocking, &missing);
    EXPECT_EQ(fake.loadingSounds(), (QList<Handle>{held, missing}));
    unsigned length = 0;
    EXPECT_EQ(fake.soundGetLength(held, &length, kMilliseconds), result::NotReady);
    fake.completeOpen(missing);
    fake.completeOpen(held, result::Format);
    EXPECT_EQ(told, (std::vector<Handle>{sound, missing, held}));
    Result openResult = result::Ok;
    EXPECT_EQ(stateOf(fake, missing, &openResult), OpenState::Failed);
    EXPECT_EQ(openResult, result::FileNotFound);
    EXPECT_EQ(stateOf(fake, held, &openResult), OpenState::Failed);
    EXPECT_EQ(openResult, result::Format);
}
