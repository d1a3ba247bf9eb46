#include "karaoke/Wipe.h"

#include "lyrics/LyricTable.h"

#include <algorithm>
#include <cmath>

namespace cantorel::karaoke {

QList<WordTiming> wordTimings(const lyrics::LineWords& words, double nextLineHundredths)
{
    QList<WordTiming> timings;
    timings.reserve(words.words.size());
    for (const lyrics::WordTime& w : words.words)
        timings.append({w.start, w.length, w.timeHundredths * 10, 0});
    if (timings.isEmpty())
        return timings;
    // Words given out of order are sung in the order of their times.
    std::stable_sort(timings.begin(), timings.end(),
                     [](const WordTiming& a, const WordTiming& b) { return a.startMs < b.startMs; });
    for (qsizetype i = 0; i + 1 < timings.size(); ++i)
        timings[i].endMs = timings[i + 1].startMs;
    WordTiming& last = timings.last();
    if (words.endHundredths >= 0) {
        last.endMs = words.endHundredths * 10;
    } else if (nextLineHundredths >= 0) {
        last.endMs = nextLineHundredths * 10;
    } else {
        // No end given and no line after: as long as the line's other words
        // take on average.
        const double others = last.startMs - timings.first().startMs;
        last.endMs = last.startMs + (timings.size() > 1 ? others / double(timings.size() - 1) : kLoneLastWordMs);
    }
    last.endMs = std::max(last.endMs, last.startMs);
    return timings;
}

QList<WordTiming> lineTimings(const lyrics::LyricTable& table, int slot)
{
    if (slot <= 0 || slot >= table.lineCount || slot > lyrics::LyricTable::kLastSlot)
        return {};
    const double next = slot + 1 < table.lineCount ? table.times[size_t(slot) + 1] : -1;
    return wordTimings(table.words[size_t(slot)], next);
}

Wipe::Wipe(QList<WipeWord> words, double fullPx) : m_words(std::move(words)), m_fullPx(std::max(0.0, fullPx))
{
    for (const WipeWord& w : m_words)
        m_fullPx = std::max(m_fullPx, w.rightPx);
}

double Wipe::widthPx(double positionMs) const
{
    // Never less than what a word sung before reached, so the wipe only
    // grows with time however the words lie.
    double reached = 0;
    for (const WipeWord& w : m_words) {
        if (positionMs < w.startMs)
            return reached;
        if (positionMs < w.endMs) {
            const double part = (positionMs - w.startMs) / (w.endMs - w.startMs);
            return std::max(reached, w.leftPx + (w.rightPx - w.leftPx) * part);
        }
        reached = std::max(reached, w.rightPx);
    }
    return m_words.isEmpty() ? 0 : m_fullPx;
}

double Wipe::nextPixelMs(double positionMs) const
{
    if (m_words.isEmpty())
        return -1;
    const double pixel = std::floor(widthPx(positionMs));
    const auto changesAt = [this, pixel](double ms) { return std::floor(widthPx(ms)) != pixel; };
    for (const WipeWord& w : m_words) {
        if (w.endMs <= positionMs)
            continue;
        if (positionMs < w.startMs && changesAt(w.startMs))
            return w.startMs; // the jump to this word's left edge
        // Inside the word the width grows evenly towards its right edge: the
        // next whole pixel is reached where the line crosses it.
        if (w.rightPx > w.leftPx && std::floor(w.rightPx) > pixel) {
            const double part = (pixel + 1 - w.leftPx) / (w.rightPx - w.leftPx);
            double at = std::max(positionMs, w.startMs + std::max(0.0, part) * (w.endMs - w.startMs));
            // Rounding may leave the crossing a hair short of the pixel.
            for (int step = 0; step < 16 && at < w.endMs && !changesAt(at); ++step)
                at = std::nextafter(at, w.endMs);
            return at;
        }
    }
    const double end = m_words.last().endMs;
    return end > positionMs && changesAt(end) ? end : -1;
}

} // namespace cantorel::karaoke
