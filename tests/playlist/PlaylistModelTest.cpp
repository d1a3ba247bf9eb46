#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"

#include "support/ForeignNames.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel;

namespace {

class PlaylistFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString touch(const QString& name)
    {
        cantorel::testing::writeFile(dir.filePath(name));
        return dir.filePath(name);
    }
    QByteArray read(const QString& path) { return cantorel::testing::readFile(path); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PlaylistFiles, NamesFollowTheExtensionRule)
{
    EXPECT_EQ(playlistFileName("songs"), "songs.mmr");
    EXPECT_EQ(playlistFileName("songs.mmr"), "songs.mmr");
    EXPECT_EQ(playlistFileName("list.MMR"), "list.MMR.mmr");
    EXPECT_EQ(playlistFileName("a.mmr.old"), "a.old.mmr");
}

TEST_F(PlaylistFiles, SavedListsReadBackAndAppend)
{
    PlaylistModel model;
    const QString a = touch("Song one.mp3"), b = touch("two, with comma.ogg");
    model.append(QStringList {a, b, dir.filePath("missing.wav")});
    QString error;
    const QString file = dir.filePath("list.mmr");
    ASSERT_TRUE(savePlaylist(file, model.paths(), &error)) << error.toStdString();
    EXPECT_EQ(read(file), ("\"" + a + "\"\r\n\"" + b + "\"\r\n\"" + dir.filePath("missing.wav") + "\"\r\n").toUtf8());

    QStringList paths;
    ASSERT_TRUE(loadPlaylist(file, &paths, &error));
    EXPECT_EQ(paths, model.paths());

    PlaylistModel fresh;
    fresh.append(paths);
    EXPECT_EQ(fresh.paths(), model.paths());
    EXPECT_EQ(fresh.displayName(0), "Song one.mp3");
    EXPECT_EQ(fresh.displayName(2), ""); // gone from disk: a blank entry

    fresh.append(paths); // into a list that already has entries
    EXPECT_EQ(fresh.count(), 6);
    EXPECT_EQ(fresh.path(3), a);
}

TEST_F(PlaylistFiles, ReadsUnquotedRecordsAndSkipsEmptyOnes)
{
    const QString file = dir.filePath("hand.mmr");
    cantorel::testing::writeFile(file,
                                 "\"/m/a, b.mp3\"\r\n/m/plain.mp3\r\n/m/x.mp3,/m/y.mp3\r\n\r\n\"\"\n/m/caf\xE9.mp3");
    QStringList paths;
    QString error;
    ASSERT_TRUE(loadPlaylist(file, &paths, &error));
    EXPECT_EQ(paths,
              (QStringList {"/m/a, b.mp3", "/m/plain.mp3", "/m/x.mp3", "/m/y.mp3", QString::fromUtf8("/m/café.mp3")}));
    EXPECT_FALSE(loadPlaylist(dir.filePath("nope.mmr"), &paths, &error));
}

TEST_F(PlaylistFiles, FailedSaveKeepsTheOldFile)
{
    const QString file = dir.filePath("keep.mmr");
    QString error;
    ASSERT_TRUE(savePlaylist(file, {"/old.mp3"}, &error));
    // A folder in the way of the temporary file's rename makes the save fail
    // even for root.
    const QString blocked = dir.filePath("blocked.mmr");
    QDir(dir.path()).mkdir("blocked.mmr");
    EXPECT_FALSE(savePlaylist(blocked, {"/new.mp3"}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read(file), "\"/old.mp3\"\r\n");
}

TEST(PlaylistFile, ASaveOnAFullDiskKeepsTheOldListAndSaysSo)
{
    cantorel::testing::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << cantorel::testing::FullDisk::kCannotMount;
    const QString file = disk.filePath("list.mmr");
    ASSERT_TRUE(savePlaylist(file, {"/old.mp3"}, nullptr));
    disk.fill();
    QString error;
    EXPECT_FALSE(savePlaylist(file, QStringList(10, "/music/a song.mp3"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(cantorel::testing::readFile(file), "\"/old.mp3\"\r\n");
    EXPECT_EQ(disk.names(), QStringList {"list.mmr"});
}

TEST_F(PlaylistFiles, AnEntryShowsItsFilesNameOrNothing)
{
    const QString song = touch("Song.mp3");
    QDir(dir.path()).mkpath("folder.mp3");
    ASSERT_TRUE(QFile::link(song, dir.filePath("link.ogg")));
    cantorel::testing::ForeignNamedFiles foreign(dir.path());
    const QString latin1 = foreign.make("caf\xe9.mp3", "x");
    PlaylistModel model;
    model.append(QStringList {song, dir.filePath("folder.mp3"), dir.filePath("link.ogg"), dir.filePath("gone.mp3"),
                              dir.filePath("Song.mp3/"), latin1});
    EXPECT_EQ(model.displayName(0), "Song.mp3");
    EXPECT_EQ(model.displayName(1), ""); // a folder
    EXPECT_EQ(model.displayName(2), "link.ogg");
    EXPECT_EQ(model.displayName(3), "");
    EXPECT_EQ(model.displayName(4), "");
    EXPECT_EQ(model.displayName(5), latin1.mid(latin1.lastIndexOf(u'/') + 1));
    EXPECT_EQ(model.path(5), latin1);
}

TEST(PlaylistModel, RemovingShiftsTheEntriesBelow)
{
    PlaylistModel model;
    model.append(QStringList {"/0", "/1", "/2", "/3", "/4"});
    model.remove(2);
    EXPECT_EQ(model.paths(), (QStringList {"/0", "/1", "/3", "/4"}));
    model.append("/5");
    EXPECT_EQ(model.path(4), "/5");
    model.remove(7); // no such entry
    EXPECT_EQ(model.count(), 5);
}

TEST(PlaylistModel, SearchAndExactNames)
{
    PlaylistModel model;
    model.appendNamed({"/a", "/b", "/c"}, {"Blue.mp3", "I Love Rain.ogg", "love.wav"});
    EXPECT_EQ(model.findContaining("LOVE"), 1);
    EXPECT_EQ(model.findContaining("zzz"), -1);
    EXPECT_EQ(model.findContaining(""), 0);
    EXPECT_EQ(model.findNamed("love.wav"), 2);
    EXPECT_EQ(model.findNamed("LOVE.wav"), -1);
    model.swapWithNext(0);
    EXPECT_EQ(model.path(0), "/b");
    EXPECT_EQ(model.displayName(1), "Blue.mp3");
}

TEST(PlaylistModel, RefusesWhatWouldPassTheCapacity)
{
    PlaylistModel model;
    QStringList paths;
    for (int i = 0; i < PlaylistModel::kCapacity - 1; ++i)
        paths << QStringLiteral("/s%1").arg(i);
    ASSERT_TRUE(model.appendNamed(paths, QStringList(paths.size(), QString())));
    EXPECT_FALSE(model.append(QStringList {"/x", "/y"}));
    EXPECT_EQ(model.count(), PlaylistModel::kCapacity - 1);
    EXPECT_TRUE(model.append("/last"));
    EXPECT_FALSE(model.append("/more"));
    EXPECT_EQ(model.count(), PlaylistModel::kCapacity);
}
