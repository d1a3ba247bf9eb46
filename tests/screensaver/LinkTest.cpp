// The main program's link against the real screen saver (offscreen): start,
// hand-over through "hand.txt", lines fed to its boxes.
#include "screensaver/HandOverFile.h"
#include "screensaver/ReceiverProtocol.h"
#include "screensaver/ScreenSaverLink.h"

#include "RealProgram.h"
#include "SaverTestSupport.h"

#include <csignal>

using namespace cantorel::screensaver;
using namespace cantorel::screensaver::test;

namespace {

class LinkToScreenSaver : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        echoPath = programFile("shown.txt");
        qputenv("CANTOREL_SCREENSAVER_ECHO", echoPath.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        link.setProgramPath(copyScreenSaverTo(programDir.path()));
        QObject::connect(&link, &ScreenSaverLink::linked, [this] { ++linked; });
        QObject::connect(&link, &ScreenSaverLink::handOverFailed, [this](const QString& why) { failures << why; });
    }
    void TearDown() override
    {
        for (qint64 pid : started)
            ::kill(pid_t(pid), SIGTERM);
        qunsetenv("CANTOREL_SCREENSAVER_ECHO");
        SaverFolders::TearDown();
    }
    QStringList shown() const
    {
        QFile f(echoPath);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    bool startAndLink()
    {
        const int before = linked;
        if (!link.start())
            return false;
        started << link.processId();
        return waitUntil([&] { return linked > before || !failures.isEmpty(); }, 15000) && linked > before;
    }

    QString echoPath;
    ScreenSaverLink link;
    int linked = 0;
    QStringList failures;
    QList<qint64> started;
};

} // namespace

TEST_F(LinkToScreenSaver, HandsOverAndFeedsTheLines)
{
    // A file left by an earlier screen saver must not be taken for the new one.
    ASSERT_TRUE(writeHandOver(handOverPath(), HandOver {1, 2}));
    ASSERT_TRUE(startAndLink()) << failures.join("; ").toStdString();
    EXPECT_NE(link.handOver(), (HandOver {1, 2}));
    EXPECT_FALSE(QFile::exists(handOverPath())); // read and deleted

    link.sendLines(QString::fromUtf8("Première ligne!"), "Translated Lyrics");
    EXPECT_TRUE(waitUntil([&] {
        return shown().contains(QString::fromUtf8("Text1: Première ligne!"))
               && shown().contains("Text2: Translated Lyrics");
    })) << shown().join(" | ").toStdString();

    link.sendLines("Second line", "Translated Lyrics");
    EXPECT_TRUE(waitUntil([&] { return shown().contains("Text1: Second line"); }));
    EXPECT_EQ(shown().count("Text2: Translated Lyrics"), 1);

    // Stopped from outside, the screen saver removes its receivers; sends
    // after that go nowhere and report nothing.
    const QString socket = receiverSocketPath(link.handOver().lyricReceiver);
    ASSERT_TRUE(QFile::exists(socket));
    ::kill(pid_t(link.processId()), SIGTERM);
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(socket); }));
    link.sendLines("After the end", "");
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(LinkToScreenSaver, SecondFullScreenFeedsTheNewScreenSaver)
{
    ASSERT_TRUE(startAndLink()) << failures.join("; ").toStdString();
    const HandOver first = link.handOver();
    ASSERT_TRUE(startAndLink()) << failures.join("; ").toStdString();
    EXPECT_NE(link.handOver(), first);
    link.sendLines("Only for the new one", "x");
    EXPECT_TRUE(waitUntil([&] { return shown().contains("Text1: Only for the new one"); }));
    EXPECT_EQ(shown().count("Text1: Only for the new one"), 1);
}

TEST_F(LinkToScreenSaver, NoHandOverInTimeIsReported)
{
    // A program that runs but never writes "hand.txt".
    link.setProgramPath("/bin/sleep");
    link.setHandOverTimeout(300);
    ASSERT_TRUE(link.start());
    EXPECT_TRUE(waitUntil([&] { return !failures.isEmpty(); }, 5000));
    EXPECT_FALSE(link.isLinked());
    EXPECT_FALSE(link.isWaiting());
}
