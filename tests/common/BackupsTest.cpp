#include "common/Backups.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cantorel;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

TEST(Backups, NewestIsBakAndOlderOnesAreKeptInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.mp3-lyric.txt");
    for (const char* content : {"first", "second", "third"}) {
        writeFile(path, content);
        EXPECT_EQ(moveToBackup(path), path + ".bak");
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(readFile(path + ".bak"), "third");
    EXPECT_EQ(readFile(path + ".bak.1"), "second");
    EXPECT_EQ(readFile(path + ".bak.2"), "first");

    // Undoing the newest backup brings the generations back down.
    EXPECT_TRUE(restoreNewestBackup(path));
    EXPECT_EQ(readFile(path), "third");
    EXPECT_EQ(readFile(path + ".bak"), "second");
    EXPECT_EQ(readFile(path + ".bak.1"), "first");
    EXPECT_FALSE(QFile::exists(path + ".bak.2"));
}

TEST(Backups, AFailedMoveReportsAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone.txt");
    QString error;
    EXPECT_TRUE(moveToBackup(missing, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(restoreNewestBackup(missing));
}
