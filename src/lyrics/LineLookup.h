#pragma once
// Which line the two lyric panes show at a play position.
#include "lyrics/LyricTable.h"

#include <QString>

namespace cantorel::lyrics {

// What the two panes show: their texts and tooltips.
struct PaneTexts {
    QString text1, tip1; // the lyric pane
    QString text2, tip2; // the translated pane
    bool operator==(const PaneTexts&) const = default;
};

// What the panes show once a song has been opened, until the first lookup
// puts a line in place: "Normal Lyrics" / "Translated Lyrics" with their
// designed tooltips.
PaneTexts openedPanes();

// One lookup at `positionMs`, applied to what the panes show now. With the
// times T1 < ... < TN of the loaded lines and p the position in hundredths:
// before T1 the panes show slot 0's empty text with line 1 as tooltip; from
// Tk to T(k+1) line k with line k+1 (the coming line) as tooltip; past TN
// line N as text and tooltip. At exactly Tk the text changes and the
// tooltip stays. With unordered times the last matching line wins. The
// translated pane is left alone when the table has no translation. A table
// with no lines changes nothing. When `line` is given, it becomes the slot
// whose line the lyric pane now shows (it stays as it was when the lookup
// leaves that pane alone).
void lookUpLine(const LyricTable& table, double positionMs, PaneTexts& panes, int* line = nullptr);

// The first whole millisecond after `positionMs` at which lookUpLine may
// answer differently than at `positionMs`, or -1 when it never will (a
// playing song's position only grows). The answer changes at each line's
// time (the text) and right after it (the tooltip): this is the next line
// time past the position, or the next millisecond when the position sits
// exactly on a line's time.
qint64 nextLookupChangeMs(const LyricTable& table, qint64 positionMs);

} // namespace cantorel::lyrics
