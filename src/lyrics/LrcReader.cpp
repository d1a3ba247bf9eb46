#include "lyrics/LrcReader.h"

#include "lyrics/WordTimes.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace cantorel::lyrics {

namespace {

// No tag a writer makes is longer; a longer "tag" is text.
constexpr qsizetype kMaxTagChars = 24;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Reads 1..maxDigits ASCII digits at `i`; false when there are none or more.
bool readDigits(QStringView s, qsizetype& i, int maxDigits, qint64* value, int* count)
{
    qint64 v = 0;
    int n = 0;
    while (i < s.size() && isAsciiDigit(s[i])) {
        if (++n > maxDigits)
            return false;
        v = v * 10 + (s[i].unicode() - u'0');
        ++i;
    }
    *value = v;
    *count = n;
    return n > 0;
}

// The time of one tag's inside ("01:02.50", "1:02", "01:02:50"), in
// milliseconds; nothing when it is not a time tag.
std::optional<qint64> parseLrcTime(QStringView inside)
{
    qsizetype i = 0;
    qint64 minutes = 0, seconds = 0, fraction = 0;
    int n = 0, fractionDigits = 0;
    if (!readDigits(inside, i, 6, &minutes, &n) || i >= inside.size() || inside[i] != u':')
        return std::nullopt;
    ++i;
    if (!readDigits(inside, i, 2, &seconds, &n))
        return std::nullopt;
    if (i < inside.size()) {
        if (inside[i] != u'.' && inside[i] != u':')
            return std::nullopt;
        ++i;
        if (!readDigits(inside, i, 9, &fraction, &fractionDigits) || i != inside.size())
            return std::nullopt;
    }
    qint64 scale = 1;
    for (int k = 0; k < fractionDigits; ++k)
        scale *= 10;
    return (minutes * 60 + seconds) * 1000 + (fraction * 1000 + scale / 2) / scale;
}

// One time tag or word tag found in a line: where it ends, and its time.
struct Tag {
    qsizetype end = 0; // index after the closing bracket
    std::optional<qint64> timeMs;
    QStringView inside;
};

// The tag that opens at `open` (a '[' or '<'); nothing when it is not closed
// within kMaxTagChars characters.
std::optional<Tag> tagAt(QStringView line, qsizetype open, QChar closer)
{
    const qsizetype limit = qMin(line.size(), open + 1 + kMaxTagChars);
    for (qsizetype i = open + 1; i < limit; ++i) {
        if (line[i] == closer) {
            Tag tag;
            tag.end = i + 1;
            tag.inside = line.mid(open + 1, i - open - 1);
            tag.timeMs = parseLrcTime(tag.inside);
            return tag;
        }
    }
    return std::nullopt;
}

std::optional<qint64> offsetOf(QStringView inside)
{
    static const QString kName = QStringLiteral("offset:");
    if (!inside.startsWith(kName, Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView value = inside.mid(kName.size()).trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-'))
        negative = value[i++] == u'-';
    qint64 v = 0;
    int n = 0;
    if (!readDigits(value, i, 12, &v, &n) || i != value.size())
        return std::nullopt;
    v = qMin(v, kMaxOffsetMs);
    return negative ? -v : v;
}

bool dropped(char16_t c)
{
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F) || c == 0xFEFF;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// When `out` ends with a time tag or word tag ("[01:02.50]", "<01:02.50>")
// whose closing bracket was just added, the tag is taken off and its time
// returned. A tag that two removed ones leave behind ("[0[00:01]0:02]") is
// found as its own closing bracket comes, so no time tag is ever left in the
// text.
std::optional<qint64> dropTagAtEnd(QString& out)
{
    const QChar closer = out.back();
    const QChar opener = closer == u']' ? u'[' : u'<';
    const qsizetype limit = qMax<qsizetype>(0, out.size() - 2 - kMaxTagChars);
    for (qsizetype i = out.size() - 2; i >= limit; --i) {
        if (out[i] == opener) {
            const auto timeMs = parseLrcTime(QStringView(out).mid(i + 1, out.size() - i - 2));
            if (timeMs)
                out.truncate(i);
            return timeMs;
        }
    }
    return std::nullopt;
}

// Notes a tag taken out before text index `position`: marks past it stood in
// text that went with the tag, and of several tags in one place the last
// counts.
void addMark(QList<WordMark>& marks, qsizetype position, qint64 timeMs)
{
    while (!marks.isEmpty() && marks.back().position >= position)
        marks.removeLast();
    marks.append({position, timeMs});
}

// lrcLineText, and where the tags it took out stood (`marks`, when given):
// indexes into the text it returns.
QString lineText(QStringView raw, QList<WordMark>* marks)
{
    QString out;
    // Room for a tag that ends past the cut: its place still counts.
    const qsizetype room = kMaxLrcLineChars + kMaxTagChars + 2;
    out.reserve(qMin(raw.size(), room));
    bool afterTag = false;
    for (qsizetype i = 0; i < raw.size() && out.size() < room; ++i) {
        const QChar c = raw[i];
        if (dropped(c.unicode()))
            continue; // before tags are looked for: "<00:0\x011.00>" is a tag
        // A removed tag takes one of the blanks around it along.
        if (afterTag && isBlank(c) && (out.isEmpty() || isBlank(out.back())))
            continue;
        out.append(c);
        afterTag = false;
        if (c == u']' || c == u'>') {
            if (const auto timeMs = dropTagAtEnd(out)) {
                afterTag = true;
                if (marks)
                    addMark(*marks, out.size(), *timeMs);
            }
        }
    }
    out.truncate(kMaxLrcLineChars);
    qsizetype lead = 0;
    while (lead < out.size() && out[lead].isSpace())
        ++lead;
    out = out.trimmed();
    if (marks) {
        for (WordMark& m : *marks)
            m.position = qBound<qsizetype>(0, m.position - lead, out.size());
    }
    return out;
}

} // namespace

QString lrcLineText(QStringView raw)
{
    return lineText(raw, nullptr);
}

namespace {

// One time tag of the file: its time, where the text it belongs to is, and
// the time of the first tag of its line (word tags inside the text are
// times of that one).
struct Stamp {
    qint64 timeMs;
    qsizetype textStart;
    qsizetype textLength;
    qint64 anchorMs;
};

qint64 anchorOf(const Stamp& s)
{
    return s.anchorMs;
}

qint64 anchorOf(const TimedText& t)
{
    return t.timeMs;
}

void skipBlanks(QStringView s, qsizetype& i)
{
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t' || s[i].unicode() == 0xFEFF))
        ++i;
}

// Reads the tags that open one line; appends a stamp per time tag, and
// notes the first [offset:] tag and the first timed line in `result`.
void readLine(QStringView text, qsizetype start, qsizetype end, std::vector<Stamp>& stamps, LrcLyric& result)
{
    const QStringView line = text.mid(start, end - start);
    qsizetype i = 0;
    const size_t first = stamps.size();
    skipBlanks(line, i);
    while (i < line.size() && line[i] == u'[') {
        const auto tag = tagAt(line, i, u']');
        if (!tag)
            break;
        if (tag->timeMs) {
            stamps.push_back({*tag->timeMs, 0, 0, 0});
        } else if (stamps.size() > first) {
            break; // brackets after the times belong to the text
        } else if (result.offsetTagStart < 0) {
            if (const auto offset = offsetOf(tag->inside)) {
                result.offsetMs = *offset;
                result.offsetTagStart = start + i;
                result.offsetTagLength = tag->end - i;
            }
        }
        i = tag->end;
        skipBlanks(line, i);
    }
    if (stamps.size() > first && result.firstTimedLine < 0)
        result.firstTimedLine = start;
    for (size_t k = first; k < stamps.size(); ++k) {
        stamps[k].textStart = start + i;
        stamps[k].textLength = line.size() - i;
        stamps[k].anchorMs = stamps[first].timeMs;
    }
}

// The line a stamp's text makes, shown from `shownMs`, with its word times:
// a line with several times has its words at each of them as at the first.
template <typename StampT>
TimedLine lineOfStamp(const StampT& stamp, QStringView raw, qint64 shownMs, qint64 offsetMs)
{
    QList<WordMark> marks;
    TimedLine line {double(shownMs) / 10.0, lineText(raw, &marks), {}};
    const qint64 moveMs = stamp.timeMs - anchorOf(stamp) - offsetMs;
    for (WordMark& m : marks)
        m.timeMs = qMax<qint64>(0, m.timeMs + moveMs);
    line.words = wordsOfMarks(line.text, marks, shownMs);
    return line;
}

// Sorts the stamps by time (stable) and makes the lines: the first text of a
// time is the line, the ones after it its translation. Returns true when
// lines past kMaxLrcLines were dropped.
template <typename StampT, typename TextOf>
bool groupStamps(std::vector<StampT>& stamps, qint64 offsetMs, TextOf textOf, TimedLyric& lyric)
{
    std::stable_sort(stamps.begin(), stamps.end(),
                     [](const StampT& a, const StampT& b) { return a.timeMs < b.timeMs; });
    for (size_t k = 0; k < stamps.size();) {
        if (lyric.lines.size() == kMaxLrcLines)
            return true;
        const qint64 time = stamps[k].timeMs;
        const qint64 shown = qMax<qint64>(0, time - offsetMs);
        TimedLine line = lineOfStamp(stamps[k], textOf(stamps[k]), shown, offsetMs);
        bool partnered = false;
        for (++k; k < stamps.size() && stamps[k].timeMs == time; ++k) {
            if (line.translation.size() >= kMaxLrcLineChars)
                continue; // thousands of texts of one time: the rest is dropped
            // Empty texts join nothing: the translation reads back the same
            // from an LRC file written from it.
            const QString text = lrcLineText(textOf(stamps[k]));
            if (!line.translation.isEmpty() && !text.isEmpty())
                line.translation += QStringLiteral(" / ");
            line.translation += text;
            partnered = true;
        }
        line.translation.truncate(kMaxLrcLineChars);
        line.translation = line.translation.trimmed();
        lyric.translated = lyric.translated || partnered;
        lyric.lines.append(line);
    }
    return false;
}

} // namespace

TimedLyric lyricOfTimedTexts(std::vector<TimedText> texts, bool* cutShort)
{
    TimedLyric lyric;
    const bool cut = groupStamps(
        texts, 0, [](const TimedText& t) { return QStringView(t.text); }, lyric);
    if (cutShort)
        *cutShort = cut;
    return lyric;
}

LrcLyric parseLrc(QStringView text)
{
    LrcLyric result;
    std::vector<Stamp> stamps;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        readLine(text, start, end, stamps, result);
        start = end + 1;
    }
    result.isLyric = !stamps.empty();
    result.cutShort = groupStamps(
        stamps, result.offsetMs, [&](const Stamp& s) { return text.mid(s.textStart, s.textLength); }, result.lyric);
    return result;
}

} // namespace cantorel::lyrics
