// A recording on the real engine (SDL's silent driver): the lines marked at
// real moments carry those moments, and the player's loader reads them back.
#include "MakerFixture.h"

#include "engine/AudioEngineFactory.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"
#include "support/TestPaths.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cmath>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

// Runs the window's timers until `clock` reads `ms`; false when that takes
// far longer than it should.
bool runUntil(const QElapsedTimer& clock, qint64 ms)
{
    const qint64 bound = ms + 5000;
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
        if (clock.elapsed() > bound)
            return false;
    }
    return true;
}

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

    auto engine = engine::createAudioEngine();
    ScriptedPrompts prompts;
    RecordedEnd end;
    AudioFailurePolicy failures(prompts, end);
    Form2 form(MakerServices {*engine, prompts, failures});
    form.load();
    prompts.expectOpenFile(media).expectOpenFile(source);
    prompts.expectMessage("Do you want Have a translated version of the song?", Answer::No);
    form.command4Click();
    // The song opens on a thread of the engine; the recording is ready then.
    ASSERT_TRUE(cantorel::testing::waitUntil([&] { return form.ui().Command1->isEnabled(); }));

    QElapsedTimer clock;
    clock.start();
    form.command1Click();
    ASSERT_TRUE(form.playing());

    std::vector<qint64> pressedAt;
    for (qint64 at : {400, 1000, 1300}) {
        ASSERT_TRUE(runUntil(clock, at));
        pressedAt.push_back(clock.elapsed());
        form.command2Click();
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
    for (int i = 0; i < 3; ++i) {
        const double recordedMs = table.times[i + 2] * 10;
        // The song is heard from the device's first buffer on (2048 frames,
        // 46 ms), and a busy machine may start it a little late: two
        // buffers of slack, against the 900 ms the position timer would
        // give.
        EXPECT_LE(std::abs(recordedMs - double(pressedAt[size_t(i)])), 100.0)
            << "line " << i + 2 << " recorded at " << recordedMs << " ms, pressed at " << pressedAt[size_t(i)];
    }
}
