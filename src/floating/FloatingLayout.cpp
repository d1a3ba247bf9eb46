#include "floating/FloatingLayout.h"

#include <algorithm>

namespace cantorel::floating {

namespace {
constexpr double kCorner = 60;
constexpr double kGap = 100;
} // namespace

QSizeF boundedSize(QSizeF size)
{
    if (size.width() <= kNarrowestWidth)
        size.setWidth(kWidthFloor);
    if (size.height() <= kLowestHeight)
        size.setHeight(kHeightFloor);
    return size;
}

ListPlaces listPlaces(QSizeF client)
{
    const double width = std::max(0.0, client.width() / 2 - 120);
    const double height = std::max(0.0, client.height() - 140);
    ListPlaces places;
    places.list1 = QRectF(kCorner, kCorner, width, height);
    places.list2 = QRectF(kCorner + width + kGap, kCorner, width, height);
    return places;
}

} // namespace cantorel::floating
