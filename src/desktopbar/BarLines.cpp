#include "desktopbar/BarLines.h"

#include "lyrics/LyricTable.h"

namespace cantorel::desktopbar {

namespace {

QString shown(QString line)
{
    line.remove(u'\r');
    while (line.endsWith(u'\n'))
        line.chop(1);
    return line;
}

} // namespace

BarLines barLines(const LyricLines& lines, const lyrics::LyricTable& table, bool hasLyric, const QString& title)
{
    const int slot = lines.line;
    if (!hasLyric || slot < 0 || slot >= table.lineCount || slot > lyrics::LyricTable::kLastSlot)
        return {shown(title), QString(), -1};
    BarLines bar;
    bar.first = shown(lines.panes.text1);
    bar.slot = slot;
    if (!table.noTranslation)
        bar.second = shown(lines.panes.text2);
    else if (slot + 1 < table.lineCount)
        bar.second = shown(table.lines[size_t(slot) + 1]);
    return bar;
}

} // namespace cantorel::desktopbar
