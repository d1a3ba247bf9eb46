#pragma once
// Sizes of the windows are designed in twips, 1440 to the logical inch
// (15 twips to a pixel at 96 dpi).
class QWidget;

namespace cantorel {

// Pixels for `twips` on the screen of `widget` (the primary screen when the
// widget is null or not shown yet).
int twipsToPixels(double twips, const QWidget* widget = nullptr);
double pixelsToTwips(double pixels, const QWidget* widget = nullptr);

} // namespace cantorel
