// Word times from the files that hold them to the lyric table, and through
// everything that moves a lyric.
#include "lyrics/EmbeddedLyrics.h"
#include "lyrics/LineLookup.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricListing.h"
#include "lyrics/LyricOffset.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTransfer.h"
#include "lyrics/WordTimes.h"

#include "support/TaggedSongs.h"
#include "support/TestFiles.h"
#include "support/WordLines.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;
using cantorel::testing::readFile;
using cantorel::testing::words;
using cantorel::testing::writeFile;

namespace {

class WordTimed : public ::testing::Test {
protected:
    // Loads the lyric of `song` and says what the lyric pane shows at each
    // of `atMs`: the line and, when it has word times, "words1=SUNG/TOTAL".
    QStringList shown(const QString& song, std::initializer_list<qint64> atMs)
    {
        EXPECT_NE(loadLyric(song, *table).load.outcome, LyricLoad::Outcome::NoLyricFile) << song.toStdString();
        QStringList out;
        for (const qint64 ms : atMs) {
            PaneTexts panes = openedPanes();
            int slot = 0;
            lookUpLine(*table, double(ms), panes, &slot);
            out << panes.text1 + wordsField(*table, slot, ms);
        }
        return out;
    }
    QString lrcSong(const char* name, const char* lrc)
    {
        const QString song = dir.filePath(QString::fromLatin1(name) + ".mp3");
        writeFile(dir.filePath(QString::fromLatin1(name) + ".lrc"), lrc);
        return song;
    }

    QTemporaryDir dir;
    std::unique_ptr<LyricTable> table = std::make_unique<LyricTable>();
};

} // namespace

TEST_F(WordTimed, EachKindOfFileShowsItsWordsAtTheirTimes)
{
    // Enhanced LRC with a closing tag: the last word's end.
    EXPECT_EQ(shown(lrcSong("Closed", "[00:12.00]<00:12.00>Shine <00:12.80>on <00:13.40>me<00:14.10>\n"
                                      "[00:15.00]<00:15.00>Next\n"),
                    {11000, 12000, 13000, 14500, 15000}),
              (QStringList {"", "Shine on me\twords1=1/3", "Shine on me\twords1=2/3", "Shine on me\twords1=3/3",
                            "Next\twords1=1/1"}));
    EXPECT_EQ(table->words[1], words({{0, 5, 1200}, {6, 2, 1280}, {9, 2, 1340}}, 1410));
    EXPECT_EQ(table->words[2], words({{0, 4, 1500}}));

    // Without it, and lines without word times among them.
    EXPECT_EQ(shown(lrcSong("Open", "[00:01.00]<00:01.00>Rain <00:01.50>falls\n[00:03.00]down\n"), {1400, 2000, 3000}),
              (QStringList {"Rain falls\twords1=1/2", "Rain falls\twords1=2/2", "down"}));
    EXPECT_EQ(table->words[1].endHundredths, -1);

    // Time tags after text, text before the first tag sung at the line's
    // time, a chorus at two times with its words at each, an offset.
    EXPECT_EQ(shown(lrcSong("Inline", "[offset:500]\n[00:05.50] hello [00:06.50] world\n"
                                      "[00:20.50][00:40.50]La la<00:21.00>la\n"),
                    {5500, 6000, 20200, 40200, 40500}),
              (QStringList {"hello world\twords1=1/2", "hello world\twords1=2/2", "La lala\twords1=1/2",
                            "La lala\twords1=1/2", "La lala\twords1=2/2"}));
    EXPECT_EQ(table->words[2], words({{0, 5, 2000}, {5, 2, 2050}}));
    EXPECT_EQ(table->words[3], words({{0, 5, 4000}, {5, 2, 4050}}));

    // Syllables in ID3v2 SYLT frames as mutagen writes them; the frame of
    // lines with the same times is the translation, whichever comes first.
    const QString sylt = cantorel::testing::copyFixture("sylt-words.mp3", dir.filePath("Sylt.mp3"));
    EXPECT_EQ(shown(sylt, {300, 900, 1550}),
              (QStringList {"Shine on me\twords1=2/3", "Strangers in the night\twords1=3/5", "雨の歌\twords1=2/3"}));
    EXPECT_EQ(table->words[2], words({{0, 6, 80}, {6, 3, 85}, {10, 2, 90}, {13, 3, 95}, {17, 5, 100}}));
    EXPECT_EQ(table->translatedLines[2], "Étrangers dans la nuit");
    EXPECT_TRUE(table->words[3].endHundredths < 0);
}

TEST(WordTimes, MarksMakeWordsInOrder)
{
    using Marks = QList<WordMark>;
    // A mark starts a word; one with blanks only after it is the end.
    EXPECT_EQ(wordsOfMarks("a  bc ", Marks {{0, 100}, {3, 200}, {6, 300}}, 0), words({{0, 1, 10}, {3, 2, 20}}, 30));
    // Text before the first mark is sung at the line's time; times that go
    // back are raised to the word before; marks in one place: an empty word.
    EXPECT_EQ(wordsOfMarks("ab cd", Marks {{3, 900}, {3, 950}, {5, 500}}, 1000),
              words({{0, 2, 100}, {3, 2, 100}}, 100));
    EXPECT_EQ(wordsOfMarks("plain", Marks {}, 0), LineWords());
    EXPECT_EQ(sungWords(words({{0, 1, 10}, {2, 1, 20}}), 19.9), 1);

    // Tags the reader takes out never mark a place they do not stand in.
    EXPECT_EQ(parseLrc(QStringLiteral("[00:01]a[0<00:02>0:03]b")).lyric.lines.value(0).words,
              words({{0, 1, 100}, {1, 1, 300}}));

    // A line of a hundred thousand word tags is read into at most as many
    // words as it has characters (how fast: bench/hostile-lyrics).
    QString hostile = QStringLiteral("[00:01]");
    for (int i = 0; i < 100000; ++i)
        hostile += QStringLiteral("<00:%1.%2>x").arg(i / 100 % 60, 2, 10, QChar('0')).arg(i % 100, 2, 10, QChar('0'));
    const LrcLyric lrc = parseLrc(hostile);
    EXPECT_EQ(lrc.lyric.lines.value(0).words.words.size(), kMaxLrcLineChars);
}

TEST_F(WordTimed, KeptThroughExportImportOffsetAndTheLimit)
{
    const QString song = lrcSong("Rain", "[00:12.34]<00:12.34>Shine <00:12.81>on <00:13.47>me<00:14.09>\n"
                                         "[00:12.34]Brille\n[00:15.00]plain\n[00:15.00]simple\n");
    const QString lrc = dir.filePath("out.lrc");
    ASSERT_TRUE(exportLrc(song, lrc).ok);
    EXPECT_EQ(readFile(lrc), "[00:12.34]<00:12.34>Shine <00:12.81>on <00:13.47>me<00:14.09>\r\n[00:12.34]Brille\r\n"
                             "[00:15.00]plain\r\n[00:15.00]simple\r\n");

    // Imported, word times go to the song's LRC file, never the pair, which
    // is set aside so that the lookup takes the LRC file.
    const QString other = dir.filePath("Other.mp3");
    writeFile(lyricPathOf(other), "0,\"old\"\r\n");
    writeFile(translatedLyricPathOf(other), "0,\"vieux\"\r\n");
    const LyricTransfer in = importLrc(lrc, other);
    ASSERT_TRUE(in.ok) << in.error.toStdString();
    EXPECT_EQ(in.written, dir.filePath("Other.lrc"));
    EXPECT_FALSE(QFile::exists(lyricPathOf(other)));
    EXPECT_EQ(readFile(translatedLyricPathOf(other) + ".bak"), "0,\"vieux\"\r\n");
    FoundLyric found;
    EXPECT_EQ(readLyric(other, &found), readLyric(song, &found));
    EXPECT_EQ(found.origin.kind, LyricOrigin::Kind::LrcFile);

    // The live offset moves the words with their line, from the base each
    // time; an end not given stays so.
    loadLyric(song, *table);
    table->words[2] = words({{0, 5, 5}});
    auto moved = std::make_unique<LyricTable>();
    applyOffset(*table, 100, *moved);
    EXPECT_EQ(moved->words[1], words({{0, 5, 1224}, {6, 2, 1271}, {9, 2, 1337}}, 1399));
    EXPECT_EQ(moved->words[2], words({{0, 5, 0}}));

    // Saved into the LRC file as its [offset:], read back the same.
    ASSERT_TRUE(saveOffsetIntoLyric(song, loadLyric(song, *table).origin, 100).ok);
    loadLyric(song, *table);
    EXPECT_EQ(table->words[1], moved->words[1]);

    // The table takes the first 1200 lines, word times and all.
    TimedLyric many;
    for (int k = 0; k < 1300; ++k)
        many.lines.append({double(k * 100), QStringLiteral("w"), {}, words({{0, 1, double(k * 100 + 50)}})});
    EXPECT_TRUE(fillTable(many, *table));
    EXPECT_EQ(table->words[1200], words({{0, 1, 119950}}));
}
