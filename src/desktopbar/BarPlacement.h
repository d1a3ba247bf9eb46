#pragma once
// Where the desktop lyric bar goes on the desktop. Plain functions.
//
// A place kept from another run may lie off every screen now (a monitor
// unplugged, a smaller desktop): the bar then comes back onto the primary
// screen, centred near its bottom, where it also goes the first time.
// Rectangles are the screens' available areas, in desktop pixels.
#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

namespace cantorel::desktopbar {

// How much of the bar must lie on some screen for its place to count.
inline constexpr int kLeastSeenPx = 32;
// The gap between the bar and the bottom of the primary screen.
inline constexpr int kBottomGapPx = 48;

// The top left corner for a bar of `size`: `kept` when a part of at least
// kLeastSeenPx both ways lies on one of `screens`, else the primary's
// place (primaryPlace()).
QPoint barPlace(const std::optional<QPoint>& kept, const QSize& size, const QList<QRect>& screens,
                const QRect& primary);

// Centred across `primary`, kBottomGapPx above its bottom (held inside it).
QPoint primaryPlace(const QSize& size, const QRect& primary);

} // namespace cantorel::desktopbar
