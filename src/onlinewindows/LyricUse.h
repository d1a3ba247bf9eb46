#pragma once
// Taking a record the user chose in a window: it is written beside the
// song (online/FoundLyricFiles.h), and whatever the user already has is
// replaced only when they say so: a lyric the song has ("Rain.lrc"), a
// read-only file. Then the player's song shows it at once, and the window
// says what happened.
//
// User-interface thread only (it asks through Prompts).
#include "online/FoundLyricFiles.h"

class QWidget;

namespace cantorel {

class PlayerController;
class Prompts;

struct LyricUse {
    online::WrittenLyric written;
    bool shown = false; // the player's panes show it now
    QString said;       // for the window's status line
};

LyricUse useRecord(Prompts& prompts, QWidget* owner, PlayerController& player, const QString& mediaPath,
                   const online::LrclibRecord& record);

// Writes the plain lyric of `record` as `mediaPath`'s text for the Lyric
// Maker (/m/Rain.txt; one there is replaced only when the user says so, and
// kept as a backup). The file written, or "" (with *why set, unless the
// user said no).
QString writeMakerSource(Prompts& prompts, QWidget* owner, const QString& mediaPath, const online::LrclibRecord& record,
                         QString* why);

} // namespace cantorel
