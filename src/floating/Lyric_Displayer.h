#pragma once
// The floating lyric window ("Lyrics Display"): the whole lyric of the
// current song, normal lines in List1 and their translations in List2 side
// by side, with the line being sung selected. It can be kept above other
// windows ("Stay On Top" in its right-click menu).
//
// How the player drives it:
// - fill() on every play that starts a channel and on "Display All Lyrics"
//   (which then shows the window); fill() never shows it;
// - normalPaneChanged() each time the text of its normal-lyric pane changes:
//   the window selects the current line at once and, while it is shown,
//   again during a short burst of 100 ms steps (about 700 ms), then no timer
//   runs until the next change; showing the window selects the current line
//   too;
// - the play position is asked of the function given at construction, in
//   milliseconds (the player's seek-slider value).
//
// Word times: the words of the selected line that have been sung are
// marked (SungWordsDelegate.h), following the wipe clock given (setClock()),
// while the window is shown.
//
// The window has no parent by default, so it stays usable while the player
// is disabled; closing it only hides it. User-interface thread only.
#include "floating/FollowBurst.h"
#include "karaoke/Wipe.h"
#include "karaoke/WipeClock.h"

#include <QWidget>

#include <functional>
#include <vector>

class QListWidget;
class QMenu;
class QAction;

namespace cantorel {

namespace lyrics {
struct LyricTable;
}

namespace floating {
class SungWordsDelegate;
}

class Lyric_Displayer : public QWidget, public karaoke::WipeClock::Follower {
    Q_OBJECT
public:
    // The play position in milliseconds.
    using PositionSource = std::function<int()>;

    // The designed size in twips.
    static constexpr int kFormWidth = 7200;
    static constexpr int kFormHeight = 4800;
    // Period of the stay-on-top re-assertion while "Stay On Top" is checked.
    static constexpr int kOnTopMs = 10000;

    explicit Lyric_Displayer(PositionSource position, QWidget* parent = nullptr);
    ~Lyric_Displayer() override;

    // Marks the sung words following `clock` (null: none), which must
    // outlive the window or be set back to null first.
    void setClock(karaoke::WipeClock* clock);
    // The row whose sung words are marked (-1: none), and how many are.
    int markedRow() const;
    int markedWords() const;
    double follow(double positionMs) override;

    // Clears the three lists; unless `noLyrics`, lists the lines 1 ..
    // lineCount - 1 of `table` (listLines into List1, listTimes into the
    // hidden List3 and, unless the table has no translation,
    // listTranslatedLines into List2), with the word times of each line.
    void fill(const lyrics::LyricTable& table, bool noLyrics);

    // The player's normal-lyric pane has a new text.
    void normalPaneChanged();

    // One follow step: selects the line of the current play position
    // (see floating/FollowRule.h); leaves the selection alone before the
    // first line and with fewer than two lines.
    void followStep();

    // A follow burst is running.
    bool following() const { return m_burst->running(); }
    bool staysOnTop() const;

    // "Stay On Top" checked or not.
    void setStayOnTop(bool on);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void list1RowChange();
    void ontopTick();
    void openMenu(const QPoint& globalPos);
    void placeLists();

    PositionSource m_position;
    QListWidget* m_list1 = nullptr;
    QListWidget* m_list2 = nullptr;
    QListWidget* m_list3 = nullptr;            // hidden: the times, in hundredths
    std::vector<double> m_times;               // List3 read as numbers
    QList<QList<karaoke::WordTiming>> m_words; // of each row
    floating::SungWordsDelegate* m_marks = nullptr;
    karaoke::WipeClock* m_clock = nullptr;
    floating::FollowBurst* m_burst = nullptr;
    QTimer* m_ontop = nullptr;
    QMenu* m_mneu = nullptr;
    QAction* m_mnStay = nullptr;
};

} // namespace cantorel
