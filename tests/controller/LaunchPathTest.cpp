// What a start of the player names, as any player opens it.
#include "controller/LaunchPath.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::testing;

TEST(LaunchPath, NamesTheSameFileFromAnyFolder)
{
    EXPECT_EQ(launchPath(QString(), "/home/u"), QString());
    EXPECT_EQ(launchPath("\"\"", "/home/u"), QString());
    EXPECT_EQ(launchPath("\"/music/Rain.mp3\"", "/home/u"), "/music/Rain.mp3");
    EXPECT_EQ(launchPath("  Rain.mp3 ", "/home/u"), "/home/u/Rain.mp3");
    EXPECT_EQ(launchPath("sub/Rain.mp3", "/"), "/sub/Rain.mp3");
    EXPECT_EQ(launchPath("file:///music/Rain%20Song.mp3", "/home/u"), "/music/Rain Song.mp3");
    // Quotes that do not wrap the whole argument are part of the name.
    EXPECT_EQ(launchPath("Say \"Hi\".mp3", "/m"), "/m/Say \"Hi\".mp3");
    EXPECT_EQ(launchPath("\"Hi\" there.mp3", "/m"), "/m/\"Hi\" there.mp3");
    EXPECT_EQ(workingFolder(), QDir::currentPath());
}

TEST(LaunchPath, AnExistingNameIsTakenExactly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    for (const char* name : {"\"Live\".mp3", "Rain.mp3 ", " Snow.mp3", "Hail.mp3"})
        writeFile(folder + "/" + name);

    EXPECT_EQ(launchPath("\"Live\".mp3", folder), folder + "/\"Live\".mp3");
    EXPECT_EQ(launchPath("Rain.mp3 ", folder), folder + "/Rain.mp3 ");
    EXPECT_EQ(launchPath(folder + "/ Snow.mp3", "/elsewhere"), folder + "/ Snow.mp3");
    EXPECT_EQ(launchPath("\"Rain.mp3 \"", folder), folder + "/Rain.mp3 ");
    EXPECT_EQ(launchPath(QUrl::fromLocalFile(folder + "/Rain.mp3 ").toString(QUrl::FullyEncoded), "/"),
              folder + "/Rain.mp3 ");
    EXPECT_EQ(typedPath("\"Live\".mp3", folder), "\"Live\".mp3");

    // Several paths stay several; the words of one unquoted name are one.
    EXPECT_EQ(launchPaths({"Hail.mp3", "", "\"Rain.mp3 \"", "gone.mp3"}, folder),
              QStringList({folder + "/Hail.mp3", folder + "/Rain.mp3 ", folder + "/gone.mp3"}));
    writeFile(folder + "/My Song.mp3");
    EXPECT_EQ(launchPaths({"My", "Song.mp3"}, folder), QStringList {folder + "/My Song.mp3"});
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
