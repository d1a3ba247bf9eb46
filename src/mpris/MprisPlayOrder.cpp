#include "mpris/MprisPlayOrder.h"

#include <algorithm>
#include <cmath>

namespace cantorel::mpris {

QString loopStatusOf(const PlaylistState& state)
{
    if (!state.repeat)
        return QStringLiteral("None");
    return state.repeatOne ? QStringLiteral("Track") : QStringLiteral("Playlist");
}

std::optional<PlayOrderSetting> withLoopStatus(const PlaylistState& state, const QString& status)
{
    if (status == QLatin1String("None"))
        return PlayOrderSetting {state.random, false, state.repeatOne};
    if (status == QLatin1String("Track"))
        return PlayOrderSetting {false, true, true};
    if (status == QLatin1String("Playlist"))
        return PlayOrderSetting {false, true, false};
    return std::nullopt;
}

PlayOrderSetting withShuffle(const PlaylistState& state, bool shuffle)
{
    return {shuffle, state.repeat, state.repeatOne};
}

std::optional<int> volumeStepOf(double volume)
{
    if (std::isnan(volume))
        return std::nullopt;
    return int(std::lround(std::clamp(volume, 0.0, 1.0) * 10));
}

} // namespace cantorel::mpris
