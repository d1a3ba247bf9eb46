// Replacing a file's contents: a failure at any step keeps the old file.
#include "base/FileReplace.h"

#include "base/FailingCalls.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace cantorel;
using cantorel::testing::FailingCalls;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

namespace {

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(FileReplace, AFailureAtAnyStepKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.txt");
    writeFile(path, "old\r\n");
    using Call = FailingCalls::Call;
    for (const Call call : {Call::CreateNew, Call::Write, Call::DataSync, Call::Close, Call::Rename}) {
        QString error;
        EXPECT_FALSE(replaceFile(path, "new\r\n", LinkRule::FollowLinks, &error, FailingCalls(call, EIO))) << int(call);
        EXPECT_TRUE(error.contains(qt_error_string(EIO)) && error.endsWith("Nothing on disk was changed."));
        EXPECT_EQ(readFile(path), "old\r\n");
        EXPECT_EQ(namesIn(dir.path()), QStringList {"song.txt"}) << int(call);
    }
    {
        // Only the folder's flush after the rename fails: the reason says so.
        QString error;
        EXPECT_FALSE(replaceFile(path, "new\r\n", LinkRule::FollowLinks, &error, FailingCalls(Call::SyncFolder, EIO)));
        EXPECT_TRUE(error.startsWith("The new contents are in place")) << error.toStdString();
        EXPECT_EQ(readFile(path), "new\r\n");
    }
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    ASSERT_TRUE(replaceFile(path, "newer"));
    EXPECT_EQ(QFileInfo(path).permissions() & 0x7077, mode); // kept
}

TEST(FileReplace, LinksAreFollowedForDocumentsAndReplacedForOwnFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    const QString target = dir.filePath("real/target.txt");
    const QString link = dir.filePath("link.txt");
    writeFile(target, "target");
    ASSERT_TRUE(QFile::link("real/target.txt", link)); // relative, as users make them

    ASSERT_TRUE(replaceFile(link, "document", LinkRule::FollowLinks));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(target), "document");
    EXPECT_EQ(namesIn(dir.filePath("real")), QStringList {"target.txt"});

    ASSERT_TRUE(replaceFile(link, "own", LinkRule::ReplaceLinks));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(link), "own");
    EXPECT_EQ(readFile(target), "document");

    // What is not an ordinary file is left alone.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    QString error;
    EXPECT_FALSE(replaceFile(dir.filePath("fifo"), "x", LinkRule::FollowLinks, &error));
    EXPECT_TRUE(error.startsWith("It is not an ordinary file."));
    EXPECT_FALSE(replaceFile(dir.path(), "x", LinkRule::ReplaceLinks, &error));
    EXPECT_TRUE(error.startsWith("It is a folder"));
}

TEST(FileReplace, TemporariesThatKilledReplacesLeftGoWithTheNextReplaceInTheFolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.txt");
    writeFile(path, "old");
    // A process that has ended: its temporaries are leftovers.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString dead = QString::number(child), alive = QString::number(::getppid());
    const QStringList kept {".song.txt." + alive + "-2.tmp", // still being written
                            ".song.txt.3.tmp",               // not a name we give
                            ".song.txt." + dead + "-4.tmp.bak", "song.txt"};
    for (const QString& name : kept.mid(0, 3))
        writeFile(dir.filePath(name), "x");
    writeFile(dir.filePath(".song.txt." + dead + "-5.tmp"), "left by a kill");
    writeFile(dir.filePath(".other.txt." + dead + "-1.tmp"), "another file's, left by a kill");
    ASSERT_TRUE(QDir(dir.path()).mkdir(".song.txt." + dead + "-6.tmp")); // not a file

    ASSERT_TRUE(replaceFile(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    QStringList expected = kept + QStringList {".song.txt." + dead + "-6.tmp"};
    expected.sort();
    EXPECT_EQ(namesIn(dir.path()), expected);
}
