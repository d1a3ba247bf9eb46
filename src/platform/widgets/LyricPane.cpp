#include "platform/widgets/LyricPane.h"

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

void LyricPane::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    Q_EMIT clicked();
}

} // namespace cantorel
