#pragma once
// Fitting a line of text into a box: the font a pane draws with when the
// chosen one would make the wrapped text taller or wider than the pane.
#include <QFont>
#include <QSizeF>
#include <QString>

namespace cantorel {

// `font`, or the same font at the largest smaller size (in steps of half a
// point, or of a pixel for a font sized in pixels) at which `text`, wrapped
// at word boundaries to the width of `box` (pixels), fits in `box`. Never
// smaller than kMinFitPointSize points (or as many pixels): a text that does
// not fit even then is drawn at that size and cut at the box. An empty text
// or box keeps `font`.
inline constexpr double kMinFitPointSize = 6.0;
QFont fittedFont(const QFont& font, const QString& text, const QSizeF& box);

// True when `text` wrapped as above fits `box` in `font`.
bool textFits(const QFont& font, const QString& text, const QSizeF& box);

} // namespace cantorel
