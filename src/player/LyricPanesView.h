#pragma once
// Draws the player's lyric lines (controller/LyricLines.h) on the window's
// two lyric panes: texts, tooltips, emphasis, and the layout of one pane or
// two (the lyric pane alone is taller). Only what changed since the last
// lines is touched, so a pane keeps whatever the player has not changed.
// User-interface thread only.
#include "controller/LyricLines.h"

class QWidget;

namespace cantorel {

class LyricPane;

class LyricPanesView {
public:
    // `text1`, `text2` and `form` (which measures twips) must outlive this.
    LyricPanesView(LyricPane& text1, LyricPane& text2, QWidget& form);

    void show(const LyricLines& lines);

private:
    void setTwoPanes(bool two);

    LyricPane& m_text1;
    LyricPane& m_text2;
    QWidget& m_form;
    LyricLines m_shown; // nothing known yet: the first lines are drawn whole
};

} // namespace cantorel
