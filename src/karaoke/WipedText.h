#pragma once
// A line of lyric laid out in a box and drawn with a wipe: the sung part of
// its run in one colour, the rest in another, optionally outlined so that it
// reads on any background.
//
// The text is laid out once per text, font and box: wrapped at word
// boundaries (or kept on one row), each row centred, the rows centred
// vertically in the box, as the lyric panes draw it. Its run is its rows
// laid end to end: a place on it is the sum of the widths of the rows
// before plus the place inside its own row, in pixels (Wipe.h). Plain text
// is drawn as it is, each colour clipped to its part; outlined text, costly
// to draw, is drawn once per colour into an image, and a paint copies parts
// of those.
//
// User-interface thread only. Pixels are the widget's (logical) pixels.
#include "karaoke/Wipe.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRegion>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;
class QTextLayout;

namespace cantorel::karaoke {

struct TextLook {
    QColor unsung;
    QColor sung;
    QColor outline;
    double outlinePx = 0; // 0: no outline
    bool operator==(const TextLook&) const = default;
};

// `from` moved `share` of the way towards `to` (0: `from`, 1: `to`), keeping
// `from`'s alpha: the colour of a part not yet sung.
QColor blended(const QColor& from, const QColor& to, double share);

class WipedText {
public:
    WipedText();
    ~WipedText();

    // Lays `text` out anew when it, `font`, `box` or `wrap` differ from what
    // is laid out; true when it did.
    bool setText(const QString& text, const QFont& font, const QSizeF& box, bool wrap);
    // The colours (and the device's pixel ratio) the images are drawn in.
    void setLook(const TextLook& look, double pixelRatio = 1);

    const QString& text() const { return m_text; }
    // Where characters [start, start + length) lie on the run, as a word
    // for the wipe (times left 0).
    WipeWord extent(int start, int length) const;
    // The wipe of `timings` over this layout.
    Wipe wipeOf(const QList<WordTiming>& timings) const;

    // Draws the text with its box at `origin`, sung up to `sungPx` along
    // the run (0: all unsung; the whole run's length, every row's width, or more: all sung).
    void paint(QPainter& painter, const QPointF& origin, int sungPx);
    // What changes on the screen when the wipe moves from `fromPx` to
    // `toPx`, for a box at `origin`: a strip of each row the move crosses.
    QRegion changed(int fromPx, int toPx, const QPointF& origin) const;
    // Where the text's letters and outline may be, for a box at `origin`.
    QRectF inkRect(const QPointF& origin) const;

private:
    struct Row {
        double runStartPx; // where the row begins on the run
        double widthPx;
        double leftPx; // in the box
        double topPx;
        double bottomPx; // the band of the box this row owns
    };
    void layOut();
    void paintDirectly(QPainter& painter, const QPointF& origin, int sungPx);
    QImage blankImage() const;
    QImage render(const QColor& fill);
    void dropImages();
    // Which row holds the character at `position` (the last row past the end).
    int rowOf(int position) const;
    double runAt(int position, int row) const;
    // How far a row's ink may reach past its text, in pixels.
    double reachPx() const;

    QString m_text;
    QFont m_font;
    QSizeF m_box;
    bool m_wrap = true;
    std::unique_ptr<QTextLayout> m_layout;
    QList<Row> m_rows;
    double m_runPx = 0;
    double m_topPx = 0; // where the first row starts in the box
    double m_overhangPx = 0;

    TextLook m_look;
    double m_pixelRatio = 1;
    QImage m_outlineImage;
    QImage m_unsungImage;
    QImage m_sungImage;
};

} // namespace cantorel::karaoke
