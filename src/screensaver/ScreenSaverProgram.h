#pragma once
// The screen saver's start-up and end.
//
// Switches are looked for anywhere on the command line (the arguments after
// the program name, joined by blanks), without regard to letter case:
//   "/s" or "-s"  show the lyrics screen full screen, then show the cursor once;
//   "/c" or "-c"  show the settings window modally (with "/c" alone the
//                 lyrics screen is loaded unseen and the program ends when
//                 the settings window closes);
//   neither       show nothing; the program ends at once.
//
// Test hook: when the environment variable CANTOREL_SCREENSAVER_ECHO names a
// file, every line the lyrics screen shows is appended to it as
// "Text1: <line>" or "Text2: <line>" (UTF-8, LF), so a test can see what a
// screen saver started by someone else displays.
#include "screensaver/CursorCounter.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace cantorel {
class Prompts;
}

namespace cantorel::screensaver {

class ScreenSaver;

struct StartSwitches {
    bool showScreen = false;
    bool configure = false;
    bool operator==(const StartSwitches&) const = default;
};

StartSwitches parseSwitches(const QStringList& arguments);

class ScreenSaverProgram : public QObject {
    Q_OBJECT
public:
    // `quit` leaves the event loop with an exit code; by default
    // QCoreApplication::exit.
    explicit ScreenSaverProgram(Prompts& prompts, std::function<void(int)> quit = {});
    ~ScreenSaverProgram() override;

    // The start-up routine. False when nothing was shown: the program ends.
    bool start(const StartSwitches& switches);

    // The end routine: hides the cursor once, closes the receivers and the
    // windows and leaves the event loop. Runs once.
    void end();
    bool hasEnded() const { return m_ended; }

    // The lyrics screen, once loaded (null before).
    ScreenSaver* screen() const { return m_screen.get(); }
    CursorCounter& cursor() { return m_cursor; }

    // See the test hook above.
    void echoShownLinesTo(const QString& path);

private:
    ScreenSaver& loadScreen();
    void echo(const QString& box, const QString& line);

    Prompts& m_prompts;
    std::function<void(int)> m_quit;
    CursorCounter m_cursor;
    std::unique_ptr<ScreenSaver> m_screen;
    QString m_echoPath;
    bool m_ended = false;
};

} // namespace cantorel::screensaver
