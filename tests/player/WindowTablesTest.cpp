// Every window built from tables finds each control and box its tables name,
// and places every control it makes.
#include "editor/Lyric_Master.h"
#include "maker/Form2.h"
#include "platform/FontColorDialog.h"
#include "player/Form1.h"
#include "playlistwindow/Playlist.h"
#include "support/CapturedMessages.h"
#include "support/WindowFixture.h"

#include <gtest/gtest.h>

namespace cantorel::testing {

class WindowTables : public WindowFixture<QWidget> {};

TEST_F(WindowTables, EveryWindowFindsAllItsTablesName)
{
    CapturedMessages messages;
    {
        Form1 player(PlayerServices {engine, prompts, failures});
        Form2 maker(MakerServices {engine, prompts, failures});
        Playlist playlist(prompts);
        Lyric_Master editor(prompts);
        FontColorDialog font(Prompts::FontChoice {});
    }
    EXPECT_FALSE(messages.contains(QStringLiteral("Form table:"))) << messages.lines.join(u'\n').toStdString();
}

} // namespace cantorel::testing
