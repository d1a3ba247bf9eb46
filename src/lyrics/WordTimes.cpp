#include "lyrics/WordTimes.h"

namespace cantorel::lyrics {

namespace {

// [begin, end) of `text` without the spaces at either end; empty when it is
// all spaces.
std::pair<qsizetype, qsizetype> trimmedSpan(const QString& text, qsizetype begin, qsizetype end)
{
    while (begin < end && text[begin].isSpace())
        ++begin;
    while (end > begin && text[end - 1].isSpace())
        --end;
    return {begin, end};
}

} // namespace

LineWords wordsOfMarks(const QString& text, const QList<WordMark>& marks, qint64 lineTimeMs)
{
    LineWords line;
    if (marks.isEmpty())
        return line;
    qint64 latestMs = 0;
    const auto addWord = [&](qsizetype begin, qsizetype end, qint64 timeMs) {
        const auto [from, to] = trimmedSpan(text, begin, end);
        if (from == to)
            return false;
        latestMs = line.words.isEmpty() ? timeMs : qMax(latestMs, timeMs);
        line.words.append({int(from), int(to - from), double(latestMs) / 10.0});
        return true;
    };
    addWord(0, qBound<qsizetype>(0, marks.first().position, text.size()), lineTimeMs);
    for (qsizetype k = 0; k < marks.size(); ++k) {
        const qsizetype begin = qBound<qsizetype>(0, marks[k].position, text.size());
        const qsizetype end =
            k + 1 < marks.size() ? qBound<qsizetype>(begin, marks[k + 1].position, text.size()) : text.size();
        if (!addWord(begin, end, marks[k].timeMs) && k + 1 == marks.size() && !line.words.isEmpty())
            line.endHundredths = double(qMax(latestMs, marks[k].timeMs)) / 10.0;
    }
    return line;
}

int sungWords(const LineWords& words, double positionHundredths)
{
    int sung = 0;
    for (const WordTime& w : words.words) {
        if (w.timeHundredths <= positionHundredths)
            ++sung;
    }
    return sung;
}

} // namespace cantorel::lyrics
