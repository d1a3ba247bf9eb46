#include "screensaver/ReceiverProtocol.h"
#include "screensaver/TextReceiver.h"

#include "SaverTestSupport.h"

#include <QFileInfo>
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
        QObject::connect(&receiver, &TextReceiver::textReceived,
                         [this](const QString& t) { received << t; });
        ASSERT_TRUE(receiver.listenOnNewId(0)) << receiver.errorString().toStdString();
    }
    TextReceiver receiver;
    QStringList received;
};

// A socket file with nobody listening, as a program that was killed leaves.
void makeDeadSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    ASSERT_LT(size_t(name.size()), sizeof addr.sun_path);
    memcpy(addr.sun_path, name.constData(), name.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
}

} // namespace

TEST_F(Receiver, SocketIsReachableByTheUserOnly)
{
    const QString path = receiver.socketPath();
    EXPECT_EQ(path, receiverSocketPath(receiver.id()));
    EXPECT_TRUE(path.startsWith(runtimeDir.path()));
    const QFileInfo info(path);
    ASSERT_TRUE(info.exists());
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
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
    EXPECT_EQ(received, (QStringList{QString::fromUtf8("Hé, ça va?"), "", "Third"}));
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
    EXPECT_EQ(received, (QStringList{"one", "two"}));
    EXPECT_EQ(good->state(), QLocalSocket::ConnectedState);
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
