#include "widgets/LyricPane.h"

#include "widgets/TextFit.h"

#include <QPainter>

namespace cantorel {

LyricPane::LyricPane(const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setMargin(4);
    // The window gives the pane its size; the text never asks for more.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void LyricPane::setLyric(const QString& text)
{
    if (text == m_lyric)
        return;
    m_lyric = text;
    QString shown = text;
    shown.remove(u'\r');
    while (shown.endsWith(u'\n'))
        shown.chop(1);
    setText(shown);
    Q_EMIT lyricChanged();
}

void LyricPane::setTip(const QString& tip)
{
    if (tip != toolTip())
        setToolTip(tip);
}

void LyricPane::setBold(bool bold)
{
    if (bold == font().bold())
        return;
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

QSize LyricPane::sizeHint() const
{
    return minimumSizeHint();
}

QSize LyricPane::minimumSizeHint() const
{
    const int frame = 2 * (frameWidth() + margin());
    return QSize(frame, frame);
}

QRect LyricPane::textRect() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QFont LyricPane::shownFont() const
{
    const QSize size = textRect().size();
    if (m_fit.text != text() || m_fit.font != font() || m_fit.size != size) {
        m_fit.text = text();
        m_fit.font = font();
        m_fit.size = size;
        m_fit.shown = fittedFont(font(), text(), QSizeF(size));
    }
    return m_fit.shown;
}

void LyricPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(shownFont());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.setClipRect(textRect());
    painter.drawText(textRect(), int(alignment()) | Qt::TextWordWrap, text());
}

void LyricPane::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    Q_EMIT clicked();
}

LyricPane* makeLyricPane(const form::Control& row, const QString& caption, QWidget* form)
{
    auto* pane = new LyricPane(QString::fromLatin1(row.name), form);
    pane->setLyric(caption);
    return pane;
}

} // namespace cantorel
