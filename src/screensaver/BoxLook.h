#pragma once
// Reading and setting the look of a text box (the lyrics screen's display
// boxes and the settings window's previews) as a BoxStyle. The text and
// background colours live in the box's palette; the font's weight and
// strike-out are not part of a BoxStyle and are kept as they are.
#include "screensaver/ScreenSettings.h"

class QWidget;

namespace cantorel::screensaver {

BoxStyle boxStyleOf(const QWidget* box);
void applyBoxStyle(QWidget* box, const BoxStyle& style);

} // namespace cantorel::screensaver
