#pragma once
// The playlist's play order and the player's volume as MPRIS has them.
//
//   LoopStatus "None"      Repeat not ticked
//              "Track"     Repeat ticked, "Repeat one " chosen
//              "Playlist"  Repeat ticked, "Repeat all" chosen
//   Shuffle                Random ticked
//   Volume                 the volume slider's 1..10 as 0.1..1.0; 0.0 while
//                          Mute is ticked
//
// Random and Repeat exclude each other in the window, so Shuffle true makes
// LoopStatus "None", and a LoopStatus other than "None" makes Shuffle false.
#include "playlist/PlayOrder.h"

#include <QString>

#include <optional>

namespace cantorel::mpris {

// The settings PlayOrderSettings::set() takes.
struct PlayOrderSetting {
    bool random = false;
    bool repeat = false;
    bool repeatOne = false;
};

QString loopStatusOf(const PlaylistState& state);

// The settings that give `status` from `state` (the random choice kept when
// the status is "None"); nullopt for a status MPRIS does not know.
std::optional<PlayOrderSetting> withLoopStatus(const PlaylistState& state, const QString& status);

// The settings with Random ticked or not, the repeat choices kept.
PlayOrderSetting withShuffle(const PlaylistState& state, bool shuffle);

// A volume asked for on the bus (any double) as the window takes it: the
// slider's step 1..10, or 0 for Mute (a volume that rounds to no step). NaN
// gives nullopt.
std::optional<int> volumeStepOf(double volume);

} // namespace cantorel::mpris
