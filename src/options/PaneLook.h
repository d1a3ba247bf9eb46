#pragma once
// Reading and copying the look of the lyric panes and of the option
// window's previews: text colour, background colour (WidgetColors.h) and the
// parts of the font the options carry over.
#include "platform/widgets/WidgetColors.h"

#include <QColor>

class QWidget;

namespace cantorel::options {

using cantorel::backColorOf;
using cantorel::setBackColor;
using cantorel::setTextColor;
using cantorel::textColorOf;

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
