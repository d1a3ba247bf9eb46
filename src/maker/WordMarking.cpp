#include "maker/WordMarking.h"

#include "lyrics/LrcReader.h"

namespace cantorel::maker {

using lyrics::TimedLine;
using lyrics::WordTime;

namespace {

bool isCjk(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
        return true;
    default:
        return false;
    }
}

// Punctuation, symbols and combining marks are no word of their own.
bool clings(char32_t c)
{
    return QChar::isPunct(c) || QChar::isSymbol(c) || QChar::isMark(c);
}

} // namespace

QList<WordTime> splitWords(QStringView line)
{
    enum class Last { None, Cjk, Other }; // the word's last character that counts
    QList<WordTime> words;
    qsizetype start = -1;
    Last last = Last::None;
    const auto close = [&](qsizetype end) {
        if (start >= 0)
            words.append({int(start), int(end - start), 0});
        start = -1;
        last = Last::None;
    };
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype width =
            line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate() ? 2 : 1;
        const char32_t c = width == 2 ? QChar::surrogateToUcs4(line[i], line[i + 1]) : line[i].unicode();
        if (QChar::isSpace(c)) {
            close(i);
        } else if (!clings(c)) {
            const Last kind = isCjk(c) ? Last::Cjk : Last::Other;
            // A CJK character after any other, or anything after one,
            // starts a word.
            if (last != Last::None && (kind == Last::Cjk || last == Last::Cjk))
                close(i);
            if (start < 0)
                start = i;
            last = kind;
        } else if (start < 0) {
            start = i;
        }
        i += width;
    }
    close(line.size());
    return words;
}

void WordMarking::setLine(const QString& line)
{
    Line next;
    next.timed.text = lyrics::lrcLineText(line);
    next.words = splitWords(next.timed.text);
    m_line = next;
}

void WordMarking::setTranslation(const QString& translation)
{
    if (m_line)
        m_line->timed.translation = translation;
}

void WordMarking::setNoMoreLines()
{
    m_noMoreLines = true;
}

QList<TimedLine> WordMarking::press(double timeCentis)
{
    QList<TimedLine> done;
    const auto endPending = [&] {
        if (!m_pending)
            return;
        m_pending->words.endHundredths = timeCentis;
        done.append(*m_pending);
        m_pending.reset();
    };
    if (!m_line) {
        if (awaitingEnd())
            endPending();
        return done;
    }
    Line& line = *m_line;
    if (line.marked == 0) {
        endPending();
        line.timed.timeCentis = timeCentis;
    }
    if (line.words.isEmpty()) {
        done.append(line.timed);
        m_line.reset();
        return done;
    }
    WordTime word = line.words[line.marked++];
    word.timeHundredths = timeCentis;
    line.timed.words.words.append(word);
    if (line.marked == line.words.size()) {
        m_pending = line.timed;
        m_line.reset();
    }
    return done;
}

WordMarking::Cue WordMarking::cue() const
{
    Cue cue;
    if (m_line) {
        cue.line = m_line->timed.text;
        if (m_line->words.isEmpty()) {
            cue.kind = Cue::Kind::EmptyLine;
        } else {
            cue.kind = Cue::Kind::Word;
            cue.start = m_line->words[m_line->marked].start;
            cue.length = m_line->words[m_line->marked].length;
        }
    } else if (awaitingEnd()) {
        cue.kind = Cue::Kind::End;
        cue.line = m_pending->text;
    }
    return cue;
}

QList<TimedLine> WordMarking::takeUnfinished()
{
    QList<TimedLine> unfinished;
    if (m_pending)
        unfinished.append(*m_pending);
    if (m_line && m_line->marked > 0)
        unfinished.append(m_line->timed);
    m_pending.reset();
    m_line.reset();
    m_noMoreLines = false;
    return unfinished;
}

QString cueText(const WordMarking::Cue& cue)
{
    using Kind = WordMarking::Cue::Kind;
    switch (cue.kind) {
    case Kind::Word:
        return QStringLiteral("Next word: ") + cue.line.left(cue.start).toHtmlEscaped() + QStringLiteral("<b><u>")
               + cue.line.mid(cue.start, cue.length).toHtmlEscaped() + QStringLiteral("</u></b>")
               + cue.line.mid(cue.start + cue.length).toHtmlEscaped();
    case Kind::EmptyLine:
        return QStringLiteral("Next press: the empty line");
    case Kind::End:
        return QStringLiteral("Next press: the end of the last word (") + cue.line.toHtmlEscaped() + u')';
    case Kind::Nothing:
        break;
    }
    return QString();
}

} // namespace cantorel::maker
