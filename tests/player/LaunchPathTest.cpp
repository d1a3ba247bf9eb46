// What a start of the player names, as any player opens it.
#include "player/LaunchPath.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel;
using cantorel::testing::writeFile;

TEST(LaunchPath, NamesTheSameFileFromAnyFolder)
{
    EXPECT_EQ(launchPath(QString(), "/home/u"), QString());
    EXPECT_EQ(launchPath("\"/music/Rain.mp3\"", "/home/u"), "/music/Rain.mp3");
    EXPECT_EQ(launchPath("  Rain.mp3 ", "/home/u"), "/home/u/Rain.mp3");
    EXPECT_EQ(launchPath("sub/Rain.mp3", "/"), "/sub/Rain.mp3");
    EXPECT_EQ(workingFolder(), QDir::currentPath());
}

TEST(LaunchPath, AnLrcFileStandsForItsSong)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    writeFile(folder + "/Rain.ogg");
    writeFile(folder + "/Rain.mp3");
    writeFile(folder + "/Snow.WMA");
    writeFile(folder + "/Hail.mp3.lrc");

    EXPECT_EQ(launchPath("Rain.mp3.lrc", folder), folder + "/Rain.mp3");
    EXPECT_EQ(launchPath("Rain.lrc", folder), folder + "/Rain.mp3"); // in the formats' order
    EXPECT_EQ(launchPath("Snow.LRC", folder), folder + "/Snow.WMA");
    // No song beside it: the LRC file itself, for the player to refuse.
    EXPECT_EQ(launchPath("Hail.mp3.lrc", folder), folder + "/Hail.mp3.lrc");
}
