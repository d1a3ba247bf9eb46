#pragma once
// The open song's lyric as the player shows it: the lyric table and where it
// came from (the lyric pair, an LRC file, a lyric embedded in the song, in
// the encoding the user chose; or one from elsewhere), its live offset
// (LiveOffset.h), and the lines that follow a clock (LineFollower.h). The
// player (PlayerController.h) says when a song opens, plays, stops or goes;
// this says what the panes show.
//
// User-interface thread only. Positions in ms.
#include "controller/LyricClock.h"
#include "controller/LyricLines.h"
#include "controller/UserMessage.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTable.h"

#include <QObject>

#include <memory>

class QTimer;

namespace cantorel {

class LineFollower;
class LiveOffset;

class SongLyric : public QObject {
    Q_OBJECT
public:
    // The lines follow `clock` (the player's own song) until follow()
    // names another; it must outlive this.
    explicit SongLyric(LyricClock& clock, QObject* parent = nullptr);
    ~SongLyric() override;

    const lyrics::LyricTable& table() const { return *m_table; }
    // Where the lyric in place came from (Kind::None without one).
    const lyrics::LyricOrigin& origin() const;
    const LyricLines& lines() const;
    bool loaded() const { return m_loaded; }
    // A lyric file was found for a song since the player last had none.
    bool found() const { return m_found; }
    bool noLyrics() const { return m_noLyrics; }
    bool noTranslation() const { return m_table->noTranslation; }

    // The song shown so far is left for another: a lyric pane alone gets
    // the translated pane back.
    void leaveSong();
    // A new song: no lines yet, the line shown by "Play" is the first.
    void beginSong();
    enum class Load { None, Loaded, Failed };
    // Looks for the lyric of the song at `mediaPath` and loads it (at offset
    // 0). Failed: a lyric file could not be read (a message said why).
    // `found` (when given) gets what was found.
    Load load(const QString& mediaPath, lyrics::FoundLyric* found = nullptr);
    // Another player's song at `songPath` ("" for a track that is no local
    // file): its lyric, looked for as load() does, shown where the clock is;
    // without one the placeholders. Returns what was found.
    lyrics::FoundLyric showSongOf(const QString& songPath);
    // The lyric again from its files as they read now (another encoding
    // chosen), where the song is.
    void reload(const QString& mediaPath);
    // `table`, from elsewhere (`origin` says where), is the lyric from now on.
    void show(const lyrics::LyricTable& table, const lyrics::LyricOrigin& origin);
    // No song: no lyric, and the panes' placeholders.
    void forget();

    // A song starts playing: without a lyric file (the one found is gone)
    // the lines stay as they are.
    void songStarts();
    // "Play with lyrics": the line rules on, the current line shown.
    void showCurrentLine();
    void showPlaceholders();
    // A stop: the tooltips say what the panes are.
    void showStopped();
    void lookUpNow();
    void emphasise();
    bool rulesOn() const;
    QTimer& lineTimer();

    void earlier();
    void later();
    void saveOffset(const QString& mediaPath);
    void saveOffsetReplacingReadOnly(const QString& mediaPath);
    qint64 offsetMs() const;

    // The lines follow `clock` (null: the one given at the start).
    void follow(LyricClock* clock);

Q_SIGNALS:
    // What PlayerController says of the same names.
    void linesChanged(const LyricLines& lines);
    void lyricLoaded(const lyrics::FoundLyric& found, bool newSong);
    void tableChanged();
    void offsetMoved(const QString& said);
    void offsetNeedsReadOnlyReplace(const QString& question);
    void message(const UserMessage& message);

private:
    void connectOffset();
    // Puts a loaded lyric in place: false without one (said when a file
    // could not be read).
    bool adopt(const lyrics::FoundLyric& found, bool newSong);

    LyricClock& m_ownClock;
    std::unique_ptr<lyrics::LyricTable> m_table;
    LineFollower* m_follower;
    LiveOffset* m_offset;
    QString m_lyricPath; // the file whose presence says there is a lyric
    int m_currentLine = 1;
    bool m_loaded = false;
    bool m_found = false;
    bool m_noLyrics = false;
    bool m_elsewhere = false; // show(): no file of its own
};

} // namespace cantorel
