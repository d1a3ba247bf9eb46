// The two real programs together on a private X display: the player opens a
// song with a translated lyric, "Full screen" (F11) starts the screen saver,
// and the screen saver shows the lines the player shows.
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "screensaver/RealProgram.h"
#include "screensaver/SaverTestSupport.h"
#include "support/TestPaths.h"

using namespace cantorel;
using namespace cantorel::screensaver::test;

namespace {

class FullScreen : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        if (!VirtualDisplay::available())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_FALSE(QStandardPaths::findExecutable("xdotool").isEmpty()) << "run scripts/deps";
        QString why;
        ASSERT_TRUE(display.start(&why)) << why.toStdString();
        env = display.environment();
        env.insert("SDL_AUDIODRIVER", "dummy");
        // The player stays off the user's session bus (and starts none).
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + programFile("no-bus"));
        env.insert("CANTOREL_SCREENSAVER_ECHO", programFile("shown.txt"));

        // Both programs side by side in a folder of the test's own, which is
        // then their program directory.
        copyScreenSaverTo(programDir.path());
        player = programFile("Cantorel");
        ASSERT_TRUE(QFile::copy(cantorel::testing::binPath("Cantorel"), player));
        QFile::setPermissions(player, QFileInfo(cantorel::testing::binPath("Cantorel")).permissions());
    }

    void TearDown() override
    {
        if (main.state() != QProcess::NotRunning) {
            main.kill();
            main.waitForFinished(2000);
        }
        QProcess::execute("pkill", {"-f", programFile("Cantorel_Screen_Saver")});
        SaverFolders::TearDown();
    }

    QString song(const QStringList& lines, const QStringList& translations)
    {
        const QString path = programFile("song.ogg");
        EXPECT_TRUE(QFile::copy(cantorel::testing::fixturePath("audio/tones.ogg"), path));
        auto write = [](const QString& file, const QStringList& texts) {
            QByteArray bytes;
            for (int i = 0; i < texts.size(); ++i)
                bytes += lyrics::lyricRecord(i * 40, lyrics::escapeLine(texts[i])).toUtf8();
            QFile f(file);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        write(lyrics::lyricPathOf(path), lines);
        if (!translations.isEmpty())
            write(lyrics::translatedLyricPathOf(path), translations);
        return path;
    }

    QString shown() const
    {
        QFile f(programFile("shown.txt"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Starts the player on `song` and presses F11 in its window.
    bool playThenFullScreen(const QString& song)
    {
        main.setProcessEnvironment(env);
        main.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        main.setStandardOutputFile(QProcess::nullDevice());
        main.start(player, {song});
        return main.waitForStarted(5000) && pressFullScreen("Tessaly Playing:- " + QFileInfo(song).fileName());
    }

    bool pressFullScreen(const QString& title)
    {
        QString id;
        waitUntil(
            [&] {
                id = runTool("xdotool", {"search", "--name", "^" + title + "$"}, env)
                         .split('\n', Qt::SkipEmptyParts)
                         .value(0);
                return !id.isEmpty();
            },
            15000);
        if (id.isEmpty())
            return false;
        runTool("xdotool", {"windowfocus", "--sync", id}, env);
        runTool("xdotool", {"key", "F11"}, env);
        return true;
    }

    VirtualDisplay display;
    QProcessEnvironment env;
    QString player;
    QProcess main;
};

} // namespace

TEST_F(FullScreen, ScreenSaverShowsThePlayersLines)
{
    const QString path = song({"first line", "the last line!"}, {"πρώτη γραμμή", "η τελευταία γραμμή!"});
    ASSERT_TRUE(playThenFullScreen(path));

    // The two-second song ends on its last line, which both programs keep.
    EXPECT_TRUE(waitUntil(
        [&] {
            const QString s = shown();
            return s.contains("Text1: the last line!\n") && s.contains("Text2: η τελευταία γραμμή!\n");
        },
        20000))
        << shown().toStdString();
    EXPECT_FALSE(QFile::exists(handOverFile())); // read and deleted by the player
}

TEST_F(FullScreen, SongWithoutTranslationSendsThePlaceholder)
{
    const QString path = song({"alone"}, {});
    ASSERT_TRUE(playThenFullScreen(path));
    EXPECT_TRUE(waitUntil(
        [&] {
            const QString s = shown();
            return s.contains("Text1: alone\n") && s.contains("Text2: Translated Lyrics\n");
        },
        20000))
        << shown().toStdString();
}
