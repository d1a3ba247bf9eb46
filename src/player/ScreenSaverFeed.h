#pragma once
// "Full screen": starts the screen saver and, once it has handed over its
// receivers, sends it the lines the player's panes show, each time one
// changes. The screen saver takes the text "Translated Lyrics" to mean that
// the song has no translation, so while the translated pane is disabled
// (a song without translation) that is its text.
//
// User-interface thread only.
#include <QObject>

namespace cantorel {

class LyricPane;
namespace screensaver {
class ScreenSaverLink;
}

class ScreenSaverFeed : public QObject {
    Q_OBJECT
public:
    ScreenSaverFeed(LyricPane& text1, LyricPane& text2, QObject* parent = nullptr);

    // Starts a screen saver; the feed begins once it has handed over.
    void start();
    bool feeding() const { return m_feeding; }
    screensaver::ScreenSaverLink& link();

    // Sends the panes' lines (only what changed reaches the screen saver).
    void send();

Q_SIGNALS:
    // The screen saver did not hand over; `why` is for the user.
    void failed(const QString& why);

private:
    LyricPane& m_text1;
    LyricPane& m_text2;
    screensaver::ScreenSaverLink* m_link = nullptr;
    bool m_feeding = false;
};

} // namespace cantorel
