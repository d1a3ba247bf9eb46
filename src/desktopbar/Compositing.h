#pragma once
// Whether the desktop composes its windows, so that a window's transparent
// pixels show what lies below it. Wayland always does; on X11 it does while
// a compositing manager holds the screen's _NET_WM_CM_S<n> selection (and
// without one, a see-through window shows black where it is clear). Any
// other platform (the tests' offscreen one) counts as composing.
//
// User-interface thread only; it asks the X server each time (one round
// trip), since a compositor may start or stop while the program runs.

namespace cantorel::desktopbar {

bool desktopComposites();

} // namespace cantorel::desktopbar
