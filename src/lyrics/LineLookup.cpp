#include "lyrics/LineLookup.h"

#include <algorithm>
#include <cmath>

namespace cantorel::lyrics {

PaneTexts openedPanes()
{
    return {QStringLiteral("Normal Lyrics"), QStringLiteral("Displays lyrics"), QStringLiteral("Translated Lyrics"),
            QStringLiteral("Displays Translated Lyrics")};
}

void lookUpLine(const LyricTable& table, double positionMs, PaneTexts& panes, int* line)
{
    const int n = qMin(table.loadedLines(), LyricTable::kLastSlot);
    const double p = positionMs / 10.0;
    const bool translated = !table.noTranslation;
    int shown = line ? *line : -1;
    for (int i = 1; i <= n; ++i) {
        if (p == table.times[i]) {
            shown = i;
            panes.text1 = table.lines[i];
            if (translated)
                panes.text2 = table.translatedLines[i];
        }
        if (table.times[i - 1] < p && p < table.times[i]) {
            shown = i - 1;
            panes.text1 = table.lines[i - 1];
            panes.tip1 = table.lines[i];
            if (translated) {
                panes.text2 = table.translatedLines[i - 1];
                panes.tip2 = table.translatedLines[i];
            }
        }
    }
    // Past the last line's time the last line wins over any match above, as
    // it would if this test ran inside the loop after each line.
    if (n >= 1 && p > table.times[n]) {
        shown = n;
        panes.text1 = table.lines[n];
        panes.tip1 = table.lines[n];
        if (translated) {
            panes.text2 = table.translatedLines[n];
            panes.tip2 = table.translatedLines[n];
        }
    }
    if (line)
        *line = shown;
}

qint64 nextLookupChangeMs(const LyricTable& table, qint64 positionMs)
{
    const int n = qMin(table.loadedLines(), LyricTable::kLastSlot);
    qint64 next = -1;
    auto consider = [&next](qint64 at) {
        if (next < 0 || at < next)
            next = at;
    };
    // With the lookup's own comparisons (hundredths as doubles), so that a
    // time such as 100.1 is reached at the millisecond the lookup sees it.
    const double p = positionMs / 10.0;
    for (int i = 0; i <= n; ++i) {
        const double t = table.times[i];
        if (!std::isfinite(t) || t > 1e12)
            continue;
        if (p == t) {
            consider(positionMs + 1);
        } else if (p < t) {
            qint64 m = std::max(positionMs + 1, qint64(std::floor(t * 10.0)) - 1);
            while (m / 10.0 < t)
                ++m;
            consider(m);
        }
    }
    return next;
}

} // namespace cantorel::lyrics
