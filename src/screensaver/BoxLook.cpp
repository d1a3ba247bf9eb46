#include "screensaver/BoxLook.h"

#include <QWidget>

namespace cantorel::screensaver {

BoxStyle boxStyleOf(const QWidget* box)
{
    BoxStyle style;
    const QFont font = box->font();
    style.fontName = font.family();
    style.italic = font.italic();
    style.underline = font.underline();
    style.pointSize = float(font.pointSizeF());
    style.textColor = box->palette().color(QPalette::Active, QPalette::Text);
    style.backColor = box->palette().color(QPalette::Active, QPalette::Base);
    return style;
}

void applyBoxStyle(QWidget* box, const BoxStyle& style)
{
    QFont font = box->font();
    font.setFamily(style.fontName);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    if (style.pointSize > 0)
        font.setPointSizeF(style.pointSize);
    box->setFont(font);
    setTextColor(box, style.textColor);
    setBackColor(box, style.backColor);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, color);
    widget->setPalette(palette);
}

void setBackColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor backColorOf(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, QPalette::Window);
}

} // namespace cantorel::screensaver
