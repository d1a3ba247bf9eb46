#include "desktopbar/BarPlacement.h"

#include <algorithm>

namespace cantorel::desktopbar {

QPoint barPlace(const std::optional<QPoint>& kept, const QSize& size, const QList<QRect>& screens, const QRect& primary)
{
    if (kept) {
        const QRect bar(*kept, size);
        for (const QRect& screen : screens) {
            const QRect seen = bar.intersected(screen);
            if (seen.width() >= std::min(kLeastSeenPx, size.width())
                && seen.height() >= std::min(kLeastSeenPx, size.height()) && !seen.isEmpty())
                return *kept;
        }
    }
    return primaryPlace(size, primary);
}

QPoint primaryPlace(const QSize& size, const QRect& primary)
{
    const int x = primary.left() + (primary.width() - size.width()) / 2;
    const int y = primary.bottom() + 1 - kBottomGapPx - size.height();
    return QPoint(std::max(x, primary.left()), std::max(y, primary.top()));
}

} // namespace cantorel::desktopbar
