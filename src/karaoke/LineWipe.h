#pragma once
// What a view of one lyric line needs to wipe it: the line laid out
// (WipedText.h), the word times of the line it shows, and how far the wipe
// was drawn. The view gives it its text, font and box as they change and
// the word times as the player's line changes, in either order: the times
// hold only while the text laid out is the one they were given for, so a
// view never wipes a line with another line's words.
//
// User-interface thread only.
#include "karaoke/WipedText.h"

namespace cantorel::karaoke {

class LineWipe {
public:
    // The word times of the line `text` (none: the line is drawn plain);
    // true when they differ from those given before.
    bool setWords(const QString& text, const QList<WordTiming>& timings);
    // Lays the view's text out (WipedText::setText); true when it changed.
    bool setText(const QString& text, const QFont& font, const QSizeF& box, bool wrap);
    void setLook(const TextLook& look, double pixelRatio) { m_text.setLook(look, pixelRatio); }

    // Word times for the text laid out: the view draws the wipe.
    bool active() const;
    const QList<WordTiming>& timings() const { return m_timings; }
    const WipedText& text() const { return m_text; }
    // The whole pixels of the run drawn sung.
    int sungPx() const { return m_sungPx; }

    // The wipe at `positionMs`: when its whole pixels changed, what to
    // repaint goes into *changed (for the box at `origin`). Returns the
    // next position at which they change, -1 for none.
    double follow(double positionMs, const QPointF& origin, QRegion* changed);
    void paint(QPainter& painter, const QPointF& origin);

private:
    WipedText m_text;
    QString m_wordsText;
    QList<WordTiming> m_timings;
    Wipe m_wipe;
    bool m_wipeValid = false;
    int m_sungPx = 0;
};

} // namespace cantorel::karaoke
