#pragma once
// Keeps the player's two lyric panes on the line being heard. The line
// lookup and the emphasis rule (lyrics/LineLookup.h) stay what they are,
// functions of the position and of the panes' texts; they are only asked
// when their answer can change:
// - the lookup (the window's Timer2) at the position heard now, then again at
//   the next line's time through one single-shot timer armed for it, and
//   whenever the window says the position jumped or the song started,
//   stopped, paused or resumed;
// - the emphasis (Timer1: bold while a shown line holds "!") each time a
//   pane's text changes.
// Nothing runs while nothing can change: a song without lyric, or a stopped
// one, arms no timer. A paused song arms it only while the heard position
// settles: the device still plays out what it held at the pause (up to a
// piece or two of audio), so the lookup is asked again every
// kSettleLookMs until the position stands still (at most kSettleLooks
// times), and a line that begins in those last moments shows for the
// whole pause.
//
// User-interface thread only. Positions in ms.
#include <QObject>
#include <QTimer>

namespace cantorel {

class LyricPane;
namespace engine {
class Transport;
}
namespace lyrics {
struct LyricTable;
}

class LyricFollower : public QObject {
    Q_OBJECT
public:
    LyricFollower(const lyrics::LyricTable& table, engine::Transport& transport, LyricPane& text1, LyricPane& text2,
                  QObject* parent = nullptr);

    // The first play with lyrics turns both rules on; they stay on.
    void turnOn();
    bool isOn() const { return m_on; }
    // No lyric file for the current song: the lookup leaves the panes alone.
    void setNoLyrics(bool noLyrics) { m_noLyrics = noLyrics; }

    // The lookup at the position heard now, then the timer armed for the
    // next change while the song plays.
    void lookUpNow();
    // The emphasis rule on what the panes show.
    void emphasise();

    // The single-shot timer of the next line ("Timer2").
    QTimer& lineTimer() { return m_lineTimer; }

    static constexpr int kSettleLookMs = 20;
    static constexpr int kSettleLooks = 25;

private:
    void arm(qint64 positionMs);
    // Paused: looks again while the heard position still moves.
    void armWhileSettling(qint64 positionMs);

    const lyrics::LyricTable& m_table;
    engine::Transport& m_transport;
    LyricPane& m_text1;
    LyricPane& m_text2;
    QTimer m_lineTimer;
    bool m_on = false;
    bool m_noLyrics = false;
    qint64 m_lastLookedUp = -1;
    int m_settleLooks = 0; // looks since the song last ran
};

} // namespace cantorel
