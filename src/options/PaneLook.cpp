#include "options/PaneLook.h"

#include <QLineEdit>
#include <QWidget>

namespace cantorel::options {

namespace {

bool isTextBox(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) != nullptr;
}

} // namespace

QColor textColorOf(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, isTextBox(widget) ? QPalette::Text : QPalette::WindowText);
}

QColor backColorOf(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, isTextBox(widget) ? QPalette::Base : QPalette::Window);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::Text, QPalette::WindowText})
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

void copyFont(const QWidget* from, QWidget* to, int parts)
{
    const QFont source = from->font();
    QFont font = to->font();
    if (parts & FontName)
        font.setFamily(source.family());
    if (parts & Italic)
        font.setItalic(source.italic());
    if (parts & Underline)
        font.setUnderline(source.underline());
    if ((parts & Size) && source.pointSizeF() > 0)
        font.setPointSizeF(source.pointSizeF());
    to->setFont(font);
}

} // namespace cantorel::options
