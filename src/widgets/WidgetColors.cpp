#include "widgets/WidgetColors.h"

#include <QLineEdit>
#include <QWidget>

namespace cantorel {

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

} // namespace cantorel
