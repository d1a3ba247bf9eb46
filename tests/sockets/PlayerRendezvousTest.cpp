// One player per user and display: the first start holds the rendezvous, a
// later one hands its song over; nothing a killed player left blocks a start.
#include "base/FileNames.h"
#include "sockets/PlayerRendezvous.h"
#include "support/DeadSocket.h"
#include "support/ScopedEnvironment.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace cantorel;
using namespace cantorel::testing;
using Start = PlayerRendezvous::Start;

namespace {

class Rendezvous : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(runtime.isValid()); }

    // A later start, in a thread of its own as it would be in a process of
    // its own (it blocks while the holder answers from the event loop).
    Start startLater(const QString& display, const QStringList& paths, int timeoutMs = 3000,
                     const QString& request = QString())
    {
        auto outcome = std::make_shared<std::atomic<int>>(-1);
        std::thread([=] {
            PlayerRendezvous later(display);
            later.setRequest(request);
            outcome->store(int(later.start(paths, timeoutMs)));
        }).detach();
        // The start gives up after timeoutMs by itself.
        if (!waitUntil([&] { return outcome->load() >= 0; }, timeoutMs + 10000)) {
            ADD_FAILURE() << "the later start never ended";
            return Start::Alone;
        }
        return Start(outcome->load());
    }
    QString rendezvousFile(const QString& name) const { return runtime.filePath("cantorel/" + name); }

    QTemporaryDir runtime;
    ScopedEnvironment runtimeHome {"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

} // namespace

TEST_F(Rendezvous, TheFirstHoldsItAndLaterStartsHandTheirSongOver)
{
    PlayerRendezvous first(":5");
    QSignalSpy handed(&first, &PlayerRendezvous::pathsHandedOver);
    ASSERT_EQ(first.start({"/songs/first.mp3"}), Start::First);
    const QFileInfo socket(first.socketPath());
    EXPECT_EQ(socket.absoluteFilePath(), rendezvousFile("player-:5"));
    EXPECT_EQ(socket.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFileDevice::Permissions());

    // Any name, bytes that are not UTF-8 included, arrives whole and in
    // order; no song asks only for the window.
    const QString foreign = decodeFileName("/songs/caf\xE9 \"live\".mp3 ");
    EXPECT_EQ(startLater(":5", {foreign, QString(), "/songs/b.mp3"}), Start::HandedOver);
    EXPECT_EQ(startLater(":5", {}), Start::HandedOver);
    ASSERT_TRUE(waitUntil([&] { return handed.size() == 2; }));
    EXPECT_EQ(handed[0][0].toStringList(), QStringList({foreign, "/songs/b.mp3"}));
    EXPECT_EQ(handed[1][0].toStringList(), QStringList());
    EXPECT_EQ(handed[1][1].toString(), "");

    // A request besides the paths (a --follow), with songs and alone.
    EXPECT_EQ(startLater(":5", {"/songs/c.mp3", "/songs/d.mp3"}, 3000, "--follow=mpv"), Start::HandedOver);
    EXPECT_EQ(startLater(":5", {}, 3000, "--follow"), Start::HandedOver);
    ASSERT_TRUE(waitUntil([&] { return handed.size() == 4; }));
    EXPECT_EQ(handed[2][0].toStringList(), QStringList({"/songs/c.mp3", "/songs/d.mp3"}));
    EXPECT_EQ(handed[2][1].toString(), "--follow=mpv");
    EXPECT_EQ(handed[3][0].toStringList(), QStringList());
    EXPECT_EQ(handed[3][1].toString(), "--follow");

    // Another display has a player of its own.
    PlayerRendezvous other("wayland-1");
    EXPECT_EQ(other.start({}), Start::First);
}

TEST_F(Rendezvous, WhatAKilledPlayerLeftDoesNotBlockTheNextStart)
{
    // A killed holder leaves its socket file (nobody listens) and an unlocked
    // lock file.
    {
        PlayerRendezvous killed(":7");
        ASSERT_EQ(killed.start({}), Start::First);
    }
    ASSERT_TRUE(QDir(runtime.path()).mkpath("cantorel"));
    cantorel::testing::makeDeadSocket(rendezvousFile("player-:7"));

    PlayerRendezvous next(":7");
    QSignalSpy handed(&next, &PlayerRendezvous::pathsHandedOver);
    EXPECT_EQ(next.start({"/songs/a.mp3"}), Start::First);
    EXPECT_EQ(startLater(":7", {"/songs/b.mp3"}), Start::HandedOver);
    EXPECT_TRUE(waitUntil([&] { return handed.size() == 1; }));
}

TEST_F(Rendezvous, AHolderThatNeverAnswersLeavesTheStartAlone)
{
    // Something holds the lock but never listens (a player hung at start).
    ASSERT_TRUE(QDir(runtime.path()).mkpath("cantorel"));
    const int lock = ::open(QFile::encodeName(rendezvousFile("player-:9.lock")).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    PlayerRendezvous late(":9");
    EXPECT_EQ(late.start({"/songs/a.mp3"}, 300), Start::Alone);
    EXPECT_TRUE(late.error().contains("did not answer")) << late.error().toStdString();
    ::close(lock);
}

TEST_F(Rendezvous, AHolderThatCannotListenGivesTheLockUp)
{
    // The socket's path is longer than a local socket's address holds.
    const QString display(120, u'x');
    PlayerRendezvous first(display);
    EXPECT_EQ(first.start({"/songs/a.mp3"}), Start::Alone);
    EXPECT_TRUE(first.error().contains("bytes long")) << first.error().toStdString();
    // The next start is told the same, not that a player does not answer.
    PlayerRendezvous next(display);
    EXPECT_EQ(next.start({"/songs/b.mp3"}, 300), Start::Alone);
    EXPECT_TRUE(next.error().contains("bytes long")) << next.error().toStdString();
}

TEST_F(Rendezvous, AMalformedMessageIsDroppedAndTheHolderListensOn)
{
    PlayerRendezvous first(":3");
    QSignalSpy handed(&first, &PlayerRendezvous::pathsHandedOver);
    ASSERT_EQ(first.start({}), Start::First);
    QLocalSocket rogue;
    rogue.connectToServer(first.socketPath());
    ASSERT_TRUE(rogue.waitForConnected(1000));
    QByteArray huge(4, '\0');
    qToBigEndian<quint32>(PlayerRendezvous::kMaxMessageBytes + 1, huge.data());
    rogue.write(huge);
    rogue.flush();
    EXPECT_TRUE(waitUntil([&] { return rogue.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_TRUE(handed.isEmpty());
    EXPECT_EQ(startLater(":3", {"/songs/ok.mp3"}), Start::HandedOver);
    EXPECT_TRUE(waitUntil([&] { return handed.size() == 1; }));
}

TEST(RendezvousDisplay, NamedAfterTheSessionsDisplay)
{
    {
        ScopedEnvironment wayland("WAYLAND_DISPLAY", "wayland-0");
        ScopedEnvironment x11("DISPLAY", ":1");
        EXPECT_EQ(PlayerRendezvous::displayKey(), "wayland-0");
    }
    ScopedEnvironment wayland("WAYLAND_DISPLAY", QByteArray());
    ScopedEnvironment x11("DISPLAY", "host/unix:10.0");
    EXPECT_EQ(PlayerRendezvous::displayKey(), "host_unix:10.0");
}
