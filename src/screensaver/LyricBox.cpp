#include "screensaver/LyricBox.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace cantorel::screensaver {

namespace {

// Room kept free above and below the lines when the box is made to fit
// them, in pixels; on the left and right a sixth of an inch stays free.
constexpr int kTopBottomMargin = 4;

// Line breaks in a received text break the shown line too.
QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator);
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

QString withoutTrailingBlanks(QString line)
{
    while (!line.isEmpty() && (line.back().isSpace() || line.back() == QChar::LineSeparator))
        line.chop(1);
    return line;
}

} // namespace

LyricBox::LyricBox(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LyricBox::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
    Q_EMIT textChanged(m_text);
}

int LyricBox::sideMargin() const
{
    return logicalDpiX() / 6;
}

int LyricBox::textWidth(int boxWidth) const
{
    return std::max(1, boxWidth - 2 * sideMargin());
}

LyricBox::Wrapped LyricBox::wrap(int width) const
{
    const QString text = withLineSeparators(m_text);
    QTextLayout layout(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    Wrapped wrapped;
    qreal tallest = QFontMetricsF(font()).lineSpacing();
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(textWidth(width));
        wrapped.starts << line.textStart();
        wrapped.lines << withoutTrailingBlanks(text.mid(line.textStart(), line.textLength()));
        tallest = std::max(tallest, line.height());
    }
    layout.endLayout();
    if (wrapped.lines.isEmpty()) {
        wrapped.lines << QString();
        wrapped.starts << 0;
    }
    wrapped.lineHeight = std::max(1, int(std::ceil(tallest)));
    return wrapped;
}

LyricBox::Wrapped LyricBox::fitted() const
{
    Wrapped wrapped = wrap(width());
    const int room = std::max(1, (height() - 2 * kTopBottomMargin) / wrapped.lineHeight);
    if (wrapped.lines.size() <= room)
        return wrapped;
    // The last line that fits takes the rest of the text, cut with "…".
    wrapped.lines = wrapped.lines.mid(0, room);
    wrapped.starts = wrapped.starts.mid(0, room);
    QString rest = withLineSeparators(m_text).mid(wrapped.starts.last());
    rest.replace(QChar::LineSeparator, u' ');
    wrapped.lines.last() = QFontMetrics(font()).elidedText(rest, Qt::ElideRight, textWidth(width()));
    return wrapped;
}

QStringList LyricBox::shownLines() const
{
    return fitted().lines;
}

int LyricBox::heightForWidth(int width) const
{
    const Wrapped wrapped = wrap(width);
    return int(wrapped.lines.size()) * wrapped.lineHeight + 2 * kTopBottomMargin;
}

void LyricBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());

    const Wrapped shown = fitted();
    const int lineHeight = shown.lineHeight;
    const int needed = int(shown.lines.size()) * lineHeight;
    // Centred while the lines fit; from the top when they do not.
    int y = needed <= height() ? (height() - needed) / 2 : kTopBottomMargin;
    for (const QString& line : shown.lines) {
        painter.drawText(QRect(sideMargin(), y, textWidth(width()), lineHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, line);
        y += lineHeight;
    }
}

} // namespace cantorel::screensaver
