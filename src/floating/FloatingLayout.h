#pragma once
// The floating lyric window's size rules, in twips (1440 to the logical
// inch). Plain functions; the window converts to pixels.
#include <QRectF>
#include <QSizeF>

namespace cantorel::floating {

// A dimension that falls to its threshold or below is set back to its
// floor; each dimension on its own, and only then (a window of 350 twips
// keeps its width).
inline constexpr double kNarrowestWidth = 320;
inline constexpr double kWidthFloor = 400;
inline constexpr double kLowestHeight = 1120;
inline constexpr double kHeightFloor = 2000;

// The size a normal or maximised window of `size` is set to.
QSizeF boundedSize(QSizeF size);

// The two lists side by side in a client area of `client`: each half the
// width less 120 twips, 100 twips apart, the height less 140 twips, from a
// corner 60 twips in.
struct ListPlaces {
    QRectF list1;
    QRectF list2;
};
ListPlaces listPlaces(QSizeF client);

} // namespace cantorel::floating
