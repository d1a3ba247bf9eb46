#include "editor/LinePair.h"

namespace cantorel::editor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool hasBreak(const QString& text)
{
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

// Every line break of the clipboard text as CR LF: text copied by other
// programs on this platform usually breaks lines with LF alone.
QString crLfBreaks(QString text)
{
    text.replace(kCrLf, QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QStringLiteral("\n"), kCrLf);
    return text;
}

// Removes line `index`; marks behind it move up with their lines.
void removeLineAt(LineColumn& c, int index)
{
    c.lines.removeAt(index);
    std::set<int> marks;
    for (const int m : c.marked) {
        if (m < index)
            marks.insert(m);
        else if (m > index)
            marks.insert(m - 1);
    }
    c.marked = std::move(marks);
}

// Inserts a line at `index`; marks from there on move down with their lines.
void insertLineAt(LineColumn& c, int index, const QString& text)
{
    c.lines.insert(index, text);
    std::set<int> marks;
    for (const int m : c.marked)
        marks.insert(m >= index ? m + 1 : m);
    c.marked = std::move(marks);
}

} // namespace

LinePair::LinePair(Prompts& prompts, TextClipboard& clipboard) : m_prompts(prompts), m_clipboard(clipboard)
{}

QString LinePair::lineBreakMessage()
{
    return QStringLiteral("Cannot Insert a line Here Use \"Add a Line/Translated Line\" To insert a new Line");
}

QString LinePair::withoutBreaks(const QString& text)
{
    if (!hasBreak(text))
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c != u'\r' && c != u'\n' && c != QChar::LineSeparator && c != QChar::ParagraphSeparator)
            out.append(c);
    }
    return out;
}

void LinePair::prepareForPrompt()
{
    if (m_beforePrompt)
        m_beforePrompt();
}

void LinePair::select(Side side, int index)
{
    if (index < -1 || index >= col(side).lines.size())
        return;
    applySelection(side, index, false);
}

void LinePair::applySelection(Side side, int index, bool markIt)
{
    LineColumn& c = col(side);
    c.current = index;
    if (index < 0)
        return;
    if (markIt)
        c.marked = {index};
    c.editText = c.lines.at(index);
    if (m_synchronize && !m_moveInProgress) {
        // The other side follows to the same index; its own mirroring would
        // only set the index that is already current here, so it stops there.
        const LineColumn& o = column(otherSide(side));
        if (index < o.lines.size() && o.current != index)
            applySelection(otherSide(side), index, true);
    }
}

void LinePair::setMarked(Side side, const std::set<int>& marked)
{
    LineColumn& c = col(side);
    c.marked.clear();
    for (const int m : marked) {
        if (m >= 0 && m < c.lines.size())
            c.marked.insert(m);
    }
}

void LinePair::editCurrentLine(Side side, const QString& text)
{
    LineColumn& c = col(side);
    const bool broken = hasBreak(text);
    c.editText = broken ? withoutBreaks(text) : text;
    if (c.current >= 0 && c.current < c.lines.size())
        c.lines[c.current] = c.editText;
    if (broken) {
        prepareForPrompt();
        m_prompts.message(m_owner, lineBreakMessage());
    }
}

void LinePair::addLine(Side side)
{
    for (;;) {
        const QString text =
            withoutBreaks(m_prompts.input(m_owner, QStringLiteral("Enter a line"), QStringLiteral("Enter a Line")));
        LineColumn& c = col(side);
        if (!text.isEmpty()) {
            insertLineAt(c, c.current + 1, text);
            return;
        }
        prepareForPrompt();
        switch (m_prompts.message(m_owner, QStringLiteral("Do you want to add a blank line"),
                                  Prompts::Buttons::YesNoCancel, Prompts::Icon::Question,
                                  QStringLiteral("Blank line Insertion"))) {
        case Prompts::Answer::Yes:
            col(side).lines.append(QString());
            return;
        case Prompts::Answer::No:
            continue;
        default:
            return;
        }
    }
}

void LinePair::deleteLines(Side side)
{
    LineColumn& c = col(side);
    if (c.lines.isEmpty() || c.current < 0 || c.current >= c.lines.size())
        return;
    if (c.deleteMarked) {
        if (!c.marked.empty())
            removeMarked(side);
        return;
    }
    removeLineAt(c, c.current);
    // No line is current now, so the emptied edit box cannot overwrite the
    // line that moved into the removed one's place.
    c.current = -1;
    c.editText.clear();
}

void LinePair::removeMarked(Side side)
{
    LineColumn& c = col(side);
    for (auto it = c.marked.rbegin(); it != c.marked.rend(); ++it)
        c.lines.removeAt(*it);
    c.marked.clear();
    c.current = -1;
}

void LinePair::deleteMarkedLines(Side side)
{
    setDeleteMarked(side, true);
    deleteLines(side);
    setDeleteMarked(Side::Left, false);
    setDeleteMarked(Side::Right, false);
}

bool LinePair::canMove(Side side, int index, int step) const
{
    const LineColumn& c = column(side);
    if (index < 0 || index >= c.lines.size())
        return false;
    if (step < 0)
        return index >= 1;
    return index < c.lines.size() - 1;
}

void LinePair::moveOne(Side side, int index, int step)
{
    // The left Down is off while the left "Delete select items" is ticked,
    // also as the partner of a synchronised Down started on the right.
    if (side == Side::Left && step > 0 && m_left.deleteMarked)
        return;
    if (!canMove(side, index, step))
        return;
    col(side).lines.move(index, index + step);
    applySelection(side, index + step, true);
}

void LinePair::move(Side side, int step)
{
    if (side == Side::Left && step > 0 && m_left.deleteMarked)
        return;
    const int index = column(side).current;
    moveOne(side, index, step);
    if (m_synchronize && !m_syncBusy) {
        m_syncBusy = true;
        m_moveInProgress = true;
        moveOne(otherSide(side), index, step);
        m_syncBusy = false;
        m_moveInProgress = false;
    }
}

void LinePair::moveUp(Side side)
{
    move(side, -1);
}

void LinePair::moveDown(Side side)
{
    move(side, +1);
}

void LinePair::copy(Side side)
{
    const LineColumn& c = column(side);
    if (c.marked.empty())
        return;
    QString text = m_clipboard.text();
    for (const int m : c.marked)
        text += kCrLf + c.lines.at(m);
    m_clipboard.setText(text);
}

void LinePair::paste()
{
    LineColumn& target = col(m_pasteTarget);
    const QString text = crLfBreaks(m_clipboard.text());
    const qsizetype firstBreak = text.indexOf(kCrLf);
    if (firstBreak > 0) {
        target.lines.append(text.split(kCrLf));
        return;
    }
    QString joined = text;
    joined.remove(kCrLf);
    target.lines.append(joined);
}

void LinePair::pasteInto(Side side)
{
    m_pasteTarget = side;
    paste();
}

void LinePair::clear(Side side)
{
    LineColumn& c = col(side);
    c.lines.clear();
    c.marked.clear();
    c.current = -1;
}

void LinePair::clearClipboard()
{
    m_clipboard.clear();
}

void LinePair::transfer()
{
    if (m_left.marked.empty())
        return;
    // The clipboard ends up holding the lines as a copy leaves them, but
    // the lines travel from list to list directly: a clipboard that does not
    // keep the text must not make the left lines vanish.
    m_clipboard.clear();
    QString text;
    QStringList moved;
    for (const int m : m_left.marked) {
        text += kCrLf + m_left.lines.at(m);
        moved << m_left.lines.at(m);
    }
    m_clipboard.setText(text);
    m_pasteTarget = Side::Right;
    m_right.lines.append(moved);
    removeMarked(Side::Left);
    m_left.deleteMarked = false;
}

void LinePair::loadLines(Side side, const QStringList& lines, const QString& fileName, lyrics::FileEncoding encoding)
{
    LineColumn& c = col(side);
    c.lines = lines;
    c.savedLines = lines;
    c.fileName = fileName;
    c.fileEncoding = encoding;
    c.marked.clear();
    c.current = -1;
}

void LinePair::markSaved(Side side, const QString& fileName, lyrics::FileEncoding encoding)
{
    LineColumn& c = col(side);
    c.fileName = fileName;
    c.fileEncoding = encoding;
    c.savedLines = c.lines;
}

bool LinePair::hasUnsavedChanges(Side side) const
{
    const LineColumn& c = column(side);
    return c.lines != c.savedLines;
}

} // namespace cantorel::editor
