#include "widgets/TextFit.h"

#include <QFontMetricsF>

#include <cmath>

namespace cantorel {

namespace {

// A font's size as one number, in points or (for a font sized in pixels) in
// pixels, and the font at another such size.
bool sizedInPoints(const QFont& font)
{
    return font.pointSizeF() > 0;
}

double sizeOf(const QFont& font)
{
    return sizedInPoints(font) ? font.pointSizeF() : double(font.pixelSize());
}

QFont atSize(QFont font, double size)
{
    if (sizedInPoints(font))
        font.setPointSizeF(size);
    else
        font.setPixelSize(int(size));
    return font;
}

} // namespace

bool textFits(const QFont& font, const QString& text, const QSizeF& box)
{
    const QFontMetricsF metrics(font);
    const QRectF needed = metrics.boundingRect(QRectF(QPointF(0, 0), QSizeF(box.width(), 1e6)),
                                               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    return needed.height() <= box.height() && needed.width() <= box.width();
}

QFont fittedFont(const QFont& font, const QString& text, const QSizeF& box)
{
    if (text.isEmpty() || box.isEmpty() || textFits(font, text, box))
        return font;
    const double step = sizedInPoints(font) ? 0.5 : 1.0;
    // Sizes counted in steps: the smallest allowed fits or is the answer, and
    // the chosen size does not fit; halve the range between them.
    int low = 0;
    int high = int(std::ceil((sizeOf(font) - kMinFitPointSize) / step));
    if (high <= 0)
        return font;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (textFits(atSize(font, kMinFitPointSize + middle * step), text, box))
            low = middle;
        else
            high = middle;
    }
    return atSize(font, kMinFitPointSize + low * step);
}

} // namespace cantorel
