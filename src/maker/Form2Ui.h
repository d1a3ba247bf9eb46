#pragma once
// The controls of the lyric maker window and their designed look: captions,
// tooltips, ranges and places. Form2 owns the behaviour.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "widgets/TransportControls.h"

namespace cantorel {

class LyricPane;

// The transport's copen is hidden here: it is the load-media action.
struct Form2Ui : TransportControls {
    // Choosing the song and its lyric sources.
    QPushButton* Command4 = nullptr; // "Open "

    // Recording.
    QPushButton* Command1 = nullptr; // "Start making Lyrics"
    QPushButton* Command2 = nullptr; // "Next Line"
    QPushButton* Command3 = nullptr; // "Stop Making Lyrics"
    // Ticked at "Open ": the recording times each word, not each line.
    QCheckBox* chkWords = nullptr; // "Word by word"
    // Word by word: what the next press marks (hidden otherwise).
    QLabel* lblNextWord = nullptr;

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
