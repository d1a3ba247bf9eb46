// The player window while another player on a private session bus is
// followed: picked from the right-click menu by its identity, the title, the
// panes, the tray tip and the floating window follow it, and "None" ends it.
#include "floating/Lyric_Displayer.h"
#include "follow/Following.h"
#include "follow/PlayerFollowing.h"
#include "player/FollowMenu.h"
#include "player/PlayerFixture.h"
#include "player/PlayerOnline.h"
#include "player/PlayerTray.h"
#include "support/FakeLrclibServer.h"
#include "support/FakeMprisPlayer.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironment.h"

#include <QListWidget>
#include <QUrl>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class PlayerFollowing : public OnPrivateBus<PlayerFixture> {
protected:
    void SetUp() override
    {
        if (!s_bus)
            GTEST_SKIP() << "dbus-daemon is missing (scripts/deps test installs it)";
        ASSERT_TRUE(server.listen());
        serverSetting = std::make_unique<ScopedEnvironment>("CANTOREL_LYRICS_SERVER", server.url().toUtf8());
        PlayerFixture::SetUp();
        following = std::make_unique<follow::Following>(s_bus->connect());
        following->start();
        wiring = std::make_unique<follow::PlayerFollowing>(*controller, *following);
        form =
            std::make_unique<Form1>(*controller, PlayerServices {engine, prompts, failures, nullptr, following.get()});
        form->online().lookUpFollowedTracks(*wiring, *following);
        form->load(QString());
    }
    void TearDown() override
    {
        form.reset();
        wiring.reset();
        following.reset();
        PlayerFixture::TearDown();
    }
    QAction* entry(const QString& text)
    {
        auto* menu = form->findChild<FollowMenu*>("mn_follow");
        menu->refresh();
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    FakeLrclibServer server;
    std::unique_ptr<ScopedEnvironment> serverSetting;
    ScopedEnvironment config {"XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8()};
    ScopedEnvironment cache {"XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toUtf8()};
    std::unique_ptr<follow::Following> following;
    std::unique_ptr<follow::PlayerFollowing> wiring;
};

} // namespace

TEST_F(PlayerFollowing, ThePlayerPickedInTheMenuIsFollowedByEveryView)
{
    const QString song = dir.filePath("Rain & Snow.ogg");
    writeFile(song, "audio");
    writeFile(dir.filePath("Rain & Snow.lrc"), "[00:01.00]one\n[00:03.00]two\n[00:05.00]three\n");
    FakeMprisPlayer mpv(s_bus->connect(), "org.mpris.MediaPlayer2.mpv", "mpv");
    mpv.setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(song).toString(), 9000000, {"The Clouds"}));
    mpv.setPositionUs(3200000);
    mpv.setStatus("Paused");

    ASSERT_TRUE(waitUntil([&] { return entry("mpv") != nullptr; }));
    EXPECT_TRUE(entry("None")->isChecked());
    const QString ownPosition = child<QLineEdit>("cText1")->text();
    entry("mpv")->trigger();
    EXPECT_TRUE(waitUntil([&] { return text1()->lyric() == "two"; }));
    EXPECT_EQ(form->windowTitle(), "Tessaly Following:- Rain - The Clouds");
    EXPECT_TRUE(entry("mpv")->isChecked());
    EXPECT_EQ(form->tray().tip(), "two");
    // The read-outs and the seek slider tell where the followed track is.
    auto* position = child<QLineEdit>("cText1");
    EXPECT_EQ(position->text(), "0:3");
    EXPECT_EQ(child<QLineEdit>("cText2")->text(), "0:9");
    EXPECT_EQ(child<QSlider>("Slider2")->maximum(), 9000);
    EXPECT_GT(child<QSlider>("Slider2")->value(), 3000);
    child<QPushButton>("Command11")->click(); // "Display All Lyrics"
    auto* list1 = form->floatingWindow().findChild<QListWidget*>("List1");
    ASSERT_EQ(list1->count(), 3);
    form->floatingWindow().followStep();
    EXPECT_EQ(list1->currentRow(), 1);

    mpv.seek(5200000);
    EXPECT_TRUE(waitUntil([&] { return text1()->lyric() == "three"; }));
    EXPECT_EQ(position->text(), "0:5");

    entry("None")->trigger();
    EXPECT_EQ(form->windowTitle(), "Tessaly");
    EXPECT_EQ(text1()->lyric(), "Normal Lyrics");
    EXPECT_EQ(position->text(), ownPosition);
}

TEST_F(PlayerFollowing, ATrackWithoutALyricHereIsLookedUpOnlineOnlyWhenTheUserSaidSo)
{
    server.add(lrclibRecord("Rain", "The Clouds", "", 9, "[00:01.00]one online\n[00:03.00]two online"));
    FakeMprisPlayer browser(s_bus->connect(), "org.mpris.MediaPlayer2.browser", "Browser");
    browser.setMetadata(FakeMprisPlayer::track("Rain", "https://example.org/rain", 9000000, {"The Clouds"}));
    browser.setPositionUs(3200000);
    browser.setStatus("Paused");
    ASSERT_TRUE(waitUntil([&] { return entry("Browser") != nullptr; }));

    entry("Browser")->trigger(); // lookups are off: nothing leaves the machine
    ASSERT_TRUE(waitUntil([&] { return form->windowTitle().startsWith("Tessaly Following:- Rain"); }));
    EXPECT_EQ(server.requests().size(), 0);

    entry("None")->trigger();
    form->findChild<QAction*>("mn_lookUpMissing")->trigger();
    entry("Browser")->trigger();
    EXPECT_TRUE(waitUntil([&] { return text1()->lyric() == "two online"; }));
    ASSERT_GE(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().query.value("track_name"), "Rain");
}
