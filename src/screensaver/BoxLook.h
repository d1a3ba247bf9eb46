#pragma once
// Reading and setting the look of a text box (the lyrics screen's display
// boxes and the settings window's previews) as a BoxStyle. The text and
// background colours live in the box's palette; the font's weight and
// strike-out are not part of a BoxStyle and are kept as they are.
#include "platform/widgets/WidgetColors.h"
#include "screensaver/ScreenSettings.h"

class QWidget;

namespace cantorel::screensaver {

BoxStyle boxStyleOf(const QWidget* box);
void applyBoxStyle(QWidget* box, const BoxStyle& style);

// Colours of a box or a window in every state (active, inactive, disabled).
using cantorel::backColorOf;
using cantorel::setBackColor;
using cantorel::setTextColor;

} // namespace cantorel::screensaver
