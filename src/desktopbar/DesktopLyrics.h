#pragma once
// The desktop lyric bar ("Desktop Lyrics", object name `desktopLyrics`): a
// frameless window above all others that shows the line being sung in
// large outlined letters, the translation or the next line below it in
// smaller ones, and wipes the line as its words are sung (the sung part in
// a colour of its own; karaoke/Wipe.h).
//
// It is a view: DesktopLyricsSwitch.h gives it the lines, the look and the
// lock, and keeps what the user changes here. Unlocked, it shows a faint
// panel while the mouse is over it, moves when dragged (placed() at the
// end), grows or shrinks with the wheel (looked() with the new look) and
// opens its menu on a right click. Locked, every click passes through it
// to what lies below. Its text is what assistive technology reads.
//
// User-interface thread only. Sizes in pixels.
#include "desktopbar/BarLines.h"
#include "desktopbar/BarSettings.h"
#include "karaoke/LineWipe.h"
#include "karaoke/WipeClock.h"

#include <QPointer>
#include <QWidget>

#include <QMenu>

namespace cantorel::desktopbar {

class DesktopLyrics : public QWidget, public karaoke::WipeClock::Follower {
    Q_OBJECT
public:
    // The wheel makes the bar this much larger or smaller a notch.
    static constexpr double kWheelStep = 1.1;
    static constexpr int kMarginPx = 10;
    // The width when none is kept: this share of the primary screen.
    static constexpr double kDefaultWidthShare = 0.6;

    // `clock` (may be null) must outlive the bar.
    explicit DesktopLyrics(karaoke::WipeClock* clock, QWidget* parent = nullptr);
    ~DesktopLyrics() override;

    void setLines(const BarLines& lines, const QList<karaoke::WordTiming>& timings);
    const BarLines& lines() const { return m_lines; }
    // The words of the first line are being wiped.
    bool wiping() const { return m_first.active(); }
    int sungPx() const { return m_first.sungPx(); }

    void setLook(const BarLook& look);
    const BarLook& look() const { return m_look; }
    // The width the bar has for `look` (the default's for a width of 0).
    static int widthFor(const BarLook& look);

    void setLocked(bool locked);
    bool locked() const { return m_locked; }
    // The menu a right click opens (null: none); it must outlive the bar.
    void setMenu(QMenu* menu) { m_menu = menu; }

    // Without a compositor a window's clear pixels show black, not what is
    // below it: shaped, the bar is cut to the shape of its letters and
    // their outline (the whole bar while its panel shows).
    void setShaped(bool shaped);
    bool shaped() const { return m_shaped; }

    // The text assistive technology reads: the lines shown, one a line.
    QString spokenText() const;

    double follow(double positionMs) override;

Q_SIGNALS:
    // The user dragged the bar to `topLeft`.
    void placed(const QPoint& topLeft);
    // The user resized the bar with the wheel.
    void looked(const BarLook& look);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Sizes the bar for its look and lays both lines out.
    void layOut();
    QRectF firstBox() const;
    QRectF secondBox() const;
    void scale(double factor);
    // Where the lines' letters are (the whole bar while its panel shows).
    QRegion inkRegion() const;
    void paintLines(QPainter& painter);
    // Cuts a shaped bar to what it shows now.
    void reshape();

    karaoke::WipeClock* m_clock;
    BarLook m_look;
    BarLines m_lines;
    karaoke::LineWipe m_first;
    karaoke::WipedText m_second;
    double m_firstHeightPx = 0;
    double m_secondHeightPx = 0;
    QPointer<QMenu> m_menu;
    bool m_locked = false;
    bool m_hovered = false;
    bool m_dragging = false;
    bool m_shaped = false;
    QPoint m_grab; // where in the bar a drag took hold
    int m_wheelEighths = 0;
};

} // namespace cantorel::desktopbar
