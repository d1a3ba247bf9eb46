// cantorel-lyrics fetch, search and publish against a local stand-in server.
#include "support/FakeLrclibServer.h"
#include "support/TaggedSongs.h"
#include "support/TestPaths.h"
#include "support/ToolRun.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class OnlineTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.listen());
        QDir(dir.path()).mkpath(QStringLiteral("Music/more"));
    }

    // Runs the tool with its own folders and `server` unless `variable`
    // names another; the event loop runs meanwhile, so the server answers.
    ToolRun tool(const QStringList& args, const QString& cache = QStringLiteral("cache"),
                 const QString& variable = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CACHE_HOME", dir.filePath(cache));
        env.insert("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")));
        env.insert("CANTOREL_LYRICS_SERVER", variable.isEmpty() ? server.url() : variable);
        return runLyricTool(args, env);
    }
    QString song(const QString& name, const char* title)
    {
        const QString path = copyFixture("tones.ogg", dir.filePath(QStringLiteral("Music/") + name));
        addVorbisComment(path, "TITLE", title);
        addVorbisComment(path, "ARTIST", "Nina");
        return path;
    }

    QTemporaryDir dir;
    FakeLrclibServer server;
};

TEST_F(OnlineTool, FetchSaysWhatBecameOfEachSongAndItsStatusSumsThemUp)
{
    const QString rain = song(QStringLiteral("Rain.ogg"), "Rain");
    const QString wind = song(QStringLiteral("more/Wind.ogg"), "Wind");
    const QString ghost = song(QStringLiteral("Ghost.ogg"), "Ghost");
    server.add(lrclibRecord("Rain", "Nina", "", 2, QStringLiteral("[00:00.50]Rain")));
    server.add(lrclibRecord("Wind", "Nina", "", 2, QString(), QStringLiteral("Wind")));

    ToolRun r = tool({"fetch", dir.filePath(QStringLiteral("Music"))});
    EXPECT_EQ(r.code, 4) << r.err.toStdString(); // the ghost was not found
    EXPECT_TRUE(r.out.contains(QStringLiteral("found synced: %1 -> %2").arg(rain, dir.filePath("Music/Rain.lrc"))))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("found plain: %1 -> %2").arg(wind, dir.filePath("Music/more/Wind.txt"))));
    EXPECT_TRUE(r.out.contains(QStringLiteral("not found: ") + ghost));
    EXPECT_TRUE(r.err.contains("3 songs: 1 found synced, 1 found plain, 0 instrumental, 1 not found"));

    // The song with a lyric is left alone; the other finds no server where
    // CANTOREL_LYRICS_SERVER points.
    r = tool({"fetch", rain, ghost}, QStringLiteral("other-cache"), QStringLiteral("http://127.0.0.1:9"));
    EXPECT_EQ(r.code, 5);
    EXPECT_TRUE(r.out.contains(QStringLiteral("has a lyric: %1 (Rain.lrc)").arg(rain))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("failed: ") + ghost));
    r = tool({"fetch", "--server", server.url(), "--jobs", "2", rain, dir.filePath(QStringLiteral("Gone.ogg"))});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("there is no such file"));

    EXPECT_EQ(tool({"fetch", "--server", "lrclib.net", rain}).code, 64);
    EXPECT_EQ(tool({"fetch", "--jobs", "0", rain}).code, 64);
}

TEST_F(OnlineTool, SearchListsRecordsAndPublishSendsOnlyWhenTold)
{
    server.add(lrclibRecord("Rain", "Nina", "Skies", 185, QStringLiteral("[00:00.50]Rain")));
    server.add(lrclibRecord("Rain\nDrops", "Nina", "", 60, QString(), QStringLiteral("Drops")));
    ToolRun r = tool({"search", "rain"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "1\t3:05\tsynced\tNina - Rain (Skies)\n2\t1:00\tplain\tNina - RainDrops ()\n");
    EXPECT_EQ(tool({"search", "nothing like it"}).code, 4);

    const QString rain = song(QStringLiteral("Rain.ogg"), "Rain");
    EXPECT_EQ(tool({"publish", "--yes", rain}).code, 1); // no lyric to share
    QFile lrc(dir.filePath(QStringLiteral("Music/Rain.lrc")));
    ASSERT_TRUE(lrc.open(QIODevice::WriteOnly));
    lrc.write("[00:00.50]Rain\r\n[00:01.20]Falls\r\n");
    lrc.close();

    r = tool({"publish", rain});
    EXPECT_EQ(r.code, 6);
    EXPECT_TRUE(r.err.contains("[00:01.20]Falls")) << r.err.toStdString(); // shown before the question
    EXPECT_TRUE(server.published().isEmpty());
    r = tool({"publish", "--yes", rain});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_EQ(server.published().size(), 1);
    EXPECT_EQ(server.published().first().value("duration").toInt(), 2);
    EXPECT_EQ(server.published().first().value("plainLyrics").toString(), "Rain\nFalls");
}

} // namespace
