#include "screensaver/ScreenSettings.h"

#include "base/TextCodec.h"

#include "support/FullDisk.h"
#include "support/TestFiles.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using cantorel::screensaver::BoxStyle;
using cantorel::screensaver::colorFromValue;
using cantorel::screensaver::colorValue;
using cantorel::screensaver::ScreenSettings;
using cantorel::screensaver::ScreenSettingsFile;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

namespace {

ScreenSettings sample()
{
    ScreenSettings s;
    s.lyric = BoxStyle {"DejaVu Serif", true, true, 10.5f, QColor(1, 2, 3), QColor(200, 100, 50)};
    s.translated = BoxStyle {"Noto, Sans", false, true, 27.25f, QColor(255, 255, 255), QColor(0, 0, 128)};
    s.background = QColor(10, 20, 30);
    return s;
}

} // namespace

TEST(ScreenSettingsFile, StartUpLookIsWrittenAsRecords)
{
    EXPECT_EQ(ScreenSettingsFile::format(ScreenSettings {}), "\"Lucida Sans Unicode\",#FALSE#,#FALSE#,18,65535,0\r\n"
                                                             "\"Lucida Sans Unicode\",#FALSE#,#FALSE#,18,65535,0\r\n"
                                                             "0\r\n");
    EXPECT_EQ(colorValue(QColor(255, 255, 0)), 65535);
    EXPECT_EQ(colorValue(QColor(1, 2, 3)), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(colorFromValue(0xFFFFFF), QColor(255, 255, 255));
    EXPECT_FALSE(colorFromValue(-1));
    EXPECT_FALSE(colorFromValue(0x1000000));
}

TEST(ScreenSettingsFile, SavedSettingsReadBackUnchanged)
{
    QTemporaryDir dir;
    const ScreenSettingsFile file(dir.filePath("setting.txt"));
    EXPECT_EQ(file.load().status, ScreenSettingsFile::Status::Missing);

    ASSERT_TRUE(file.save(sample()));
    const QByteArray bytes = readFile(file.path());
    EXPECT_TRUE(bytes.startsWith("\"DejaVu Serif\",#TRUE#,#TRUE#,10.5,197121,3302600\r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("\r\n1971210\r\n"));

    const auto loaded = file.load();
    ASSERT_EQ(loaded.status, ScreenSettingsFile::Status::Loaded) << loaded.error.toStdString();
    EXPECT_EQ(loaded.settings, sample());
    EXPECT_EQ(loaded.settings.lyric.pointSize, 10.5f);

    ASSERT_TRUE(file.remove());
    EXPECT_FALSE(file.exists());
    EXPECT_TRUE(file.remove()); // nothing left to delete is no failure
}

TEST(ScreenSettingsFile, BrokenFilesAreRefusedWhole)
{
    const QString good1 = "\"Arial\",#FALSE#,#TRUE#,12,65535,0";
    const char* cases[] = {
        "",
        "\"Arial\",#FALSE#,#TRUE#,12,65535,0\r\n",             // records missing
        "\"Arial\",#FALSE#,#TRUE#,12,65535\r\n%1\r\n0\r\n",    // five values
        "\"Arial\",yes,#TRUE#,12,65535,0\r\n%1\r\n0\r\n",      // not a boolean
        "\"Arial\",#FALSE#,#TRUE#,big,65535,0\r\n%1\r\n0\r\n", // not a size
        "\"Arial\",#FALSE#,#TRUE#,0,65535,0\r\n%1\r\n0\r\n",   // no size
        "\"Arial\",#FALSE#,#TRUE#,0.00000000000000000000000000000000000000000000001,65535,0\r\n%1\r\n0\r\n", // 0 as a single
        "\"Arial\",#FALSE#,#TRUE#,0.00000000000000000000000000000000000000001,65535,0\r\n%1\r\n0\r\n",       // denormal
        "\"Arial\",#FALSE#,#TRUE#,1e-47,65535,0\r\n%1\r\n0\r\n", // exponent form
        "\"Arial\",#FALSE#,#TRUE#,12,16777216,0\r\n%1\r\n0\r\n", // colour out of range
        "\"\",#FALSE#,#TRUE#,12,65535,0\r\n%1\r\n0\r\n",         // no font name
        "%1\r\n%1\r\nblack\r\n",                                 // background not a number
        "%1\r\n%1\r\n-1\r\n",                                    // background out of range
    };
    for (const char* c : cases) {
        const QString text = QString::fromLatin1(c).replace("%1", good1);
        QString error;
        EXPECT_FALSE(ScreenSettingsFile::parse(text, &error)) << c;
        EXPECT_FALSE(error.isEmpty()) << c;
    }
    EXPECT_TRUE(ScreenSettingsFile::parse(good1 + "\r\n" + good1 + "\r\n255\r\n"));
    // Lines ended by LF alone, as a hand-edited file may have, read the same.
    EXPECT_TRUE(ScreenSettingsFile::parse(good1 + "\n" + good1 + "\n255\n"));

    QTemporaryDir dir;
    const ScreenSettingsFile file(dir.filePath("setting.txt"));
    writeFile(file.path(), "\"Arial\",#FALSE#\r\n\xff\xfe garbage");
    const auto loaded = file.load();
    EXPECT_EQ(loaded.status, ScreenSettingsFile::Status::Broken);
    EXPECT_EQ(loaded.settings, ScreenSettings {});
    EXPECT_FALSE(loaded.error.isEmpty());
}

TEST(ScreenSettingsFile, FailedSaveReportsAndWritesNothing)
{
    // A missing folder is made; one that cannot be (a plain file is in the
    // way) fails the save.
    QTemporaryDir dir;
    const ScreenSettingsFile made(dir.filePath("new folder/setting.txt"));
    EXPECT_TRUE(made.save(sample()));
    EXPECT_EQ(made.load().settings, sample());
    const ScreenSettingsFile file(dir.filePath("new folder/setting.txt/setting.txt"));
    QString error;
    EXPECT_FALSE(file.save(sample(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(file.exists());
}

TEST(ScreenSettingsFile, APlantedLinkCostsNoOtherFile)
{
    // A link planted at the name is replaced; its target stays as it was.
    QTemporaryDir dir;
    writeFile(dir.filePath("precious"), "keep");
    ASSERT_TRUE(QFile::link(dir.filePath("precious"), dir.filePath("setting.txt")));
    const ScreenSettingsFile linked(dir.filePath("setting.txt"));
    ASSERT_TRUE(linked.save(sample()));
    EXPECT_FALSE(QFileInfo(dir.filePath("setting.txt")).isSymLink());
    EXPECT_EQ(linked.load().settings, sample());
    EXPECT_EQ(readFile(dir.filePath("precious")), "keep");
}

TEST(ScreenSettingsFile, ASaveOnAFullDiskKeepsTheOldFile)
{
    cantorel::testing::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << cantorel::testing::FullDisk::kCannotMount;
    const ScreenSettingsFile onDisk(disk.filePath("setting.txt"));
    ASSERT_TRUE(onDisk.save(ScreenSettings {}));
    const QByteArray old = readFile(disk.filePath("setting.txt"));
    disk.fill();
    QString error;
    EXPECT_FALSE(onDisk.save(sample(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(disk.filePath("setting.txt")), old);
    EXPECT_EQ(disk.names(), QStringList {"setting.txt"});
}
