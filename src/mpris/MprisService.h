#pragma once
// The player on the session bus as an MPRIS media player, so the desktop's
// media keys, sound menus, lock screen and panel applets show and drive it.
//
// It registers the object /org/mpris/MediaPlayer2 with the root interface
// org.mpris.MediaPlayer2 and the org.mpris.MediaPlayer2.Player interface,
// and then the name org.mpris.MediaPlayer2.cantorel (or, when another
// process has it, org.mpris.MediaPlayer2.cantorel.instance<pid>).
//
// Every method runs the player's own action (controller/PlayerController.h),
// as the window's buttons do, so the window and the bus never disagree: Play
// plays (or resumes a paused song), Pause and PlayPause pause, Stop stops,
// Next is ">>", Previous "<<", Seek and SetPosition move the song as the
// seek slider does, OpenUri opens a file as a hand-over does, Raise brings
// the player's window to the front and Quit closes it as the user would
// (unsaved editor lines are asked about); the last two reach the window
// through the player's raiseRequested() and quitRequested(). Next and
// Previous go from the selected playlist entry, else from the playing song's
// (see forwardEntry() in playlist/PlayOrder.h); CanGoNext and CanGoPrevious
// are true exactly when the playlist has an entry to go to. LoopStatus and
// Shuffle are the playlist's Repeat and Random (see MprisPlayOrder.h); a
// write sets them as the user would. A method returns at once and its action
// runs right after, from the event loop, so a message box the action may
// show never holds up the caller on the bus. While the player is busy (the
// lyric maker is open) the Can* properties are false and the transport
// methods do nothing.
//
// The service must not outlive the player.
//
// Properties are read from the player when asked. PropertiesChanged is sent
// when the player signals a change, carrying only the properties that
// changed; Seeked is sent after every seek. Position is in microseconds, as
// MPRIS has it; mpris:length is the song's exact length from its open;
// Volume is the volume's steps 1..10 as 0.1 to 1.0, and 0.0 while muted (a
// Volume set below 0.05 mutes, any other unmutes).
//
// Without a session bus nothing is registered and nothing is reported; the
// player works as ever. User-interface thread only.
#include "lyrics/SongTags.h"
#include "playlist/PlayOrder.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

namespace cantorel {

class PlayerController;

namespace lyrics {
class BackgroundReads;
}

namespace mpris {

class MprisPlayer;

class MprisService : public QObject {
    Q_OBJECT
public:
    static constexpr char kObjectPath[] = "/org/mpris/MediaPlayer2";
    static constexpr char kServiceName[] = "org.mpris.MediaPlayer2.cantorel";

    // Registers on `bus` (the session bus unless given); see isRegistered().
    explicit MprisService(PlayerController& player, QDBusConnection bus = QDBusConnection::sessionBus(),
                          QObject* parent = nullptr);
    ~MprisService() override;

    bool isRegistered() const { return !m_serviceName.isEmpty(); }
    // The bus name taken, "" when none.
    QString serviceName() const { return m_serviceName; }

    // What the interfaces read.
    QString playbackStatus() const;
    QVariantMap metadata() const { return m_metadata; }
    qlonglong positionUs() const;
    double volume() const;
    QString loopStatus() const;
    bool shuffle() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;
    bool canGoNext() const;
    bool canGoPrevious() const;

    // What the interfaces do (each after the call has returned).
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    void seek(qlonglong offsetUs);
    void setPosition(const QDBusObjectPath& trackId, qlonglong positionUs);
    void openUri(const QString& uri);
    void setVolume(double volume);
    void setLoopStatus(const QString& status);
    void setShuffle(bool shuffle);
    void raise();
    void quit();

private:
    // What PropertiesChanged reports, as last sent.
    struct Shown {
        QString status;
        QVariantMap metadata;
        double volume = 0;
        QString loopStatus;
        bool shuffle = false;
        bool canPlay = false;
        bool canPause = false;
        bool canSeek = false;
        bool canGoNext = false;
        bool canGoPrevious = false;
    };
    // Identifies the open song and its lyric; the metadata is built again
    // only when it changes.
    struct TrackKey {
        QString path;
        unsigned lengthMs = 0;
        int lyricLines = 0;
        bool operator==(const TrackKey&) const = default;
    };

    void later(std::function<void()> action);
    void connectPlayer();
    Shown current();
    void refresh();
    void updateMetadata();
    // The tags of `path` when they are known; otherwise none for now, and
    // the metadata is built again when they have been read.
    lyrics::SongTags knownTags(const QString& path);
    qint64 lengthMs() const;
    PlaylistState playOrder() const;
    bool controllable() const;

    PlayerController& m_player;
    QDBusConnection m_bus;
    QString m_serviceName;
    MprisPlayer* m_adaptor = nullptr;
    Shown m_shown;
    TrackKey m_trackKey;
    QVariantMap m_metadata;
    lyrics::SongTags m_tags;
    lyrics::BackgroundReads* m_tagReads;
    QString m_trackId;
    int m_openings = 0;
};

} // namespace mpris
} // namespace cantorel
