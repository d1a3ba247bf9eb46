#pragma once
// The live offset of the player's lyric: while a song plays the user can
// move its lyric 100 ms earlier or later at a time, and keep the move in the
// lyric's own file. The lyric as loaded is kept aside; the table the lines
// follow is always that lyric shifted by the current offset
// (lyrics/LyricOffset.h has the rules and the sign: positive is earlier).
// A new lyric starts at offset 0.
//
// User-interface thread only.
#include "lyrics/LyricOffset.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTable.h"

#include <QObject>

#include <memory>

namespace cantorel {

class LiveOffset : public QObject {
    Q_OBJECT
public:
    // `shown` is the table the lines follow; it must outlive this.
    explicit LiveOffset(lyrics::LyricTable& shown, QObject* parent = nullptr);
    ~LiveOffset() override;

    // A lyric was loaded into the shown table from `origin`: it becomes the
    // base, and the offset goes back to 0.
    void reset(const lyrics::LyricOrigin& origin);
    // No lyric: nothing can be moved.
    void clear();
    bool hasLyric() const { return m_origin.kind != lyrics::LyricOrigin::Kind::None; }
    const lyrics::LyricOrigin& origin() const { return m_origin; }
    qint64 offsetMs() const { return m_offsetMs; }

    void earlier();
    void later();
    // Keeps the offset in the lyric's source (saveOffsetIntoLyric) for the
    // song `mediaPath`, then loads the lyric again from there at offset 0.
    // A read-only lyric file is left as it is and readOnlyRefused asks
    // whether to replace it anyway.
    void save(const QString& mediaPath);
    // The same, replacing read-only lyric files (which stay read-only).
    void saveReplacingReadOnly(const QString& mediaPath);

Q_SIGNALS:
    // The shown table changed; `said` is for the user ("Lyric 0.3 s
    // earlier", "Offset kept in Rain.lrc", with the files written as UTF-8
    // because their text no longer fit their encoding).
    void moved(const QString& said);
    // The lyric was loaded again after a save, from `origin`.
    void reloaded(const lyrics::LyricOrigin& origin);
    void saveFailed(const QString& reason);
    // Nothing was saved because a lyric file is read-only; `question` asks
    // the user whether to replace it anyway (then: saveReplacingReadOnly).
    void readOnlyRefused(const QString& question);

private:
    void move(qint64 deltaMs);
    void saveWith(const QString& mediaPath, ReadOnlyRule readOnly);

    lyrics::LyricTable& m_shown;
    std::unique_ptr<lyrics::LyricTable> m_base;
    lyrics::LyricOrigin m_origin;
    qint64 m_offsetMs = 0;
};

} // namespace cantorel
