#include "base/FileNames.h"
#include "lyrics/EncodingChoices.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricOffset.h"
#include "lyrics/LyricSource.h"

#include "support/LegacyText.h"
#include "support/TestFiles.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;
using cantorel::testing::legacyBytes;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

namespace {

class RewriteEncoding : public ::testing::Test {
protected:
    // Saves a 500 ms offset into the lyric found for the song.
    OffsetSave saveOffset()
    {
        const FoundLyric found = loadLyric(media, *table);
        return saveOffsetIntoLyric(media, found.origin, 500);
    }
    QTemporaryDir dir;
    QString media = dir.filePath("Rain.mp3");
    QString lrc = dir.filePath("Rain.lrc");
    std::unique_ptr<LyricTable> table = std::make_unique<LyricTable>();
};

} // namespace

TEST_F(RewriteEncoding, AFileKeepsTheEncodingItWasReadIn)
{
    const QString text = QStringLiteral("[00:01.00]雨落在老河上\r\n[00:02.00]我在桥头等你回来\r\n");
    const QString saved = QStringLiteral("[offset:500]\r\n") + text;
    writeFile(lrc, legacyBytes(text, "GBK"));
    OffsetSave save = saveOffset();
    ASSERT_TRUE(save.ok) << save.error.toStdString();
    EXPECT_EQ(readFile(lrc), legacyBytes(saved, "GBK"));
    EXPECT_TRUE(save.notes.isEmpty());

    // UTF-16 keeps its byte-order mark; so does UTF-8.
    for (const char* encoding : {"UTF-16LE", "UTF-16BE", "UTF-8"}) {
        const QByteArray mark = legacyBytes(QStringLiteral("\uFEFF"), encoding);
        writeFile(lrc, mark + legacyBytes(text, encoding));
        ASSERT_TRUE(saveOffset().ok) << encoding;
        EXPECT_EQ(readFile(lrc), mark + legacyBytes(saved, encoding)) << encoding;
    }

    // The lyric pair too, each file in its own encoding.
    cantorel::removeFile(lrc);
    writeFile(lyricPathOf(media), legacyBytes(lyricRecord(100, "Дождь идёт"), "CP1251"));
    const QString french = escapeLine(QStringLiteral("Il pleut, c’est l’été"));
    writeFile(translatedLyricPathOf(media), legacyBytes(lyricRecord(100, french), "CP1252"));
    ASSERT_TRUE(saveOffset().ok);
    EXPECT_EQ(readFile(lyricPathOf(media)), legacyBytes(lyricRecord(50, "Дождь идёт"), "CP1251"));
    EXPECT_EQ(readFile(translatedLyricPathOf(media)), legacyBytes(lyricRecord(50, french), "CP1252"));
}

TEST_F(RewriteEncoding, AWrongReadingIsNotMadePermanent)
{
    // A GBK lyric read as Windows-1252 (lead bytes 0x81, 0x8D, 0x8F, 0x90,
    // 0x9D included, which Windows-1252 leaves undefined) goes back to the
    // disk byte for byte, for a right reading later.
    const QString text = QStringLiteral("[00:01.00]仩崰彔悹潬你好\r\n");
    writeFile(lrc, legacyBytes(text, "GBK"));
    {
        const ScopedEncodingForAll misread(TextEncoding::Windows1252);
        ASSERT_TRUE(saveOffset().ok);
    }
    EXPECT_EQ(readFile(lrc), legacyBytes(QStringLiteral("[offset:500]\r\n") + text, "GBK"));
}

TEST_F(RewriteEncoding, TextThatNoLongerFitsIsWrittenAsUtf8AndSaidSo)
{
    // A byte that is no Big5 character reads as U+FFFD, which Big5 cannot
    // hold: the file becomes UTF-8 with a byte-order mark.
    writeFile(lrc, legacyBytes(QStringLiteral("[00:01.00]我愛你\r\n"), "BIG5") + "[00:02.00]\xFF\r\n");
    const ScopedEncodingForAll big5(TextEncoding::Big5);
    const OffsetSave save = saveOffset();
    ASSERT_TRUE(save.ok) << save.error.toStdString();
    EXPECT_EQ(save.notes, QStringList {"Rain.lrc no longer fits Big5: it is UTF-8 now"});
    EXPECT_EQ(readFile(lrc),
              "\xEF\xBB\xBF[offset:500]\r\n" + QStringLiteral("[00:01.00]我愛你\r\n[00:02.00]\uFFFD\r\n").toUtf8());

    // A new file (an embedded lyric kept beside its song) is plain UTF-8.
    EXPECT_EQ(encodeForFile(QStringLiteral("é"), FileEncoding()).bytes, "\xC3\xA9");
}
