#pragma once
// The text and background colours of a widget, read and set the same way
// everywhere: a text box (QLineEdit: the Text and Base palette roles), a
// label or a window (WindowText and Window). Colours are set for every state
// (active, inactive, disabled), and a background set is filled.
#include <QColor>

class QWidget;

namespace cantorel {

QColor textColorOf(const QWidget* widget);
QColor backColorOf(const QWidget* widget);
void setTextColor(QWidget* widget, const QColor& color);
void setBackColor(QWidget* widget, const QColor& color);

} // namespace cantorel
