// File names that are not UTF-8: held whole, and reached on disk.
#include "base/FileNames.h"
#include "base/TextFile.h"

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
    EXPECT_EQ(decodeFileName("caf\xE9"), QString("caf") + QChar(0xDCE9));
    // A cut sequence, and a foreign byte right after a character outside the
    // BMP (whose low half must not be taken for a held byte).
    for (const QByteArray& bytes : {QByteArray("a\xE2\x82"), QByteArray("\xF0\x9F\x8E\xB5\xB5\xE9")}) {
        EXPECT_TRUE(holdsForeignBytes(decodeFileName(bytes)));
        EXPECT_EQ(encodeFileName(decodeFileName(bytes)), bytes);
    }
    char program[] = "prog";
    char song[] = "/tmp/caf\xE9.ogg";
    char* argv[] = {program, song};
    EXPECT_EQ(commandLineArguments(2, argv), QStringList {decodeFileName(song)});
    // A drop hands over a URL; its bytes are the name's.
    EXPECT_EQ(localFilePath(QUrl::fromEncoded("file:///tmp/caf%E9%20x.mp3")), decodeFileName("/tmp/caf\xE9 x.mp3"));
    EXPECT_EQ(localFilePath(QUrl::fromLocalFile(QString::fromUtf8("/tmp/café 100%.mp3"))),
              QString::fromUtf8("/tmp/café 100%.mp3"));
}

TEST(FileNames, ANameThatIsNotUtf8IsReadAndWrittenOnDisk)
{
    QTemporaryDir dir;
    cantorel::testing::ForeignNamedFiles files(dir.path());
    const QString path = files.make("caf\xE9.txt", "old\r\n");
    EXPECT_FALSE(QFile::exists(path)); // out of Qt's reach
    EXPECT_TRUE(fileFacts(path).isFile);
    EXPECT_EQ(fileFacts(path).size, 5);
    EXPECT_EQ(readTextFile(path).text, "old\r\n");
    ASSERT_TRUE(writeTextFile(path, "new\r\n"));
    EXPECT_EQ(readTextFile(path).text, "new\r\n");

    // Its name cannot go into a UTF-8 text file: refused, not mangled.
    QString error;
    EXPECT_FALSE(writeTextFile(dir.filePath("list.mmr"), "\"/ok.mp3\"\r\n\"" + path + "\"\r\n", &error));
    EXPECT_TRUE(error.startsWith("Line 2 holds a file name that is not valid UTF-8")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("list.mmr")));
}
