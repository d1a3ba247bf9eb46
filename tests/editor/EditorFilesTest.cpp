// Opening and saving the editor's lyrics.
#include "editor/EditorFiles.h"
#include "editor/LyricTextFile.h"
#include "support/ScriptedPrompts.h"

#include "support/FullDisk.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace cantorel;
using namespace cantorel::editor;
using Answer = Prompts::Answer;

namespace {

QByteArray contents(const QString& path)
{
    return cantorel::testing::readFile(path);
}

// Makes a folder refuse new files for as long as it lives. Permission bits
// do not stop root, so as root the folder is made immutable instead.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(QFile::encodeName(path))
    {
        if (geteuid() != 0) {
            m_chmod = ::chmod(m_path.constData(), 0555) == 0;
        } else {
            const int fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags |= FS_IMMUTABLE_FL;
                m_immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
            }
            if (fd >= 0)
                ::close(fd);
        }
        // Check that it really refuses a new file.
        QFile probe(path + QStringLiteral("/probe"));
        if ((m_chmod || m_immutable) && probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            m_refuses = false;
        } else {
            m_refuses = m_chmod || m_immutable;
        }
    }
    ~ReadOnlyFolder()
    {
        if (m_chmod)
            ::chmod(m_path.constData(), 0755);
        if (m_immutable) {
            const int fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
            }
            if (fd >= 0)
                ::close(fd);
        }
    }
    bool refusesNewFiles() const { return m_refuses; }

private:
    QByteArray m_path;
    bool m_chmod = false;
    bool m_immutable = false;
    bool m_refuses = false;
};

class EditorFilesTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    const LineColumn& left() const { return lines.column(Side::Left); }

    QTemporaryDir dir;
    cantorel::testing::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    LinePair lines {prompts, clipboard};
    EditorFiles files {lines, prompts};
};

} // namespace

TEST_F(EditorFilesTest, ALastLineWithoutCrLfIsReadAndWrittenBackEnded)
{
    cantorel::testing::writeFile(path("three.txt"), "first\r\nsecond\r\nthird");
    prompts.expectOpenFile("  " + path("three.txt") + " ");
    files.open(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"first", "second", "third"}));
    EXPECT_EQ(left().fileName, path("three.txt"));
    EXPECT_EQ(prompts.asked.first().text, "Open a Lyric file");
    ASSERT_EQ(prompts.asked.first().filters.size(), 1);
    EXPECT_EQ(prompts.asked.first().filters.first().pattern, "*.txt");

    EXPECT_TRUE(files.save(Side::Left)); // a known name: no dialog
    EXPECT_EQ(contents(path("three.txt")), "first\r\nsecond\r\nthird\r\n");
}

TEST_F(EditorFilesTest, EightBitTextIsReadAsWrittenAndNewFilesAreUtf8)
{
    cantorel::testing::writeFile(path("old.txt"), "caf\xE9\n\x93hi\x94\n\n");
    const LyricTextRead read = readLyricText(path("old.txt"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.lines, (QStringList {QString::fromUtf8("café"), QString::fromUtf8("“hi”"), ""}));
    EXPECT_EQ(read.encoding, (lyrics::FileEncoding {lyrics::TextEncoding::Windows1252, false}));
    EXPECT_EQ(writeLyricText(path("same.txt"), read.lines, read.encoding).error, "");
    EXPECT_EQ(contents(path("same.txt")), "caf\xE9\r\n\x93hi\x94\r\n\r\n");
    EXPECT_EQ(writeLyricText(path("new.txt"), read.lines).error, "");
    EXPECT_EQ(contents(path("new.txt")), "caf\xC3\xA9\r\n\xE2\x80\x9Chi\xE2\x80\x9D\r\n\r\n");
    EXPECT_EQ(writeLyricText(path("empty.txt"), {}).error, "");
    EXPECT_EQ(contents(path("empty.txt")), "");
}

TEST_F(EditorFilesTest, SaveAsAddsTxtOnceWhateverTheChosenName)
{
    EXPECT_EQ(lyricSaveName("notes"), "notes.txt");
    EXPECT_EQ(lyricSaveName("notes.txt"), "notes.txt");
    EXPECT_EQ(lyricSaveName("song.TXT"), "song.TXT.txt");
    EXPECT_EQ(lyricSaveName(" a.txt.b\0"), "a.b.txt");

    lines.loadLines(Side::Right, {"line"}, QString());
    prompts.expectSaveFile(path("notes"));
    EXPECT_TRUE(files.saveAs(Side::Right));
    EXPECT_EQ(prompts.asked.last().text, "Save the Translated Lyric file");
    EXPECT_EQ(contents(path("notes.txt")), "line\r\n");
    EXPECT_EQ(lines.column(Side::Right).fileName, path("notes.txt"));

    prompts.expectSaveFile(path("song.TXT"));
    EXPECT_TRUE(files.saveAs(Side::Right));
    EXPECT_TRUE(QFile::exists(path("song.TXT.txt")));
    EXPECT_EQ(prompts.asked.last().startName, path("notes.txt")); // starts from the known name
}

TEST_F(EditorFilesTest, SaveAsKeepsTheFolderAndAsksBeforeReplacing)
{
    // The rule applies to the file's name: the folder keeps its own.
    const QString folder = path("my.txtfiles");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QDir().mkpath(path("myfiles")));
    lines.loadLines(Side::Left, {"new"}, QString());
    prompts.expectSaveFile(folder + "/x");
    EXPECT_TRUE(files.saveAs(Side::Left));
    EXPECT_EQ(contents(folder + "/x.txt"), "new\r\n");
    EXPECT_TRUE(QDir(path("myfiles")).isEmpty());

    // The name the rule makes may name a file that is there: asked first.
    cantorel::testing::writeFile(path("old.txt"), "keep me");
    prompts.expectSaveFile(path("old"))
        .expectMessage("old.txt already exists.\nDo you want to replace it?", Answer::No);
    EXPECT_FALSE(files.saveAs(Side::Left));
    EXPECT_EQ(contents(path("old.txt")), "keep me");
    prompts.expectSaveFile(path("old")).expectMessage(QString(), Answer::Yes);
    EXPECT_TRUE(files.saveAs(Side::Left));
    EXPECT_EQ(contents(path("old.txt")), "new\r\n");
}

TEST_F(EditorFilesTest, SaveWithoutANameAsksForOneAndThenUsesIt)
{
    lines.loadLines(Side::Left, {"a"}, QString());
    prompts.expectSaveFile(""); // cancelled: nothing written, nothing said
    EXPECT_FALSE(files.save(Side::Left));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    prompts.expectSaveFile(path("lyric"));
    EXPECT_TRUE(files.save(Side::Left));
    EXPECT_EQ(prompts.asked.last().text, "Save the Lyric file");
    EXPECT_EQ(prompts.asked.last().startName, "");
    lines.loadLines(Side::Left, {"b"}, left().fileName);
    EXPECT_TRUE(files.save(Side::Left)); // no dialog this time
    EXPECT_EQ(contents(path("lyric.txt")), "b\r\n");
}

TEST_F(EditorFilesTest, AFailedSaveIntoAReadOnlyFolderKeepsTheOldFileAndSaysWhy)
{
    const QString folder = path("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + "/song.txt";
    cantorel::testing::writeFile(target, "old\r\nlyric\r\n");
    lines.loadLines(Side::Left, {"old", "lyric"}, target);
    lines.select(Side::Left, 0);
    lines.editCurrentLine(Side::Left, "new");

    const ReadOnlyFolder locked(folder);
    if (!locked.refusesNewFiles())
        GTEST_SKIP() << "cannot make a folder read-only here";
    prompts.expectMessage(QString());
    EXPECT_FALSE(files.save(Side::Left));
    EXPECT_EQ(contents(target), "old\r\nlyric\r\n");
    EXPECT_TRUE(prompts.asked.last().text.contains(QDir::toNativeSeparators(target)));
    EXPECT_TRUE(lines.hasUnsavedChanges(Side::Left));

    // Save as into the same folder fails alike and keeps the old name.
    prompts.expectSaveFile(folder + "/other").expectMessage(QString());
    EXPECT_FALSE(files.saveAs(Side::Left));
    EXPECT_EQ(left().fileName, target);
    EXPECT_FALSE(QFile::exists(folder + "/other.txt"));
}

TEST_F(EditorFilesTest, ASaveOnAFullDiskKeepsTheOldFileAndTheChanges)
{
    cantorel::testing::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << cantorel::testing::FullDisk::kCannotMount;
    const QString target = disk.filePath("song.txt");
    cantorel::testing::writeFile(target, "old\r\n");
    lines.loadLines(Side::Left, {"old"}, target);
    lines.select(Side::Left, 0);
    lines.editCurrentLine(Side::Left, "new");
    disk.fill();

    prompts.expectMessage(QString());
    EXPECT_FALSE(files.save(Side::Left));
    EXPECT_TRUE(prompts.asked.last().text.contains("Nothing on disk was changed."));
    EXPECT_TRUE(lines.hasUnsavedChanges(Side::Left)); // so the question at the end still comes
    EXPECT_EQ(contents(target), "old\r\n");
    EXPECT_EQ(disk.names(), QStringList {"song.txt"});
}

TEST_F(EditorFilesTest, AFileThatCannotBeOpenedChangesNothing)
{
    lines.loadLines(Side::Left, {"kept"}, path("kept.txt"));
    prompts.expectOpenFile(path("missing.txt")).expectMessage(QString());
    files.open(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"kept"}));
    EXPECT_EQ(left().fileName, path("kept.txt"));
    EXPECT_TRUE(prompts.asked.last().text.contains("missing.txt"));

    ASSERT_TRUE(QDir().mkpath(path("folder.txt")));
    prompts.expectOpenFile(path("folder.txt")).expectMessage(QString());
    files.open(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"kept"}));

    prompts.expectOpenFile(""); // cancelled: nothing at all
    files.open(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"kept"}));
}
