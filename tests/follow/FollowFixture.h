#pragma once
// Following players on a private session bus: fake players the test drives
// (support/FakeMprisPlayer.h), and the followers' monotonic clock in the
// test's hand, so that nothing depends on how fast the machine is.
#include "follow/FollowedPlayer.h"
#include "follow/Following.h"
#include "support/FakeMprisPlayer.h"
#include "support/PrivateBus.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <memory>

namespace cantorel::testing {

class FollowFixture : public OnPrivateBus<::testing::Test> {
protected:
    void SetUp() override
    {
        if (!s_bus)
            GTEST_SKIP() << "dbus-daemon is missing (scripts/deps test installs it)";
        following = std::make_unique<follow::Following>(s_bus->connect(), [this] { return nowMs; });
        following->start();
    }

    // A player named org.mpris.MediaPlayer2.<name> on a connection of its own.
    std::unique_ptr<FakeMprisPlayer> startPlayer(const QString& name, const QString& identity)
    {
        auto player = std::make_unique<FakeMprisPlayer>(s_bus->connect(), "org.mpris.MediaPlayer2." + name, identity);
        EXPECT_TRUE(player->registered()) << name.toStdString();
        return player;
    }
    // Waits until the player followed is `player` (null: none) and has
    // answered.
    bool waitFollowing(const FakeMprisPlayer* player)
    {
        return waitUntil([&] {
            const follow::FollowedPlayer* followed = following->followed();
            if (!player)
                return !followed;
            return followed && followed->busName() == player->busName() && followed->known();
        });
    }
    qint64 positionMs() { return following->clock().positionMs(); }
    // Waits until the player followed has answered every question asked, so
    // that the test's clock can move on.
    bool settled()
    {
        return waitUntil([&] { return following->followed() && following->followed()->awaitedAnswers() == 0; });
    }

    qint64 nowMs = 1000000;
    std::unique_ptr<follow::Following> following;
};

} // namespace cantorel::testing
