#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "support/TaggedSongs.h"
#include "support/TestPaths.h"
#include "support/ToolRun.h"

#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

// Runs the tool; `configHome` (when given) is its XDG_CONFIG_HOME.
ToolRun tool(const QStringList& args, const QString& configHome = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!configHome.isEmpty())
        env.insert("XDG_CONFIG_HOME", configHome);
    return runLyricTool(args, env);
}

} // namespace

TEST(LyricTool, ProbePrintsTheExactLengthOfEveryFormat)
{
    // The decoded lengths, as a full decode of each fixture yields them.
    const std::pair<const char*, int> fixtures[] = {
        {"tones.ogg", 2000},        {"tones.wav", 1500}, {"cbr.mp3", 2000},
        {"vbr-noheader.mp3", 2533}, {"tones.mp2", 2011}, {"tones.wma", 1996},
    };
    for (const auto& [name, length] : fixtures) {
        const ToolRun r = tool({"probe", fixturePath(QStringLiteral("audio/") + name)});
        EXPECT_EQ(r.code, 0) << name;
        EXPECT_EQ(r.out, QStringLiteral("length_ms=%1\n").arg(length)) << name;
    }
}

TEST(LyricTool, ProbeFailuresGiveTheEnginesMessage)
{
    ToolRun r = tool({"probe", fixturePath("audio/garbage.mp3")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("FMOD error! (25) Unsupported file or audio format. \n")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    r = tool({"probe", "/no/such/song.mp3"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("FMOD error! (23) File not found. \n"));
}

TEST(LyricTool, ShowListsThePairAndThePanes)
{
    QTemporaryDir dir;
    const QString media = dir.filePath("song.ogg");
    writeFile(media, "x");
    writeFile(lyrics::lyricPathOf(media),
              (lyrics::lyricRecord(1000, lyrics::escapeLine("one, \"two\"")) + lyrics::lyricRecord(2000.5, "tab\there"))
                  .toUtf8());
    writeFile(lyrics::translatedLyricPathOf(media), lyrics::lyricRecord(1000, "ένα\\").toUtf8());

    const ToolRun r = tool({"show", media, "--at", "5000", "--at", "15000", "--at", "25000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.split('\n'), (QStringList {
                                     "lines=2 translation=yes",
                                     "1\t1000\tone, \"two\"\tένα\\\\",
                                     "2\t2000.5\ttab\\there\t",
                                     "at=5000\ttext1=\ttip1=one, \"two\"\ttext2=\ttip2=ένα\\\\",
                                     "at=15000\ttext1=one, \"two\"\ttip1=tab\\there\ttext2=ένα\\\\\ttip2=",
                                     "at=25000\ttext1=tab\\there\ttip1=tab\\there\ttext2=\ttip2=",
                                     "",
                                 }));
}

TEST(LyricTool, ShowWithoutLyricAndWrongArguments)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("plain.mp3"), "x");
    const ToolRun plain = tool({"show", dir.filePath("plain.mp3"), "--at", "100"});
    EXPECT_EQ(plain.code, 0);
    EXPECT_EQ(plain.out, "lines=0 translation=no\n"
                         "at=100\ttext1=Normal Lyrics\ttip1=Displays lyrics\t"
                         "text2=Translated Lyrics\ttip2=Displays Translated Lyrics\n");

    for (const QStringList& args :
         {QStringList {}, QStringList {"probe"}, QStringList {"show"}, QStringList {"show", "x", "--at"},
          QStringList {"show", "x", "--at", "-5"}, QStringList {"show", "x", "--from", "5"}, QStringList {"play", "x"},
          QStringList {"probe", "a", "b"}, QStringList {"export-lrc"}, QStringList {"export-lrc", "a", "b", "c"},
          QStringList {"import-lrc", "x"}, QStringList {"show", "x", "--encoding", "EBCDIC"},
          QStringList {"show", "x", "--encoding"}}) {
        const ToolRun r = tool(args);
        EXPECT_EQ(r.code, 64) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("usage:"));
    }
}

TEST(LyricTool, ShowFindsLrcFilesAndEmbeddedLyrics)
{
    QTemporaryDir dir;
    const QString lrcSong = dir.filePath("Rain.mp3");
    writeFile(lrcSong, "x");
    writeFile(dir.filePath("Rain.lrc"), "[ar:x]\n[00:20.00]two\n[00:10.00]one\n[00:10.00]ένα\n");
    ToolRun r = tool({"show", lrcSong, "--at", "15000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "lyric: Rain.lrc\n");
    EXPECT_EQ(r.out, "lines=2 translation=yes\n1\t1000\tone\tένα\n2\t2000\ttwo\t\n"
                     "at=15000\ttext1=one\ttip1=two\ttext2=ένα\ttip2=\n");

    const QString ogg = copyFixture("tones.ogg", dir.filePath("Sun.ogg"));
    addVorbisComment(ogg, "LYRICS", "[00:01.00]sun");
    r = tool({"show", ogg, "--at", "1500"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "lines=1 translation=no\n1\t100\tsun\t\n"
                     "at=1500\ttext1=sun\ttip1=sun\ttext2=Translated Lyrics\ttip2=Displays Translated Lyrics\n");
}

TEST(LyricTool, ShowCountsTheWordsSungAndImportKeepsThem)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3"), other = dir.filePath("Other.mp3");
    writeFile(song, "x");
    writeFile(dir.filePath("Rain.lrc"), "[00:01.00]<00:01.00>Shine <00:01.50>on<00:02.25>\n[00:03.00]plain\n");
    ToolRun r = tool({"show", song, "--at", "1600", "--at", "3500"});
    EXPECT_EQ(r.out, "lines=2 translation=no\n1\t100\tShine on\t\n2\t300\tplain\t\n"
                     "at=1600\ttext1=Shine on\ttip1=plain\ttext2=Translated Lyrics\ttip2=Displays Translated "
                     "Lyrics\twords1=2/2\n"
                     "at=3500\ttext1=plain\ttip1=plain\ttext2=Translated Lyrics\ttip2=Displays Translated Lyrics\n");
    r = tool({"import-lrc", dir.filePath("Rain.lrc"), other});
    EXPECT_EQ(r.out, "written=" + dir.filePath("Other.lrc") + "\nlines=2 translation=no\n");
    EXPECT_EQ(readFile(dir.filePath("Other.lrc")),
              "[00:01.00]<00:01.00>Shine <00:01.50>on<00:02.25>\r\n[00:03.00]plain\r\n");
}

TEST(LyricTool, ExportAndImportLrc)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3"), other = dir.filePath("Other.mp3");
    writeFile(lyrics::lyricPathOf(song), "0,\"one\"\r\n150.5,\"two\"\r\n");
    writeFile(dir.filePath("Rain.lrc"), "mine");
    ToolRun r = tool({"export-lrc", song});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "written=" + dir.filePath("Rain.lrc")
                         + "\nlines=2 translation=no\nbackup=" + dir.filePath("Rain.lrc.bak") + "\n");
    EXPECT_EQ(tool({"import-lrc", dir.filePath("Rain.lrc"), other}).code, 0);
    EXPECT_EQ(readFile(lyrics::lyricPathOf(other)), "0,\"one\"\r\n151,\"two\"\r\n");

    // Nothing to export, nothing to import: exit 1 with a reason, nothing written.
    r = tool({"export-lrc", dir.filePath("Silent.mp3"), dir.filePath("out.lrc")});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("out.lrc")));
    EXPECT_EQ(tool({"import-lrc", dir.filePath("Rain.lrc.bak"), other}).code, 1);
}

TEST(LyricTool, AReadOnlyFileIsReplacedOnlyWithForce)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3"), lrc = dir.filePath("Rain.lrc");
    writeFile(lyrics::lyricPathOf(song), "0,\"one\"\r\n");
    writeFile(lrc, "mine");
    ASSERT_TRUE(QFile::setPermissions(lrc, QFile::ReadOwner | QFile::ReadGroup));

    ToolRun r = tool({"export-lrc", song});
    EXPECT_EQ(r.code, 77);
    EXPECT_EQ(r.err, lrc + ": it is read-only.\n--force replaces it anyway\n");
    EXPECT_EQ(readFile(lrc), "mine");
    EXPECT_EQ(tool({"import-lrc", "--force", dir.filePath("none.lrc"), song}).code, 1); // only read-only is forced

    r = tool({"export-lrc", "--force", song});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(lrc), "[00:00.00]one\r\n");
    EXPECT_EQ(QFile::permissions(lrc) & 0x7077, QFile::ReadOwner | QFile::ReadGroup); // still read-only
    EXPECT_EQ(readFile(lrc + ".bak"), "mine");
}

TEST(LyricTool, ShowOfASongThatIsNotThereIsAnError)
{
    QTemporaryDir dir;
    for (const QString& media : {dir.filePath("gone.mp3"), dir.path()}) {
        const ToolRun r = tool({"show", media});
        EXPECT_EQ(r.code, 3) << media.toStdString();
        EXPECT_TRUE(r.err.startsWith(media + ": ")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(LyricTool, ShowReadsTheLyricInTheEncodingChosenOrGiven)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3"), lrc = dir.filePath("Rain.lrc");
    writeFile(song, "x");
    writeFile(lrc, "[00:01.00]\xCD\xEE\xF7\xFC\r\n"); // "Ночь" in Windows-1251
    const QString config = dir.filePath("config");
    EXPECT_EQ(tool({"show", song}, config).out, QString::fromUtf8("lines=1 translation=no\n1\t100\tНочь\t\n"));

    // Chosen in the player: honoured here too; given: wins.
    QDir().mkpath(config + "/cantorel");
    writeFile(config + "/cantorel/lyric-encodings.txt", "KOI8-R\t" + lrc.toUtf8() + "\n");
    EXPECT_EQ(tool({"show", song}, config).out, QString::fromUtf8("lines=1 translation=no\n1\t100\tмНВЭ\t\n"));
    EXPECT_EQ(tool({"show", song, "--encoding", "cp1251"}, config).out,
              QString::fromUtf8("lines=1 translation=no\n1\t100\tНочь\t\n"));
}
