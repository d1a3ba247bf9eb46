#pragma once
// Copying the parts of a font the display options carry over, between the
// lyric panes and the option window's previews (their colours:
// widgets/WidgetColors.h).
class QWidget;

namespace cantorel::options {

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
