#pragma once
// The controls of the lyric maker window and their designed look: captions,
// tooltips, ranges and places. Form2 owns the behaviour.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace cantorel {

class LyricPane;

struct Form2Ui {
    // Choosing the song and its lyric sources.
    QPushButton* Command4 = nullptr; // "Open "

    // Recording.
    QPushButton* Command1 = nullptr; // "Start making Lyrics"
    QPushButton* Command2 = nullptr; // "Next Line"
    QPushButton* Command3 = nullptr; // "Stop Making Lyrics"

    // Transport.
    QPushButton* cPlay = nullptr;
    QPushButton* cpause = nullptr;
    QPushButton* cstop = nullptr;
    QPushButton* copen = nullptr; // hidden: the load-media action
    QCheckBox* Check1 = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* Slider1 = nullptr; // volume 1..10
    QSlider* Slider2 = nullptr; // seek, in ms
    QLineEdit* cText1 = nullptr; // position
    QLineEdit* cText2 = nullptr; // length

    // The line being sung and its translation.
    LyricPane* Text2 = nullptr;
    LyricPane* Text4 = nullptr;

    QPushButton* Command5 = nullptr; // "Help"
    QPushButton* Command6 = nullptr; // "Lyrics Editor"

    void setupUi(QWidget* form);

    // Pane heights in twips: the lyric pane alone covers both panes.
    static constexpr int kPaneHeight = 1455;
    static constexpr int kOnePaneHeight = 3015;
    // The window's fixed size in twips.
    static constexpr int kFormWidth = 11145;
    static constexpr int kFormHeight = 6390;
};

} // namespace cantorel
