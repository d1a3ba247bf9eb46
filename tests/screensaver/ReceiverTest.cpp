#include "screensaver/ReceiverProtocol.h"
#include "screensaver/TextReceiver.h"
#include "sockets/LocalSocketListener.h"
#include "support/DeadSocket.h"

#include "SaverTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace cantorel::screensaver;
using namespace cantorel::screensaver::test;

namespace {

class Receiver : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        QObject::connect(&receiver, &TextReceiver::textReceived, [this](const QString& t) { received << t; });
        ASSERT_TRUE(receiver.listenOnNewId(0)) << receiver.errorString().toStdString();
    }
    TextReceiver receiver;
    QStringList received;
};

using cantorel::testing::makeDeadSocket;

int connectRaw(int fd, const QString& path)
{
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    return ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
}

// While it lives, this process cannot open one more file descriptor: the
// soft limit is lowered to the lowest free descriptor number.
class NoFreeDescriptors {
public:
    NoFreeDescriptors()
    {
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (lowestFree < 0 || ::getrlimit(RLIMIT_NOFILE, &m_old) != 0)
            return;
        ::close(lowestFree);
        rlimit tight = m_old;
        tight.rlim_cur = rlim_t(lowestFree);
        m_active = ::setrlimit(RLIMIT_NOFILE, &tight) == 0;
    }
    ~NoFreeDescriptors()
    {
        if (m_active)
            ::setrlimit(RLIMIT_NOFILE, &m_old);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old {};
    bool m_active = false;
};

using ReceiverFolders = SaverFolders;

} // namespace

TEST_F(Receiver, SocketIsReachableByTheUserOnly)
{
    const QString path = receiver.socketPath();
    EXPECT_EQ(path, receiverSocketPath(receiver.id()));
    EXPECT_TRUE(path.startsWith(runtimeDir.path()));
    const QFileInfo info(path);
    ASSERT_TRUE(info.exists());
    const auto others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(info.permissions() & others, QFileDevice::Permissions());

    receiver.close();
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(Receiver, MessagesArriveWholeAndInOrder)
{
    auto client = connectTo(receiver.socketPath());
    const QByteArray first = encodeTextMessage(QString::fromUtf8("Hé, ça va?"));
    // The first message arrives in two pieces, the next two in one write.
    sendRaw(*client, first.left(5));
    waitUntil([] { return false; }, 50);
    EXPECT_TRUE(received.isEmpty());
    sendRaw(*client, first.mid(5) + encodeTextMessage("") + encodeTextMessage("Third"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 3; }));
    EXPECT_EQ(received, (QStringList {QString::fromUtf8("Hé, ça va?"), "", "Third"}));
}

TEST_F(Receiver, BadMessageClosesOnlyItsOwnConnection)
{
    auto good = connectTo(receiver.socketPath());
    auto oversized = connectTo(receiver.socketPath());
    auto notUtf8 = connectTo(receiver.socketPath());

    sendRaw(*good, encodeTextMessage("one"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 1; }));

    QByteArray big(4, '\0');
    qToBigEndian<quint32>(quint32(kMaxMessageBytes + 1), big.data());
    sendRaw(*oversized, big + QByteArray(100, 'x'));
    sendRaw(*notUtf8, frame("ab\xff\xfe"));
    EXPECT_TRUE(waitUntil([&] {
        return oversized->state() == QLocalSocket::UnconnectedState
               && notUtf8->state() == QLocalSocket::UnconnectedState;
    }));

    sendRaw(*good, encodeTextMessage("two"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (QStringList {"one", "two"}));
    EXPECT_EQ(good->state(), QLocalSocket::ConnectedState);
}

TEST_F(Receiver, AConnectionStuckInTheMiddleOfAMessageIsClosed)
{
    EXPECT_EQ(receiver.stallTimeoutMs(), 10000);
    receiver.setStallTimeoutMs(200);
    auto waiting = connectTo(receiver.socketPath()); // between messages
    auto stuck = connectTo(receiver.socketPath());
    sendRaw(*waiting, encodeTextMessage("one"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 1; }));
    sendRaw(*stuck, encodeTextMessage("never whole").left(6));
    EXPECT_TRUE(waitUntil([&] { return stuck->state() == QLocalSocket::UnconnectedState; }));

    // The connection that waits between messages had as long and stays.
    EXPECT_EQ(waiting->state(), QLocalSocket::ConnectedState);
    sendRaw(*waiting, encodeTextMessage("two"));
    ASSERT_TRUE(waitUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (QStringList {"one", "two"}));
}

TEST(ReceiverProtocol, LongTextIsCutAtAWholeCharacter)
{
    const QString text(kMaxMessageBytes, QChar(0x00E9)); // two UTF-8 bytes each
    const QByteArray message = encodeTextMessage(text);
    EXPECT_LE(message.size() - 4, kMaxMessageBytes);
    MessageReader reader;
    reader.append(message);
    QString decoded;
    ASSERT_EQ(reader.next(&decoded), MessageReader::Status::Message);
    EXPECT_EQ(decoded, text.left(kMaxMessageBytes / 2));
}

TEST_F(Receiver, StaleSocketsAreRemovedLiveOnesKept)
{
    const QString dead = receiverSocketPath(4242);
    makeDeadSocket(dead);
    ASSERT_TRUE(QFileInfo::exists(dead));
    TextReceiver::removeStaleSockets();
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_TRUE(QFileInfo::exists(receiver.socketPath()));

    TextReceiver second;
    EXPECT_FALSE(second.listen(receiver.id())); // never takes a live one over
    EXPECT_TRUE(second.listenOnNewId(receiver.id()));
    EXPECT_NE(second.id(), receiver.id());
}

TEST_F(Receiver, KeepsListeningWhileNoDescriptorIsFreeAndSaysSo)
{
    CapturedMessages messages;
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(client, 0);
    {
        NoFreeDescriptors full;
        ASSERT_TRUE(full.active());
        ASSERT_EQ(connectRaw(client, receiver.socketPath()), 0);
        const QByteArray message = encodeTextMessage("sent while full");
        ASSERT_EQ(::write(client, message.constData(), size_t(message.size())), message.size());
        EXPECT_TRUE(waitUntil([&] { return messages.contains("still listening"); }, 3000));
        // Several tries later: still listening, and said once.
        waitUntil([] { return false; }, 4 * cantorel::LocalSocketListener::kRetryMs);
        EXPECT_TRUE(receiver.isListening());
        EXPECT_TRUE(QFileInfo::exists(receiver.socketPath()));
        EXPECT_TRUE(received.isEmpty());
        EXPECT_EQ(messages.lines.filter("cannot take a connection").size(), 1)
            << messages.lines.join('\n').toStdString();
    }
    // The waiting connection is taken once a descriptor is free again.
    ASSERT_TRUE(waitUntil([&] { return received == QStringList {"sent while full"}; }));
    EXPECT_TRUE(messages.contains("takes connections again"));
    auto later = connectTo(receiver.socketPath());
    sendRaw(*later, encodeTextMessage("later"));
    EXPECT_TRUE(waitUntil([&] { return received.size() == 2; }));
    ::close(client);
}

TEST_F(ReceiverFolders, SocketPathTooLongIsSaidSo)
{
    // A private runtime folder whose socket paths pass the 107 bytes a local
    // socket address holds.
    QString deep = runtimeDir.path();
    while (deep.size() < 100)
        deep += "/deeper";
    ASSERT_TRUE(QDir().mkpath(deep));
    QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", QFile::encodeName(deep));
    ASSERT_EQ(receiverFolder(), deep + "/cantorel");

    TextReceiver receiver;
    EXPECT_FALSE(receiver.listenOnNewId(0));
    EXPECT_FALSE(receiver.isListening());
    EXPECT_TRUE(receiver.errorString().contains("a local socket path holds at most 107"))
        << receiver.errorString().toStdString();
    EXPECT_TRUE(QDir(deep + "/cantorel").isEmpty());
}
