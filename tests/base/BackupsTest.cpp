#include "base/Backups.h"
#include "base/FailingCalls.h"
#include "base/FileNames.h"
#include "base/FileReplace.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>

#include <gtest/gtest.h>

using namespace cantorel;
using cantorel::testing::FailingCalls;
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

TEST(Backups, AKeptBackupLeavesTheFileInPlaceAndCopiesWhereLinksFail)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.lrc");
    writeFile(path, "old");
    writeFile(path + ".bak", "older");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));

    EXPECT_EQ(keepBackup(path), path + ".bak");
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(readFile(path + ".bak"), "old");
    EXPECT_EQ(readFile(path + ".bak.1"), "older");
    EXPECT_EQ(fileFacts(path + ".bak").inode, fileFacts(path).inode); // a second name, not a copy
    EXPECT_TRUE(dropNewestBackup(path));
    EXPECT_EQ(readFile(path + ".bak"), "older");
    EXPECT_FALSE(QFile::exists(path + ".bak.1"));

    {
        // A file system without hard links: a copy, with the file's permissions.
        EXPECT_EQ(keepBackup(path, nullptr, FailingCalls(FailingCalls::Call::Link, EPERM)), path + ".bak");
        EXPECT_EQ(readFile(path + ".bak"), "old");
        EXPECT_NE(fileFacts(path + ".bak").inode, fileFacts(path).inode);
        EXPECT_EQ(QFileInfo(path + ".bak").permissions(), QFileInfo(path).permissions());
        EXPECT_TRUE(dropNewestBackup(path));
    }
    {
        // Any other failure: no backup, and the older ones where they were.
        QString error;
        EXPECT_TRUE(keepBackup(path, &error, FailingCalls(FailingCalls::Call::Link, EIO)).isEmpty());
        EXPECT_EQ(error, qt_error_string(EIO));
        EXPECT_EQ(readFile(path + ".bak"), "older");
        EXPECT_FALSE(QFile::exists(path + ".bak.1"));
    }
}
