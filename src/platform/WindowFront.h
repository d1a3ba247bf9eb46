#pragma once
// Bringing a program's window to the user, when something outside the window
// asks for it (a second start of the program, the desktop's sound menu).
class QWidget;

namespace cantorel {

// Shows `window` if hidden, restores it if minimised (a maximised window
// stays maximised), raises it and asks the desktop to make it the active
// window (the desktop may decline, e.g. to prevent focus stealing).
// User-interface thread.
void bringToFront(QWidget& window);

} // namespace cantorel
