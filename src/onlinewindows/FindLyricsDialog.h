#pragma once
// "Find Lyrics Online" (object name "FindLyricsOnline"): the song's
// signature, filled in and editable (title, artist, album, duration);
// "Search" asks the server (/api/search) and lists its records, the ones
// that match the song first (title, artist, album, duration, synced or
// plain); the record chosen is previewed; "Use" writes it beside the song
// and the player shows it at once (LyricUse.h); for a plain record, "Make
// timed lyric from it" writes it as the song's text and asks for the Lyric
// Maker with it as the lyric to time.
//
// The window never waits: the search and the song's length come back
// through the event loop; a new search drops the one on its way.
// User-interface thread only.
#include "online/LrclibRecord.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace cantorel {

class OnlineServices;
class PlayerController;
class Prompts;
namespace online {
class OffThread;
class ServerRequest;
struct ServerAnswer;
} // namespace online

class FindLyricsDialog : public QWidget {
    Q_OBJECT
public:
    // The three must outlive the window.
    FindLyricsDialog(PlayerController& player, OnlineServices& services, Prompts& prompts, QWidget* parent = nullptr);
    ~FindLyricsDialog() override;

    // Shows the window for the song at `mediaPath` ("" for none: a search
    // can still be typed), its fields filled from its tags and file name;
    // `lengthMs` is its exact length, or -1 to measure it (off this thread).
    void showFor(const QString& mediaPath, qint64 lengthMs);
    const QString& mediaPath() const { return m_mediaPath; }
    const QList<online::LrclibRecord>& records() const { return m_records; }

public Q_SLOTS:
    void searchClick();
    void useClick();
    void makeTimedClick();

Q_SIGNALS:
    // "Make timed lyric from it": the Lyric Maker should time `lyricSource`
    // for the song.
    void makeTimedLyricRequested(const QString& mediaPath, const QString& lyricSource);
    // A lyric file was written for the song.
    void lyricWritten(const QString& mediaPath);

protected:
    // A window put away asks nothing more: the search and the measuring on
    // their way are dropped.
    void hideEvent(QHideEvent* event) override;

private:
    void buildUi();
    void answered(const online::ServerAnswer& answer);
    void showRecords();
    void chosen();
    const online::LrclibRecord* current() const;
    void say(const QString& text);
    int durationSeconds() const;

    PlayerController& m_player;
    OnlineServices& m_services;
    Prompts& m_prompts;
    std::unique_ptr<online::OffThread> m_measure;
    QPointer<online::ServerRequest> m_request;
    QString m_mediaPath;
    QList<online::LrclibRecord> m_records;

    QLineEdit* m_title = nullptr;
    QLineEdit* m_artist = nullptr;
    QLineEdit* m_album = nullptr;
    QLineEdit* m_duration = nullptr;
    QTableWidget* m_results = nullptr;
    QPlainTextEdit* m_preview = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_use = nullptr;
    QPushButton* m_makeTimed = nullptr;
};

// "3:05" or "185" (seconds): the seconds a duration field says; 0 when it
// says none.
int secondsOfDurationText(const QString& text);

} // namespace cantorel
