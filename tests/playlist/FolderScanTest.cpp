#include "playlist/FolderScan.h"
#include "playlist/SongFilter.h"

#include "base/FilePaths.h"
#include "support/ForeignNames.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel;

namespace {

void touch(const QString& path)
{
    cantorel::testing::writeFile(path);
}

} // namespace

TEST(SongFilter, LooksForTheExtensionsInTheLastSixCharacters)
{
    EXPECT_TRUE(isScannedSong("b.mp3"));
    EXPECT_FALSE(isScannedSong("song.MP3"));
    EXPECT_TRUE(isScannedSong("wavy"));
    EXPECT_TRUE(isScannedSong("tune.mp3x"));
    EXPECT_FALSE(isScannedSong("a.mp3.txt"));
    EXPECT_TRUE(isDroppedSong("/x/tune.mp3x"));
    EXPECT_FALSE(isDroppedSong("/x/wavy"));
    EXPECT_FALSE(isDroppedSong("/x/song.MP3"));
    EXPECT_TRUE(isDroppedSong("/x/s.wav"));
    // The rule on listed bytes: a tail outside ASCII is read as characters.
    for (const char* name : {"b.mp3", "song.MP3", "wavy", "tune.mp3x", "a.mp3.txt", "x.mp3\xc3\xa9\xc3\xa9",
                             "x.mp3\xe9\xe9\xe9", "\xcf\x89.ogg", "a.oggé"})
        EXPECT_EQ(isScannedSongBytes(name), isScannedSong(decodeFileName(name))) << name;
}

TEST(FolderScan, SongsOfAFolderComeBeforeItsSubfolders)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QDir(root).mkpath("sub/deeper");
    QDir(root).mkpath("another");
    QDir(root).mkpath("x.mp3");
    QDir(root).mkpath(".hidden");
    touch(root + "/b.mp3");
    touch(root + "/a.ogg");
    touch(root + "/notes.txt");
    touch(root + "/song.MP3");
    touch(root + "/wavy");
    touch(root + "/tune.mp3x");
    touch(root + "/sub/c.wav");
    touch(root + "/sub/deeper/d.wma");
    touch(root + "/another/e.mp2");
    touch(root + "/x.mp3/inside.mp3");
    touch(root + "/.hidden/secret.mp3");

    const ScanResult found = FolderScan::walk(root);
    EXPECT_EQ(found.names,
              (QStringList {"a.ogg", "b.mp3", "tune.mp3x", "wavy", "x.mp3", "e.mp2", "c.wav", "d.wma", "inside.mp3"}));
    EXPECT_EQ(found.paths.first(), root + "/a.ogg");
    EXPECT_EQ(found.paths.last(), root + "/x.mp3/inside.mp3");
    EXPECT_FALSE(found.cancelled);
}

TEST(FolderScan, LinksBackUpTheTreeAreWalkedOnce)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("a");
    touch(dir.path() + "/a/s.mp3");
    ASSERT_TRUE(QFile::link(dir.path(), dir.path() + "/a/loop"));
    const ScanResult found = FolderScan::walk(dir.path());
    EXPECT_EQ(found.names, QStringList {"s.mp3"});
}

TEST(FolderScan, ProgressCanCancelAndMissingFoldersGiveNothing)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("one");
    touch(dir.path() + "/one/s.mp3");
    int calls = 0;
    const ScanResult stopped = FolderScan::walk(dir.path(), [&](int) { return ++calls < 1; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(FolderScan::walk(dir.path() + "/nothing-here").paths.isEmpty());
}

TEST(FolderScan, NamesThatAreNotUtf8AreFoundAndLeadBackToTheirFiles)
{
    QTemporaryDir dir;
    cantorel::testing::ForeignNamedFiles files(dir.path());
    const QString latin1 = files.make("caf\xe9.mp3", "x");
    const QString utf8 = files.make("\xce\xa9mega.ogg", "x");
    files.make("caf\xe9.txt", "x");
    const ScanResult found = FolderScan::walk(dir.path());
    EXPECT_EQ(found.paths, (QStringList {latin1, utf8}));
    for (const QString& path : found.paths)
        EXPECT_TRUE(ordinaryFileExists(path)) << qPrintable(path);
    EXPECT_EQ(found.names[1], QString::fromUtf8("Ωmega.ogg"));
}
