#pragma once
// Keeps the lyric lines (LyricLines.h) on the line being heard. The line
// lookup and the emphasis rule (lyrics/LineLookup.h) stay what they are,
// functions of the position and of the lines shown; they are only asked
// when their answer can change:
// - the lookup at the position the clock gives now, then again at the next
//   line's time through one single-shot timer ("Timer2") armed for it, and
//   whenever the owner says the clock jumped, started, stopped, paused or
//   resumed (lookUpNow);
// - the emphasis each time a shown text changes.
// Nothing runs while nothing can change: no lyric, or a stopped clock, arms
// no timer. A paused clock arms it only while its position settles: the
// device still plays out what it held at the pause (a piece or two of
// audio), so the lookup is asked again every kSettleLookMs until the
// position stands still (at most kSettleLooks times), and a line that
// begins in those last moments shows for the whole pause.
//
// User-interface thread only. Positions in ms.
#include "controller/LyricClock.h"
#include "controller/LyricLines.h"

#include <QObject>
#include <QTimer>

namespace cantorel {

namespace lyrics {
struct LyricTable;
}

class LineFollower : public QObject {
    Q_OBJECT
public:
    // `table` and `clock` must outlive the follower.
    LineFollower(const lyrics::LyricTable& table, LyricClock& clock, QObject* parent = nullptr);

    // The lines follow `clock` from the next lookup on.
    void setClock(LyricClock& clock) { m_clock = &clock; }

    // The first play with lyrics turns both rules on; they stay on.
    void turnOn();
    bool isOn() const { return m_on; }
    // No lyric for the current song: the lookup leaves the lines alone.
    void setNoLyrics(bool noLyrics) { m_noLyrics = noLyrics; }

    // The lookup at the clock's position now, then the timer armed for the
    // next change while the clock runs.
    void lookUpNow();
    // The emphasis rule on what is shown.
    void emphasise();

    const LyricLines& lines() const { return m_lines; }
    // Texts put in place by the player itself (the placeholders, the line
    // "Play" shows): `line` is the slot text1 comes from, -1 for none.
    void showTexts(const QString& text1, const QString& text2);
    void showLine(const QString& text1, int line);
    void setTips(const QString& tip1, const QString& tip2);
    void setTwoPanes(bool two);

    // The single-shot timer of the next line ("Timer2").
    QTimer& lineTimer() { return m_lineTimer; }

    static constexpr int kSettleLookMs = 20;
    static constexpr int kSettleLooks = 25;

Q_SIGNALS:
    // What is shown changed (not emitted when nothing did).
    void linesChanged(const LyricLines& lines);

private:
    // Sets the bold flags of `lines` by their texts.
    void putBold(LyricLines& lines) const;
    // Shows `next`: its emphasis worked out when the rule is on and a text
    // changed.
    void put(LyricLines next);
    void arm(qint64 positionMs);
    // Paused: looks again while the position still moves.
    void armWhileSettling(qint64 positionMs);

    const lyrics::LyricTable& m_table;
    LyricClock* m_clock;
    LyricLines m_lines = LyricLines::designed();
    QTimer m_lineTimer;
    bool m_on = false;
    bool m_noLyrics = false;
    qint64 m_lastLookedUp = -1;
    int m_settleLooks = 0; // looks since the clock last ran
};

} // namespace cantorel
