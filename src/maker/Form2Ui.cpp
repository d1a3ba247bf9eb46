#include "maker/Form2Ui.h"

#include "platform/Twips.h"
#include "widgets/Controls.h"
#include "widgets/LyricPane.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace cantorel {

void Form2Ui::setupUi(QWidget* form)
{
    form->setObjectName(QStringLiteral("Form2"));

    // Song row: choose the song and its lyrics, then the transport.
    Command4 = makeButton(form, "Command4", QStringLiteral("Open "),
                          QStringLiteral("Choose a song and the lyric to synchronise with it"));
    createTransport(form);
    copen->hide();
    auto* songRow = new QHBoxLayout;
    songRow->addWidget(Command4);
    songRow->addSpacing(twipsToPixels(240, form));
    songRow->addWidget(cPlay);
    songRow->addWidget(cpause);
    songRow->addWidget(cstop);
    songRow->addSpacing(twipsToPixels(240, form));
    songRow->addWidget(Check1);
    songRow->addStretch(1);
    songRow->addWidget(Label1);
    songRow->addWidget(Slider1);

    // Seek slider between the position and length read-outs.
    Slider2->setToolTip(QStringLiteral("Seek forward"));
    QHBoxLayout* seekRow = this->seekRow();

    // The line being sung over its translation; without a translation the
    // lyric pane covers both.
    Text2 = new LyricPane(QStringLiteral("Text2"), form);
    Text2->setLyric(QStringLiteral("Normal Lyrics"));
    Text2->setFixedHeight(twipsToPixels(kPaneHeight, form));
    Text4 = new LyricPane(QStringLiteral("Text4"), form);
    Text4->setLyric(QStringLiteral("Translated Lyrics"));
    Text4->setFixedHeight(twipsToPixels(kPaneHeight, form));
    QFont lyricFont = Text2->font();
    lyricFont.setPointSizeF(15);
    Text2->setFont(lyricFont);
    lyricFont.setPointSizeF(13);
    Text4->setFont(lyricFont);
    auto* panes = new QVBoxLayout;
    panes->setSpacing(twipsToPixels(kOnePaneHeight - 2 * kPaneHeight, form));
    panes->addWidget(Text2);
    panes->addWidget(Text4);

    // Recording: large buttons, Next Line the largest, since it is pressed
    // in time with the music.
    Command1 = makeButton(form, "Command1", QStringLiteral("Start making Lyrics"),
                          QStringLiteral("Play the song from its start and mark the first line"));
    Command2 =
        makeButton(form, "Command2", QStringLiteral("Next Line"), QStringLiteral("Press when the next line begins"));
    Command3 = makeButton(form, "Command3", QStringLiteral("Stop Making Lyrics"));
    QFont recordFont = Command1->font();
    recordFont.setBold(true);
    for (QPushButton* b : {Command1, Command2, Command3}) {
        b->setFont(recordFont);
        b->setMinimumHeight(twipsToPixels(900, form));
    }
    Command2->setMinimumWidth(twipsToPixels(2700, form));
    Command5 = makeButton(form, "Command5", QStringLiteral("Help"));
    Command6 = makeButton(form, "Command6", QStringLiteral("Lyrics Editor"),
                          QStringLiteral("For Easy/Advanced Lyric Editing"));
    auto* recordRow = new QHBoxLayout;
    recordRow->addWidget(Command1);
    recordRow->addWidget(Command2, 1);
    recordRow->addWidget(Command3);
    recordRow->addSpacing(twipsToPixels(360, form));
    recordRow->addWidget(Command6);
    recordRow->addWidget(Command5);

    // The song's controls in one panel above the panes.
    auto* songPanel = new QFrame(form);
    songPanel->setObjectName(QStringLiteral("songPanel"));
    songPanel->setFrameShape(QFrame::StyledPanel);
    auto* songLayout = new QVBoxLayout(songPanel);
    songLayout->addLayout(songRow);
    songLayout->addLayout(seekRow);

    auto* layout = new QVBoxLayout(form);
    layout->setSpacing(twipsToPixels(150, form));
    layout->addWidget(songPanel);
    layout->addStretch(1);
    layout->addLayout(panes);
    layout->addStretch(1);
    layout->addLayout(recordRow);
}

} // namespace cantorel
