// Every window built from tables finds each control and box its tables name,
// and places every control it makes.
#include "controller/PlayerController.h"
#include "editor/Lyric_Master.h"
#include "floating/Lyric_Displayer.h"
#include "maker/Form2.h"
#include "options/Form1b.h"
#include "options/frmAbout.h"
#include "platform/FontColorDialog.h"
#include "platform/HelpWindow.h"
#include "player/Form1.h"
#include "playlistwindow/Playlist.h"
#include "screensaver/CursorCounter.h"
#include "screensaver/ScreenSaver.h"
#include "screensaver/Setting.h"
#include "support/CapturedMessages.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>

namespace cantorel::testing {

class WindowTables : public WindowFixture<QWidget> {};

TEST_F(WindowTables, EveryWindowFindsAllItsTablesName)
{
    CapturedMessages messages;
    {
        PlayerController controller(engine);
        Form1 player(controller, PlayerServices {engine, prompts, failures});
        Form2 maker(MakerServices {engine, prompts, failures});
        Playlist playlist(prompts, controller.playlist(), controller.playOrder());
        Lyric_Master editor(prompts);
        FontColorDialog font(Prompts::FontChoice {});
        Form1b options(prompts, nullptr, nullptr);
        frmAbout about;
        about.setAttribute(Qt::WA_DeleteOnClose, false);
        HelpWindow help(QString {});
        Lyric_Displayer lyrics([] { return 0; });
        screensaver::CursorCounter cursor;
        screensaver::ScreenSaver screen(prompts, cursor, [] {});
        screensaver::Setting screenOptions(screen, prompts);
    }
    EXPECT_FALSE(messages.contains(QStringLiteral("Form table:"))) << messages.lines.join(u'\n').toStdString();
}

} // namespace cantorel::testing
