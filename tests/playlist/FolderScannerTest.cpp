#include "playlist/FolderScanner.h"
#include "playlist/PlaylistModel.h"
#include "playlist/SongAdder.h"

#include "playlist/HeldWalk.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

ScanResult songsFound(const QStringList& names)
{
    ScanResult r;
    for (const QString& n : names) {
        r.paths << "/music/" + n;
        r.names << n;
    }
    return r;
}

} // namespace

TEST(FolderScanner, WalksOnItsOwnThreadWhileTheEventLoopRuns)
{
    FolderScanner scanner;
    HeldWalk held;
    held.result = songsFound({"a.mp3", "b.ogg"});
    scanner.setWalk(held.walk());
    QSignalSpy progress(&scanner, &FolderScanner::progress);
    std::optional<ScanResult> result;
    QObject::connect(&scanner, &FolderScanner::finished, [&](const ScanResult& r) { result = r; });

    ASSERT_TRUE(scanner.start("/music"));
    EXPECT_FALSE(scanner.start("/elsewhere")); // one scan at a time
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    // The walk is held, yet timers fire and its progress arrives.
    ASSERT_TRUE(waitUntil([&] { return ticked && progress.count() == 1; }));
    EXPECT_EQ(progress[0][0].toInt(), 3);
    EXPECT_NE(held.thread(), std::this_thread::get_id());
    EXPECT_TRUE(scanner.running());
    EXPECT_FALSE(result);

    held.release();
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(scanner.running());
    EXPECT_FALSE(result->cancelled);
    EXPECT_EQ(result->names, (QStringList {"a.mp3", "b.ogg"}));
    EXPECT_EQ(progress.count(), 1); // the count never changed again

    // The real walk by default, and a scanner is used again and again.
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("sub");
    writeFile(dir.filePath("sub/c.wav"));
    FolderScanner real;
    std::optional<ScanResult> found;
    QObject::connect(&real, &FolderScanner::finished, [&](const ScanResult& r) { found = r; });
    for (int i = 0; i < 2; ++i) {
        found.reset();
        ASSERT_TRUE(real.start(dir.path()));
        ASSERT_TRUE(waitUntil([&] { return found.has_value(); }));
        EXPECT_EQ(found->paths, QStringList {dir.filePath("sub/c.wav")});
    }
}

TEST(FolderScanner, CancelEndsCancelledAndStopWaitsWithoutASignal)
{
    FolderScanner scanner;
    HeldWalk held;
    held.result = songsFound({"a.mp3"});
    scanner.setWalk(held.walk());
    std::optional<ScanResult> result;
    QObject::connect(&scanner, &FolderScanner::finished, [&](const ScanResult& r) { result = r; });
    scanner.start("/music");
    scanner.cancel();
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_TRUE(result->cancelled);

    HeldWalk second;
    scanner.setWalk(second.walk());
    QSignalSpy progress(&scanner, &FolderScanner::progress);
    result.reset();
    scanner.start("/music");
    ASSERT_TRUE(waitUntil([&] { return progress.count() == 1; }));
    scanner.stop();
    EXPECT_TRUE(second.returned()); // its thread has ended
    EXPECT_FALSE(scanner.running());
    QCoreApplication::processEvents();
    EXPECT_FALSE(result);

    // Destroyed mid-scan: it stops the walk and waits for it.
    HeldWalk third;
    {
        FolderScanner doomed;
        doomed.setWalk(third.walk());
        doomed.start("/music");
    }
    EXPECT_TRUE(third.returned());
}

TEST(SongAdder, AddsAskedForDuringAScanWaitForItsEndAndCancelAddsNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("picked.txt"), dropped = dir.filePath("d.wma");
    writeFile(file);
    writeFile(dropped);
    PlaylistModel model;
    model.append(dir.filePath("old.mp3"));
    SongAdder adder(model);
    int questions = 0;
    adder.clearFirst = [&] { return ++questions == 2; }; // Yes the second time
    QSignalSpy ended(&adder, &SongAdder::scanEnded);

    HeldWalk first;
    first.result = songsFound({"a.mp3", "b.mp3"});
    adder.scanner().setWalk(first.walk());
    adder.addFolder("/music");
    adder.addFile(file);
    adder.addDropped({dropped});
    EXPECT_TRUE(adder.scanning());
    EXPECT_EQ(model.count(), 1);
    first.release();
    ASSERT_TRUE(waitUntil([&] { return !adder.scanning(); }));
    EXPECT_EQ(model.paths(), (QStringList {dir.filePath("old.mp3"), "/music/a.mp3", "/music/b.mp3", file, dropped}));
    EXPECT_EQ(ended.count(), 1);

    // Cancelled: the list is as the question left it (cleared on Yes), and
    // the adds after the scan go on.
    HeldWalk second;
    second.result = songsFound({"c.mp3"});
    adder.scanner().setWalk(second.walk());
    adder.addFolder("/music");
    adder.addFile(file);
    EXPECT_EQ(model.count(), 0);
    adder.cancelScan();
    ASSERT_TRUE(waitUntil([&] { return !adder.scanning() && model.count() == 1; }));
    EXPECT_EQ(model.paths(), QStringList {file});

    // Abandoned: the scan stops at once, nothing waiting is added.
    HeldWalk third;
    third.result = songsFound({"e.mp3"});
    adder.scanner().setWalk(third.walk());
    adder.addFolder("/music");
    adder.addFile(file);
    adder.abandon();
    EXPECT_FALSE(adder.scanning());
    EXPECT_TRUE(third.returned());
    QCoreApplication::processEvents();
    EXPECT_EQ(model.count(), 1);
    EXPECT_EQ(ended.count(), 3);
    EXPECT_EQ(questions, 3);
}
