#pragma once
// The player's "More Options" copy: after showing the options window, the
// player copies its previews onto the lyric panes, in this order:
// 1. normal pane: font name, italic, underline, size and background of the
//    normal preview;
// 2. translated pane: font name of the translated preview;
// 3. translated pane: italic, underline, size and background of the normal
//    pane as just set.
// Text colour, bold and strike-out are not copied (the font choices set the
// panes' text colour themselves). User-interface thread only.
namespace cantorel {

class Form1b;

// Copies onto the panes `options` was made with.
void applyOptionPreviews(const Form1b& options);

} // namespace cantorel
