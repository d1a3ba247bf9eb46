#pragma once
// The lyric of the track another player plays, kept on its line as the
// player's own lyric is (controller/LineFollower.h: one timer armed for the
// next line), without a window or a player of its own: what
// `cantorel-lyrics follow` prints from.
//
// User-interface thread only. `clock` must outlive this.
#include "controller/LyricClock.h"
#include "controller/LyricLines.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTable.h"

#include <QObject>

#include <memory>

namespace cantorel {
class LineFollower;
}

namespace cantorel::follow {

class TrackLyric : public QObject {
    Q_OBJECT
public:
    explicit TrackLyric(LyricClock& clock, QObject* parent = nullptr);
    ~TrackLyric() override;

    // The lyric of the song at `songPath`, looked for as the player does
    // ("" or none found: no lyric). Returns what was found.
    lyrics::FoundLyric load(const QString& songPath);
    bool hasLyric() const { return m_hasLyric; }
    bool hasTranslation() const { return m_hasLyric && !m_table->noTranslation; }
    // The line being heard and its translation ("" in a silence, before
    // the first line, or without a lyric).
    QString line() const;
    QString translation() const;

    // The clock jumped or changed its motion.
    void clockChanged();

Q_SIGNALS:
    // line() or translation() may have changed.
    void linesChanged();

private:
    std::unique_ptr<lyrics::LyricTable> m_table;
    LineFollower* m_follower;
    bool m_hasLyric = false;
};

} // namespace cantorel::follow
