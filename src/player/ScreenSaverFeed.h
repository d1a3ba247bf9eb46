#pragma once
// "Full screen": starts the screen saver and, once it has handed over its
// receivers, sends it the lines the player shows, each time one changes.
// The screen saver takes the text "Translated Lyrics" to mean that the song
// has no translation, so while the translated pane is hidden (a song without
// translation) that is the line it gets.
//
// User-interface thread only.
#include <QObject>

namespace cantorel {

class PlayerController;
namespace screensaver {
class ScreenSaverLink;
}

class ScreenSaverFeed : public QObject {
    Q_OBJECT
public:
    // `player` must outlive the feed.
    explicit ScreenSaverFeed(PlayerController& player, QObject* parent = nullptr);

    // Starts a screen saver; the feed begins once it has handed over.
    void start();
    bool feeding() const { return m_feeding; }
    screensaver::ScreenSaverLink& link();

    // Sends the lines (only what changed reaches the screen saver).
    void send();

Q_SIGNALS:
    // The screen saver did not hand over; `why` is for the user.
    void failed(const QString& why);

private:
    PlayerController& m_player;
    screensaver::ScreenSaverLink* m_link = nullptr;
    bool m_feeding = false;
};

} // namespace cantorel
