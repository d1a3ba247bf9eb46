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
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

using namespace cantorel::engine;
using namespace cantorel::enginetest;
using cantorel::testing::fixturePath;

namespace {

using namespace std::chrono_literals;

// Opens that wait at a gate before doing the real work. `heedCancel`: they
// give up when cancelled, as the real open does; otherwise they stand for a
// read stalled in the file system. A gate holds an open for kLongestHold at
// most, so that no open outlives a failed test by long.
class Gate {
public:
    static constexpr std::chrono::seconds kLongestHold {20};

    bool heedCancel = true;
    std::atomic<int> waiting {0};
    std::atomic<int> cancelled {0};
    std::atomic<int> done {0};

    void open()
    {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_opened.notify_all();
    }
    bool isOpen() const
    {
        std::lock_guard lock(m_mutex);
        return m_open;
    }
    // An open's wait at the gate; true when it gave up for a cancel.
    bool pass(const std::atomic<bool>* cancel)
    {
        ++waiting;
        const auto givenUp = [&] { return heedCancel && cancel && cancel->load(); };
        const auto deadline = std::chrono::steady_clock::now() + kLongestHold;
        std::unique_lock lock(m_mutex);
        // The cancel flag is looked at as the real open's reads look at it.
        while (!m_open && !givenUp() && std::chrono::steady_clock::now() < deadline)
            m_opened.wait_for(lock, 1ms);
        return givenUp();
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};

// A test's gate: it opens when the test ends, however it ends.
struct HeldGate {
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    ~HeldGate() { gate->open(); }
    Gate* operator->() const { return gate.get(); }
    // Whether no open thread holds the gate any more (its thread has ended,
    // with whatever it reported), `others` being the holders that stay.
    bool letGo(long others) const { return gate.use_count() == others; }
};

SourceOpener gatedOpener(const std::shared_ptr<Gate>& gate)
{
    return [gate](const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out,
                  const std::atomic<bool>* cancel) {
        const bool gaveUp = gate->pass(cancel);
        const Result r = gaveUp ? result::FileBad : openSoundSource(path, mode, out, cancel);
        gate->cancelled += gaveUp ? 1 : 0;
        ++gate->done;
        return r;
    };
}

// Runs `call` with the gate shut. Should `call` wait for an open held at the
// gate, the gate opens after a while so that it returns. True when it
// returned with the gate still shut: it did not wait for the open.
bool returnsWhileShut(Gate& gate, const std::function<void()>& call)
{
    std::mutex mutex;
    std::condition_variable returned;
    bool over = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!returned.wait_for(lock, 10s, [&] { return over; }))
            gate.open();
    });
    call();
    {
        std::lock_guard lock(mutex);
        over = true;
    }
    returned.notify_all();
    watchdog.join();
    return !gate.isOpen();
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
    HeldGate gate;
    const Reference ref = decodeFully(fixturePath("audio/vbr-noheader.mp3"));
    Rig rig(ref.rate, gatedOpener(gate.gate));
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

    gate->open();
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

TEST(NonBlockingOpen, AReleaseCancelsTheOpenWithoutWaitingForItAndNothingIsReported)
{
    // An open that gives up when told, and one stalled in the file system.
    for (const bool heedCancel : {true, false}) {
        SCOPED_TRACE(heedCancel ? "heeds the cancel" : "stalled");
        HeldGate gate;
        gate->heedCancel = heedCancel;
        Rig rig(44100, gatedOpener(gate.gate));
        Notices notices;
        rig.engine.systemSetOpenListener(rig.system, notices.listener());
        const long holders = gate.gate.use_count();
        const Handle sound = rig.open("cbr.mp3", mode::AccurateTime | mode::NonBlocking);
        ASSERT_TRUE(waitFor([&] { return gate->waiting == 1; }));

        Result released = -1;
        EXPECT_TRUE(returnsWhileShut(*gate.gate, [&] { released = rig.engine.soundRelease(sound); }));
        EXPECT_EQ(released, result::Ok);
        OpenState state;
        EXPECT_EQ(rig.engine.soundGetOpenState(sound, &state, nullptr), result::InvalidHandle);
        if (heedCancel) {
            EXPECT_TRUE(waitFor([&] { return gate->cancelled == 1; }));
        }
        gate->open();
        ASSERT_TRUE(waitFor([&] { return gate.letGo(holders); }));
        EXPECT_EQ(notices.count(), 0);
    }
}

TEST(NonBlockingOpen, TheEngineEndsWithoutWaitingForAStalledOpen)
{
    HeldGate gate;
    gate->heedCancel = false; // a read the file system holds up
    Notices notices;
    auto rig = std::make_unique<Rig>(44100, gatedOpener(gate.gate));
    rig->engine.systemSetOpenListener(rig->system, notices.listener());
    rig->open("cbr.mp3", mode::AccurateTime | mode::NonBlocking);
    ASSERT_TRUE(waitFor([&] { return gate->waiting == 1; }));

    EXPECT_TRUE(returnsWhileShut(*gate.gate, [&] { rig.reset(); }));
    // The stalled open ends later, on its own, and tells no one.
    gate->open();
    ASSERT_TRUE(waitFor([&] { return gate.letGo(1); }));
    EXPECT_EQ(gate->done, 1);
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
