#include "lyrics/LineLookup.h"

namespace cantorel::lyrics {

PaneTexts openedPanes()
{
    return {QStringLiteral("Normal Lyrics"), QStringLiteral("Displays lyrics"),
            QStringLiteral("Translated Lyrics"), QStringLiteral("Displays Translated Lyrics")};
}

void lookUpLine(const LyricTable& table, double positionMs, PaneTexts& panes)
{
    const int n = qMin(table.loadedLines(), LyricTable::kLastSlot);
    const double p = positionMs / 10.0;
    const bool translated = !table.noTranslation;
    for (int i = 1; i <= n; ++i) {
        if (p == table.times[i]) {
            panes.text1 = table.lines[i];
            if (translated)
                panes.text2 = table.translatedLines[i];
        }
        if (table.times[i - 1] < p && p < table.times[i]) {
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
        panes.text1 = table.lines[n];
        panes.tip1 = table.lines[n];
        if (translated) {
            panes.text2 = table.translatedLines[n];
            panes.tip2 = table.translatedLines[n];
        }
    }
}

} // namespace cantorel::lyrics
