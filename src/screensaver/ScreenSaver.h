#pragma once
// The lyrics screen: a window filling the screen that shows the current
// normal lyric line and, below it, the translated line, in the fonts and
// colours of "setting.txt". It keeps no time of its own: the lines arrive
// through two receivers (TextReceiver) whose identifiers load() publishes in
// "hand.txt". The text "Translated Lyrics" as translated line means the song
// has no translation: the translated box hides and the normal line grows.
//
// Moving the mouse reveals "Quit" and "Options" for up to 2.5 s; any key
// runs the end routine, as "Quit" does. User-interface thread only.
#include "screensaver/HandOverFile.h"
#include "screensaver/MouseRevealRule.h"
#include "screensaver/ScreenSettings.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace cantorel {
class Prompts;
}

namespace cantorel::screensaver {

class CursorCounter;
class LyricBox;
class Setting;
class TextReceiver;

class ScreenSaver : public QWidget {
    Q_OBJECT
public:
    // `endRoutine` ends the program; "Quit" and every key press run it.
    ScreenSaver(Prompts& prompts, CursorCounter& cursor, std::function<void()> endRoutine, QWidget* parent = nullptr);
    ~ScreenSaver() override;

    // The loading steps: start-up colours, the receivers with "hand.txt",
    // then "setting.txt". A receiver or hand-over failure and a broken
    // settings file are reported on stderr, one line each; the screen works
    // on (a broken settings file leaves the start-up look).
    void load();

    // Shows the screen full screen; without a window manager to do that, it
    // takes the whole screen's geometry itself.
    void showFullScreenSaver();

    // The settings window, made on first use from this screen's look.
    Setting* settingWindow();

    // The receivers' identifiers as "hand.txt" holds them.
    HandOver handOver() const;
    // Stops both receivers and removes their socket files.
    void closeReceivers();

    // The normal line's style with its own size: while there is no
    // translation the line shows larger than that.
    BoxStyle lyricStyle() const;
    BoxStyle translatedStyle() const;
    void setLyricStyle(const BoxStyle& style);
    void setTranslatedStyle(const BoxStyle& style);
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);
    ScreenSettings look() const;
    void applyLook(const ScreenSettings& settings);

    // The focus timer is off while the settings window is open over the
    // screen, so that the settings window keeps the focus.
    void setFocusTimerEnabled(bool enabled);

    // Handlers of the controls and timers.
    void command1Click(); // "Quit"
    void command2Click(); // "Options"
    void bolderTick();    // bold while a line holds "!" (on each line change)
    void timer1Tick();    // focus back to the hidden key box
    void timer2Tick();    // hides "Quit" and "Options"
    // A mouse movement over the window, in twips from its top left corner.
    void mouseMoveTwips(double x, double y);

    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void text1Change();
    void text2Change();
    void text3Change();
    void text4Change();
    void layoutControls();
    // The height a box has for its font alone, and the lowest its bottom may
    // reach when a wrapped line makes it grow, in pixels.
    int baseBoxHeight(const LyricBox* box) const;
    int lowestBoxBottom(const LyricBox* box) const;
    void fitBoxHeight(LyricBox* box);
    float lyricShownSize() const;
    void showLyricSize();
    void watchEvents(QWidget* widget);
    int pixelsX(double twips) const;
    int pixelsY(double twips) const;

    Prompts& m_prompts;
    CursorCounter& m_cursor;
    std::function<void()> m_endRoutine;

    LyricBox* m_text1;  // normal-line display
    LyricBox* m_text2;  // translated-line display
    QLineEdit* m_text3; // hidden receiver box of the normal line
    QLineEdit* m_text4; // hidden receiver box of the translated line
    QLineEdit* m_text5; // outside the visible area; keeps the keyboard focus
    QLabel* m_label1;   // mirrors the normal line
    QPushButton* m_command1;
    QPushButton* m_command2;
    QTimer* m_timer1;
    QTimer* m_timer2;

    TextReceiver* m_lyricReceiver;
    TextReceiver* m_translatedReceiver;
    Setting* m_setting = nullptr;
    MouseRevealRule m_mouse;
    float m_lyricPointSize = BoxStyle().pointSize;
};

} // namespace cantorel::screensaver
