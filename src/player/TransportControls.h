#pragma once
// The transport group both playing windows have: play, pause, stop, the
// stream button, mute, the volume and seek sliders and the position and
// length read-outs, with their designed captions, ranges and names, and the
// display work they share. The windows own the behaviour.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

class QHBoxLayout;

namespace cantorel {

struct TransportControls {
    QPushButton* cPlay = nullptr;
    QPushButton* cpause = nullptr;
    QPushButton* cstop = nullptr;
    QPushButton* copen = nullptr;
    QCheckBox* Check1 = nullptr;  // mute
    QLabel* Label1 = nullptr;     // "Volume"
    QSlider* Slider1 = nullptr;   // volume 1..10, channel volume = value / 10
    QSlider* Slider2 = nullptr;   // seek: value = position, maximum = length, in ms
    QLineEdit* cText1 = nullptr;  // position read-out
    QLineEdit* cText2 = nullptr;  // length read-out

    // Makes the controls as children of `form`; the window lays them out.
    void createTransport(QWidget* form);
    // Position read-out, seek slider, length read-out.
    QHBoxLayout* seekRow() const;

    // Enabled states while a song plays, once it has stopped, and while no
    // song is open (nothing in the group can be used then).
    void showPlaying();
    void showStopped();
    void showNoSong();

    // One position tick: the read-outs (touched only when their text
    // changes), then the seek slider at the position, which the slider
    // clamps to the length of the last tick. When it then holds this tick's
    // length the song has ended, either because the position reached the
    // length or because the channel is gone and the length reads 0 (the
    // maximum set to 0 on the tick before clamps the value to 0); true is
    // returned and the maximum is left as it was. Otherwise the length
    // becomes the maximum. None of these moves counts as the user's.
    bool showPosition(unsigned positionMs, unsigned lengthMs);
    // Moves the seek slider without it counting as the user's move.
    void setSeekQuietly(int value);
};

} // namespace cantorel
