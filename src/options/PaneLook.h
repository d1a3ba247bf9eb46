#pragma once
// Reading and copying the look of the lyric panes and of the option
// window's previews: text colour, background colour and the parts of the
// font the options carry over. Works on any widget: a text box (QLineEdit,
// whose text and background are the Text and Base palette roles) or a label
// such as the player's LyricPane (WindowText and Window). Colours are set
// for every state (active, inactive, disabled) and the background is filled.
#include <QColor>

class QWidget;

namespace cantorel::options {

QColor textColorOf(const QWidget* widget);
QColor backColorOf(const QWidget* widget);
void setTextColor(QWidget* widget, const QColor& color);
void setBackColor(QWidget* widget, const QColor& color);

// Parts of a font to copy.
enum FontPart {
    FontName = 0x1,
    Italic = 0x2,
    Underline = 0x4,
    Size = 0x8,
};

// Copies the `parts` (FontPart flags) of `from`'s font onto `to`'s font.
// The weight and strike-out of `to` stay as they are: the player's emphasis
// makes a pane bold for lines with "!" and keeps doing so on top.
void copyFont(const QWidget* from, QWidget* to, int parts);

} // namespace cantorel::options
