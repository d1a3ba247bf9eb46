#pragma once
// A lyric pane (widgets/LyricPane.h) that wipes a line sung word by word:
// while the line it shows has word times, the sung part is drawn in the
// pane's text colour and the rest faded towards its background, the sung
// part growing across each word as it is sung (Wipe.h). A line without word
// times is drawn exactly as a plain pane draws it.
//
// It follows the wipe clock it is given (WipeClock.h) and repaints only the
// strip the wipe crossed, only when it crossed a whole pixel; between lines
// and for lines without word times it asks the clock for nothing.
//
// User-interface thread only.
#include "karaoke/LineWipe.h"
#include "karaoke/WipeClock.h"
#include "widgets/LyricPane.h"

namespace cantorel::karaoke {

class KaraokePane : public LyricPane, public WipeClock::Follower {
    Q_OBJECT
public:
    // How far the unsung part's colour goes from the text's towards the
    // background's (0: none, 1: all the way).
    static constexpr double kUnsungFade = 0.55;

    explicit KaraokePane(const QString& objectName, QWidget* parent = nullptr);
    ~KaraokePane() override;

    // Follows `clock` (null: none; then no wipe moves). It must outlive the
    // pane or be set back to null first.
    void setClock(WipeClock* clock);
    // The word times of the line `text` (the table's text of the line);
    // they are used while the pane shows that text.
    void setWords(const QString& text, const QList<WordTiming>& timings);

    // The pane shows a line with word times, wiped.
    bool wiping();
    // How far along the line's run the sung part is drawn, in pixels.
    int sungPx() const { return m_wipe.sungPx(); }

    double follow(double positionMs) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Lays the shown text out as the pane draws it (when its text, font,
    // size or colours changed since); true when there is a wipe to draw.
    bool layOut();
    void laidOutAnew();

    LineWipe m_wipe;
    WipeClock* m_clock = nullptr;
    bool m_stale = true; // the layout is to be made again
};

// Makes a pane for a window's control table (form::Kind::Made rows).
LyricPane* makeKaraokePane(const form::Control& row, const QString& caption, QWidget* form);

} // namespace cantorel::karaoke
