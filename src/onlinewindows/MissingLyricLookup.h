#pragma once
// "Look up missing lyrics online": while it is on, a song that opens
// without a lyric is looked up on the server as it starts; a lyric found is
// written beside the song (online/FoundLyricFiles.h) and, when timed, shown
// at once. Nothing modal: what happened is said through noted(), and a song
// left before its answer came gets nothing.
//
// User-interface thread only.
#include "lyrics/LyricSource.h"

#include <QObject>
#include <QPointer>

namespace cantorel {

class OnlineServices;
class PlayerController;
namespace online {
class LookupJob;
struct LookupResult;
} // namespace online

class MissingLyricLookup : public QObject {
    Q_OBJECT
public:
    // `player` and `services` must outlive this.
    MissingLyricLookup(PlayerController& player, OnlineServices& services, QObject* parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);

Q_SIGNALS:
    // For the user, briefly ("Found online: Rain.lrc").
    void noted(const QString& text);

private:
    void lyricLoaded(const lyrics::FoundLyric& found, bool newSong);
    void answered(const QString& mediaPath, const online::LookupResult& result);

    PlayerController& m_player;
    OnlineServices& m_services;
    QPointer<online::LookupJob> m_job;
    bool m_on = false;
};

} // namespace cantorel
