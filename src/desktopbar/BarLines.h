#pragma once
// What the desktop lyric bar shows, worked out from the player's lines and
// lyric table. A plain function, no widgets.
//
// With a lyric: the line the lyric pane shows, and below it its translation
// or, for a lyric without one, the line that comes next. Without a lyric
// (or before the player shows a line of it): the song's title alone.
#include "controller/LyricLines.h"

#include <QString>

namespace cantorel::lyrics {
struct LyricTable;
}

namespace cantorel::desktopbar {

struct BarLines {
    QString first;
    QString second;
    // The table slot `first` comes from (its word times), -1 for the title.
    int slot = -1;
    bool operator==(const BarLines&) const = default;
};

// `hasLyric`: the open song has a lyric in `table`. Carriage returns and
// line breaks at the end of a line are not shown, as in the panes.
BarLines barLines(const LyricLines& lines, const lyrics::LyricTable& table, bool hasLyric, const QString& title);

} // namespace cantorel::desktopbar
