#pragma once
// The transport group both playing windows have: play, pause, stop, the
// stream button, mute, the volume and seek sliders and the position and
// length read-outs, with their designed captions, ranges and names. It is a
// view: it says what the user wants through its signals and shows what it is
// told through its setters. It holds no engine and no state of its own; the
// windows wire it to their transport (engine/Transport.h).
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QSlider>

namespace cantorel {

class TransportControls : public QObject {
    Q_OBJECT
public:
    QPushButton* cPlay = nullptr;
    QPushButton* cpause = nullptr;
    QPushButton* cstop = nullptr;
    QPushButton* copen = nullptr;
    QCheckBox* Check1 = nullptr; // mute
    QLabel* Label1 = nullptr;    // "Volume"
    QSlider* Slider1 = nullptr;  // volume 1..10, channel volume = value / 10
    QSlider* Slider2 = nullptr;  // seek: value = position, maximum = length, in ms
    QLineEdit* cText1 = nullptr; // position read-out
    QLineEdit* cText2 = nullptr; // length read-out

    // Makes the controls as children of `form`; the window lays them out.
    void createTransport(QWidget* form);

    // The volume the slider asks for, 0.1 to 1.0.
    float volume() const { return float(Slider1->value()) / 10.0f; }
    bool muteTicked() const { return Check1->isChecked(); }

    // Enabled states while a song plays, once it has stopped, and while no
    // song is open (nothing in the group can be used then).
    void showPlaying();
    void showStopped();
    void showNoSong();

    // One position tick: the read-outs (touched only when their text
    // changes) and the seek slider at `shownMs` within `maximumMs` (moved
    // only when its handle would move a pixel, so its value may lag the
    // position by that much; the transport holds the exact one). None of
    // these moves counts as the user's.
    void showPosition(unsigned positionMs, unsigned lengthMs, unsigned shownMs, unsigned maximumMs);
    // Moves the seek slider without it counting as the user's move.
    void setSeekQuietly(int value);
    // A seek to `positionMs` of `lengthMs`: the read-outs and the slider
    // show it at once, also while paused, when no position tick follows.
    void showSeek(unsigned positionMs, unsigned lengthMs);

Q_SIGNALS:
    void playRequested();
    void pauseRequested();
    void stopRequested();
    void reloadRequested(); // copen
    void muteClicked(bool muted);
    void volumeChanged(int value);      // any change of the volume slider
    void seekRequested(int positionMs); // the user's moves of the seek slider only
};

} // namespace cantorel
