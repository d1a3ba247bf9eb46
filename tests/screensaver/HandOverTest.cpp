#include "screensaver/HandOverFile.h"
#include "screensaver/ScreenSaverProgram.h"

#include "support/FullDisk.h"
#include "support/TestFiles.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using cantorel::screensaver::HandOver;
using cantorel::screensaver::parseSwitches;
using cantorel::screensaver::readHandOver;
using cantorel::screensaver::StartSwitches;
using cantorel::screensaver::writeHandOver;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

TEST(HandOverFile, TwoRecordsWrittenAndReadBackNegativeToo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hand.txt");
    const HandOver handOver {123456, INT32_MIN};
    ASSERT_TRUE(writeHandOver(path, handOver));
    EXPECT_EQ(readFile(path), QByteArray("123456\r\n-2147483648\r\n"));
    EXPECT_EQ(readHandOver(path), handOver);

    ASSERT_TRUE(writeHandOver(path, HandOver {-5, 7})); // replaces the old file
    EXPECT_EQ(readHandOver(path), (HandOver {-5, 7}));
}

TEST(HandOverFile, APlantedLinkCostsNoOtherFile)
{
    // A link planted at the name is replaced; its target stays as it was.
    QTemporaryDir dir;
    writeFile(dir.filePath("precious"), "keep");
    ASSERT_TRUE(QFile::link(dir.filePath("precious"), dir.filePath("hand.txt")));
    ASSERT_TRUE(writeHandOver(dir.filePath("hand.txt"), {5, 6}));
    EXPECT_FALSE(QFileInfo(dir.filePath("hand.txt")).isSymLink());
    EXPECT_EQ(readHandOver(dir.filePath("hand.txt")), (HandOver {5, 6}));
    EXPECT_EQ(readFile(dir.filePath("precious")), "keep");
}

TEST(HandOverFile, AWriteOnAFullDiskKeepsTheOldFile)
{
    cantorel::testing::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << cantorel::testing::FullDisk::kCannotMount;
    const QString path = disk.filePath("hand.txt");
    ASSERT_TRUE(writeHandOver(path, {1, 2}));
    disk.fill();
    QString error;
    EXPECT_FALSE(writeHandOver(path, {3, 4}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readHandOver(path), (HandOver {1, 2}));
    EXPECT_EQ(disk.names(), QStringList {"hand.txt"});
}

TEST(HandOverFile, OnlyACompleteFileIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hand.txt");
    EXPECT_FALSE(readHandOver(path)); // missing
    const char* partial[] = {"", "12\r\n", "12\r\n34", "12\r\nabc\r\n", "12\r\n34\r\n56\r\n", "12\r\n2147483648\r\n"};
    for (const char* bytes : partial) {
        writeFile(path, bytes);
        EXPECT_FALSE(readHandOver(path)) << bytes;
    }
    writeFile(path, "12\n-34\n");
    EXPECT_EQ(readHandOver(path), (HandOver {12, -34}));
}

TEST(StartSwitches, FoundAnywhereInAnyCase)
{
    EXPECT_EQ(parseSwitches({}), (StartSwitches {false, false}));
    EXPECT_EQ(parseSwitches({"/s"}), (StartSwitches {true, false}));
    EXPECT_EQ(parseSwitches({"/S"}), (StartSwitches {true, false}));
    EXPECT_EQ(parseSwitches({"-s"}), (StartSwitches {true, false}));
    EXPECT_EQ(parseSwitches({"x/sy"}), (StartSwitches {true, false}));
    EXPECT_EQ(parseSwitches({"/c:1234"}), (StartSwitches {false, true}));
    EXPECT_EQ(parseSwitches({"-C"}), (StartSwitches {false, true}));
    EXPECT_EQ(parseSwitches({"/c", "/s"}), (StartSwitches {true, true}));
    EXPECT_EQ(parseSwitches({"/p", "1234"}), (StartSwitches {false, false}));
}
