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

#include <functional>
#include <memory>

namespace cantorel {

class OnlineServices;
class PlayerController;
namespace online {
class LookupJob;
class OffThread;
struct LookupResult;
struct SongSignature;
struct WrittenLyric;
} // namespace online

class MissingLyricLookup : public QObject {
    Q_OBJECT
public:
    // `player` and `services` must outlive this.
    MissingLyricLookup(PlayerController& player, OnlineServices& services, QObject* parent = nullptr);
    ~MissingLyricLookup() override;

    bool isOn() const { return m_on; }
    void setOn(bool on);

    // A track another player plays, with no lyric here: while this is on it
    // is looked up by `song` alone, and a timed lyric found is shown from
    // memory (the track may be no file of ours, so nothing is written)
    // while `stillWanted()` says the track is still the one followed.
    void lookUpTrack(const online::SongSignature& song, std::function<bool()> stillWanted);

Q_SIGNALS:
    // For the user, briefly ("Found online: Rain.lrc").
    void noted(const QString& text);

private:
    void lyricLoaded(const lyrics::FoundLyric& found, bool newSong);
    // A lyric found for the song is written off this thread (a replace
    // flushes the disk), then shown and said (kept()) if the song is still
    // the one playing.
    void answered(const QString& mediaPath, const online::LookupResult& result);
    void kept(const QString& mediaPath, const online::LookupResult& result, const online::WrittenLyric& written);
    void trackAnswered(const QString& title, const online::LookupResult& result);

    PlayerController& m_player;
    OnlineServices& m_services;
    QPointer<online::LookupJob> m_job;
    std::unique_ptr<online::OffThread> m_writes;
    bool m_on = false;
};

} // namespace cantorel
