#pragma once
// The loaded lyric of the current song, as the player and the floating
// window walk it. Fixed capacity: slots 0..1200; a load fills slots 1..N
// (slot 0 stays time 0 with empty texts), so at most 1200 lines are held.
//
// Times are hundredths of a second from the start of the song. A load
// overwrites slots 1..N only: slots above N keep what an earlier load left,
// which is why nothing reads beyond lineCount - 1.
#include <QString>
#include <array>

namespace cantorel::lyrics {

struct LyricTable {
    static constexpr int kLastSlot = 1200;
    static constexpr int kSlots = kLastSlot + 1;

    std::array<double, kSlots> times {};
    std::array<QString, kSlots> lines;
    std::array<double, kSlots> translatedTimes {}; // kept, never consulted
    std::array<QString, kSlots> translatedLines;
    // Copies for the floating window's lists; emptied before every load.
    std::array<QString, kSlots> listLines;
    std::array<QString, kSlots> listTranslatedLines;
    std::array<QString, kSlots> listTimes; // times as text, "." as decimal point

    // N + 1 after N lines were loaded into slots 1..N.
    int lineCount = 0;
    // True when only the lyric file was loaded.
    bool noTranslation = false;

    int loadedLines() const { return lineCount > 0 ? lineCount - 1 : 0; }
};

} // namespace cantorel::lyrics
