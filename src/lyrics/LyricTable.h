#pragma once
// The loaded lyric of the current song, as the player and the floating
// window walk it. Fixed capacity: slots 0..1200; a load fills slots 1..N
// (slot 0 stays time 0 with empty texts), so at most 1200 lines are held.
//
// Times are hundredths of a second from the start of the song. A load
// overwrites slots 1..N only: slots above N keep what an earlier load left,
// which is why nothing reads beyond lineCount - 1.
#include <QList>
#include <QString>
#include <array>

namespace cantorel::lyrics {

// One word of a line sung word by word (karaoke): the characters
// [start, start + length) of the line's text (a blank after it not
// counted), sung from timeHundredths on.
struct WordTime {
    int start = 0;
    int length = 0;
    double timeHundredths = 0;
    bool operator==(const WordTime&) const = default;
};

// A line's word times, in order; none for a line without them. The last
// word ends at endHundredths, or, when no end was given (-1), at the next
// line's time.
struct LineWords {
    QList<WordTime> words;
    double endHundredths = -1;
    bool isEmpty() const { return words.isEmpty(); }
    bool operator==(const LineWords&) const = default;
};

struct LyricTable {
    static constexpr int kLastSlot = 1200;
    static constexpr int kSlots = kLastSlot + 1;

    std::array<double, kSlots> times {};
    std::array<QString, kSlots> lines;
    // The word times of lines[slot], for lines that have them. A load sets
    // them for every slot it fills.
    std::array<LineWords, kSlots> words;
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
