#pragma once
// A lyric fetched for the player's song, put in its panes at once.
// User-interface thread only.
#include "online/FoundLyricFiles.h"

namespace cantorel {

class PlayerController;

// After `written` was written for `mediaPath`: when that is the player's
// song and it now has a timed lyric, the player shows it (read back from
// its file, so an offset saved later goes there), where the song is.
// `fetched` is shown instead, from memory, when its file could not be
// written. True when the panes show it.
bool showFoundLyric(PlayerController& player, const QString& mediaPath, const online::WrittenLyric& written,
                    const online::LookupResult& fetched);

// When `mediaPath` is the player's song, the player shows the timed lyric
// its files hold now. True when the panes show one.
bool showLyricOnDisk(PlayerController& player, const QString& mediaPath);

} // namespace cantorel
