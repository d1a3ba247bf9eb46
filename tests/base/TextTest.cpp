#include "base/FilePaths.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"
#include "base/TimeText.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cantorel;
using cantorel::testing::writeFile;

TEST(TextCodec, ValidUtf8IsReadAsUtf8)
{
    EXPECT_EQ(decodeText("\xCE\xB1\xCE\xB2 \xE2\x82\xAC"), QString::fromUtf8("αβ €"));
    EXPECT_EQ(decodeText("\xEF\xBB\xBFplain"), "plain");
    EXPECT_EQ(decodeText("\xF0\x9F\x8E\xB5"), QString::fromUtf8("🎵"));
}

TEST(TextCodec, AFileThatIsNotUtf8IsWindows1252Whole)
{
    // "café" and "€5" as an 8-bit editor wrote them.
    EXPECT_EQ(decodeText("caf\xE9"), QString::fromUtf8("café"));
    EXPECT_EQ(decodeText("\x80"
                         "5"),
              QString::fromUtf8("€5"));
    EXPECT_EQ(decodeText("\x93quoted\x94"), QString::fromUtf8("“quoted”"));
    // A lone lead byte, an overlong form and an encoded surrogate are not
    // UTF-8 either.
    EXPECT_EQ(decodeText("\xC3"), QString::fromUtf8("Ã"));
    EXPECT_EQ(decodeText("\xC0\xAF"), QString::fromUtf8("À¯"));
    EXPECT_EQ(decodeText("\xED\xA0\x80").size(), 3);
    // Byte pairs that happen to form UTF-8 inside an 8-bit file stay
    // Windows-1252 like the rest of it.
    EXPECT_EQ(decodeText("Spa\xDF\x85 sch\xF6n"), QString::fromUtf8("Spaß… schön"));
    EXPECT_EQ(decodeText("CAF\xC9\x85\r\n\xE9t\xE9"), QString::fromUtf8("CAFÉ…\r\nété"));
    EXPECT_EQ(decodeText("\xC3\xA9 \xE9"), QString::fromUtf8("Ã© é"));
    EXPECT_EQ(cp1252Char(0x81), QChar(0x81));
}

TEST(TextCodec, Utf16WithAByteOrderMark)
{
    const QString text = QString::fromUtf8("Βροχή 🎵\r\n");
    QByteArray little("\xFF\xFE"), big("\xFE\xFF");
    for (const QChar c : text) {
        little += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        big += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(decodeText(little), text);
    EXPECT_EQ(decodeText(big), text);
    EXPECT_EQ(splitLines(decodeText(QByteArray("\xFF\xFE"
                                               "a\0\r\0\n\0b\0",
                                               10))),
              (QStringList {"a", "b"}));
    // A cut file: the lone half of a pair and the odd byte are marked.
    EXPECT_EQ(decodeText(QByteArray("\xFE\xFF\xD8\x3C\0a\0", 7)), QString::fromUtf8("\uFFFDa\uFFFD"));
}

TEST(TextCodec, SplitsLinesAtAnyTerminator)
{
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (QStringList {"a", "b"}));
    EXPECT_EQ(splitLines("a\r\nb"), (QStringList {"a", "b"}));
    EXPECT_EQ(splitLines("a\nb\rc"), (QStringList {"a", "b", "c"}));
    EXPECT_EQ(splitLines("\r\n\r\n"), (QStringList {"", ""}));
    EXPECT_TRUE(splitLines("").isEmpty());
}

TEST(TimeText, RoundsHalvesToEven)
{
    EXPECT_EQ(timeText(0), "0:0");
    EXPECT_EQ(timeText(45000), "0:45");
    EXPECT_EQ(timeText(59600), "1:0");
    EXPECT_EQ(timeText(65000), "1:5");
    EXPECT_EQ(timeText(225400), "3:45");
    EXPECT_EQ(timeText(600000), "10:0");
    EXPECT_EQ(timeText(500), "0:0");
    EXPECT_EQ(timeText(1500), "0:2");
    EXPECT_EQ(timeText(2500), "0:2");
    EXPECT_EQ(timeText(210400), "3:30");
}

TEST(FilePaths, ExtensionRuleAndCleaning)
{
    EXPECT_EQ(withExtensionRule("songs", ".mmr"), "songs.mmr");
    EXPECT_EQ(withExtensionRule("songs.mmr", ".mmr"), "songs.mmr");
    EXPECT_EQ(withExtensionRule("list.MMR", ".mmr"), "list.MMR.mmr");
    EXPECT_EQ(withExtensionRule("a.mmr.old", ".mmr"), "a.old.mmr");
    EXPECT_EQ(withExtensionRule(" notes.txt ", ".txt"), "notes.txt");
    // Folders keep their names, whatever they hold.
    EXPECT_EQ(withExtensionRule("/home/me/my.txtfiles/x", ".txt"), "/home/me/my.txtfiles/x.txt");
    EXPECT_EQ(withExtensionRule("/a.mmr/b.mmr.old", ".mmr"), "/a.mmr/b.old.mmr");
    EXPECT_EQ(cleanChosenPath(QString(" /a/b") + QChar(0) + "c  "), "/a/bc");
    EXPECT_EQ(fileNamePart("/x/y/Rain.mp3"), "Rain.mp3");

    // A name that is there with its blanks keeps them.
    QTemporaryDir dir;
    const QString blank = dir.filePath(" Rain.mp3 ");
    writeFile(blank);
    EXPECT_EQ(cleanChosenPath(blank), blank);
    EXPECT_EQ(cleanChosenPath(dir.filePath("Snow.mp3 ")), dir.filePath("Snow.mp3"));
}

TEST(TextFile, ReadsWholeFilesAndRefusesWhatIsNotOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    ASSERT_TRUE(writeTextFile(path, QString::fromUtf8("Βροχή\r\n")));
    EXPECT_EQ(readTextFile(path).text, QString::fromUtf8("Βροχή\r\n"));
    EXPECT_EQ(readTextFile(dir.filePath("none.txt")).status, TextFileRead::Status::Missing);
    EXPECT_EQ(readTextFile(dir.path()).status, TextFileRead::Status::NotAFile);
    const TextFileRead big = readTextFile(path, 4);
    EXPECT_EQ(big.status, TextFileRead::Status::TooLarge);
    EXPECT_TRUE(big.text.isEmpty());
    // A folder in the way: the write fails, and says why.
    QString error;
    EXPECT_FALSE(writeTextFile(dir.path(), "new", &error));
    EXPECT_FALSE(error.isEmpty());
}
