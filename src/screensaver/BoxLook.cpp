#include "screensaver/BoxLook.h"

#include "widgets/WidgetColors.h"

#include <QWidget>

namespace cantorel::screensaver {

BoxStyle boxStyleOf(const QWidget* box)
{
    BoxStyle style;
    const QFont& font = box->font();
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

} // namespace cantorel::screensaver
