#pragma once
// The controls of the player window and their designed look: captions,
// tooltips, ranges and places. Form1 owns the behaviour.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "widgets/TransportControls.h"

namespace cantorel {

class LyricPane;
namespace karaoke {
class KaraokePane;
}

class Form1Ui : public TransportControls {
public:
    // Lyric panes and the hidden hand-over box.
    QWidget* panes = nullptr;
    karaoke::KaraokePane* Text1 = nullptr; // wipes lines sung word by word
    LyricPane* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;

    // Commands.
    QPushButton* Command1 = nullptr;  // play with lyrics
    QPushButton* Command2 = nullptr;  // open
    QPushButton* Command5 = nullptr;  // make lyrics
    QPushButton* Command8 = nullptr;  // playlist
    QPushButton* Command9 = nullptr;  // previous playlist entry
    QPushButton* Command10 = nullptr; // next playlist entry
    QPushButton* Command7 = nullptr;  // full screen
    QPushButton* Command3 = nullptr;  // more options (fonts and colours)
    QPushButton* Command11 = nullptr; // display all lyrics (the floating window)
    QPushButton* Command6 = nullptr;  // help
    QPushButton* Command4 = nullptr;  // about

    // Taskbar display choice.
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QButtonGroup* trayChoice = nullptr; // Option1 and Option2, exclusive

    // The rows of commands: open, play, make lyrics, the playlist and full
    // screen; then the other windows.
    QWidget* commandRow = nullptr;
    QWidget* windowRow = nullptr;

    void setupUi(QWidget* form);

    // Pane heights in twips: the lyric pane alone, and with the translated
    // pane under it.
    static constexpr int kOnePaneHeight = 2850;
    static constexpr int kTwoPaneHeight = 1605;
    // The window's fixed size in twips.
    static constexpr int kFormWidth = 11145;
    static constexpr int kFormHeight = 6390;
};

} // namespace cantorel
