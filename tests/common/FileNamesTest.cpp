// File names that are not UTF-8: held whole, and reached on disk.
#include "common/FileNames.h"
#include "common/TextFile.h"

#include "support/ForeignNames.h"
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace cantorel;

TEST(FileNames, EveryNameRoundTripsAndUtf8NamesStayAsQtHoldsThem)
{
    const QByteArray utf8("/m\xC3\xBAsica/\xCE\x92\xCF\x81\xCE\xBF\xCF\x87\xCE\xAE \xF0\x9F\x8E\xB5.mp3");
    EXPECT_EQ(decodeFileName(utf8), QFile::decodeName(utf8));
    EXPECT_EQ(encodeFileName(decodeFileName(utf8)), utf8);
    EXPECT_FALSE(holdsForeignBytes(decodeFileName(utf8)));

    // Latin-1 "café", a cut sequence, and a foreign byte right after a
    // character outside the BMP (whose low half must not be taken for it).
    for (const QByteArray& bytes : {QByteArray("/tmp/caf\xE9.mp3"), QByteArray("a\xE2\x82"),
                                   QByteArray("\xF0\x9F\x8E\xB5\xB5\xE9")}) {
        const QString held = decodeFileName(bytes);
        EXPECT_TRUE(holdsForeignBytes(held));
        EXPECT_EQ(encodeFileName(held), bytes);
    }
    EXPECT_EQ(decodeFileName("caf\xE9"), QString("caf") + QChar(0xDCE9));

    char a0[] = "prog";
    char a1[] = "/tmp/caf\xE9.ogg";
    char* argv[] = {a0, a1};
    EXPECT_EQ(commandLineArguments(2, argv), QStringList{decodeFileName(a1)});

    // A drop or a dialog hands over a URL; its bytes are the name's.
    EXPECT_EQ(localFilePath(QUrl::fromEncoded("file:///tmp/caf%E9%20x.mp3")), decodeFileName("/tmp/caf\xE9 x.mp3"));
    EXPECT_EQ(localFilePath(QUrl::fromLocalFile(QString::fromUtf8("/tmp/café 100%.mp3"))),
              QString::fromUtf8("/tmp/café 100%.mp3"));
    EXPECT_EQ(localFilePath(QUrl("http://example.org/a.mp3")), "");
}

TEST(FileNames, ANameThatIsNotUtf8IsReadAndWrittenOnDisk)
{
    QTemporaryDir dir;
    cantorel::testing::ForeignNamedFiles files(dir.path());
    const QString path = files.make("caf\xE9.txt", "old\r\n");
    EXPECT_FALSE(QFile::exists(path)); // out of Qt's reach
    const FileFacts facts = fileFacts(path);
    EXPECT_TRUE(facts.exists && facts.isFile && facts.readable);
    EXPECT_EQ(facts.size, 5);
    EXPECT_EQ(readTextFile(path).text, "old\r\n");
    ASSERT_TRUE(writeTextFile(path, "new\r\n"));
    EXPECT_EQ(readTextFile(path).text, "new\r\n");

    // Its name cannot go into a UTF-8 text file: refused, not mangled.
    QString error;
    EXPECT_FALSE(writeTextFile(dir.filePath("list.mmr"), "\"/ok.mp3\"\r\n\"" + path + "\"\r\n", &error));
    EXPECT_TRUE(error.startsWith("Line 2 holds a file name that is not valid UTF-8")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("list.mmr")));
}
