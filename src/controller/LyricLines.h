#pragma once
// What the player's two lyric panes show, as the controller decides it: the
// texts and tooltips (the coming line), the emphasis, and whether the
// translated pane is there at all. Windows, the tray tip, the screen saver
// and the bus all draw from this one value.
#include "lyrics/LineLookup.h"

namespace cantorel {

struct LyricLines {
    lyrics::PaneTexts panes;
    // Bold while a shown line holds "!" (without a translation only the
    // lyric pane counts, and the translated pane keeps its face).
    bool bold1 = false;
    bool bold2 = false;
    // The table slot whose line the lyric pane shows (0: the empty slot
    // before the first line); -1 while it shows something else (a
    // placeholder before the first lookup, or no lyric).
    int line = -1;
    // The translated pane is shown. A lyric without translation hides it;
    // the screen saver then takes "Translated Lyrics" for its line.
    bool twoPanes = true;

    bool operator==(const LyricLines&) const = default;

    // A window's panes before any song: "Normal Lyrics" and "Translated
    // Lyrics" (each with a line break) and their designed tooltips.
    static LyricLines designed();
};

} // namespace cantorel
