// A start of the player with several songs, and a song handed over later.
#include "PlayerFixture.h"

#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"
#include "support/Wait.h"

using namespace cantorel;
using namespace cantorel::testing;

using PlayerLaunch = PlayerFixture;

TEST_F(PlayerLaunch, TheFirstSongPlaysAndTheOthersJoinThePlaylist)
{
    const QStringList songs {song("Say \"Hi\".mp3"), song("b.mp3 "), song("c.mp3")};
    form->load("\"" + songs[0] + "\"");
    controller->queue(songs.mid(1));
    EXPECT_EQ(controller->mediaPath(), songs[0]);
    ASSERT_TRUE(form->hasPlaylist());
    EXPECT_TRUE(waitUntil([&] { return form->playlist().entryCount() == 2; }));
    EXPECT_EQ(form->playlist().model().paths(), songs.mid(1));

    // A hand-over of a name with a trailing blank opens that very file.
    form->text3Change(songs[1]);
    EXPECT_EQ(controller->mediaPath(), songs[1]);
    EXPECT_TRUE(controller->playing());
}
