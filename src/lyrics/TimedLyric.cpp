#include "lyrics/TimedLyric.h"

#include "base/RecordForm.h"

namespace cantorel::lyrics {

bool fillTable(const TimedLyric& lyric, LyricTable& table)
{
    for (int i = 0; i < LyricTable::kSlots; ++i) {
        table.listLines[i].clear();
        table.listTranslatedLines[i].clear();
    }
    const int n = int(qMin<qsizetype>(lyric.lines.size(), LyricTable::kLastSlot));
    for (int k = 1; k <= n; ++k) {
        const TimedLine& line = lyric.lines[k - 1];
        table.times[k] = line.timeCentis;
        table.translatedTimes[k] = line.timeCentis;
        table.lines[k] = line.text;
        table.words[k] = line.words;
        table.listLines[k] = line.text;
        table.listTimes[k] = formatNumber(line.timeCentis);
        table.translatedLines[k] = line.translation;
        table.listTranslatedLines[k] = lyric.translated ? line.translation : QString();
    }
    table.lineCount = n + 1;
    table.noTranslation = !lyric.translated;
    return lyric.lines.size() > n;
}

TimedLyric lyricOfTable(const LyricTable& table)
{
    TimedLyric lyric;
    lyric.translated = !table.noTranslation;
    const int n = table.loadedLines();
    lyric.lines.reserve(n);
    for (int k = 1; k <= n; ++k)
        lyric.lines.append(
            {table.times[k], table.lines[k], lyric.translated ? table.translatedLines[k] : QString(), table.words[k]});
    return lyric;
}

} // namespace cantorel::lyrics
