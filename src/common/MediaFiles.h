#pragma once
// The song formats the programs offer in their open dialogs and accept by
// drop onto the player.
#include "common/Prompts.h"

namespace cantorel {

// MP3, MP2, Ogg, Wave, WMA, in that order, MP3 first.
QList<Prompts::FileFilter> mediaFileFilters();

// A file dropped onto the player is opened when the last four characters of
// its path, in lower case, are ".mp3", ".mp2", ".ogg", ".wav" or ".wma".
bool isPlayerSongPath(const QString& path);

} // namespace cantorel
