#include "platform/WindowFront.h"

#include <QWidget>

namespace cantorel {

void bringToFront(QWidget& window)
{
    if (window.windowState() & Qt::WindowMinimized)
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace cantorel
