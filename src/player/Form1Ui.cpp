#include "player/Form1Ui.h"

#include "platform/Twips.h"
#include "widgets/Controls.h"
#include "widgets/LyricPane.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QVBoxLayout>

namespace cantorel {

void Form1Ui::setupUi(QWidget* form)
{
    form->setObjectName(QStringLiteral("Form1"));

    // The lyric panes share a box of fixed height: the lyric pane alone
    // fills it, or takes its upper part with the translation under it.
    panes = new QWidget(form);
    panes->setObjectName(QStringLiteral("panes"));
    panes->setFixedHeight(twipsToPixels(kOnePaneHeight, form));
    Text1 = new LyricPane(QStringLiteral("Text1"), panes);
    Text1->setLyric(QStringLiteral("Normal Lyrics\r\n"));
    Text1->setToolTip(QStringLiteral("Displays lyrics"));
    Text1->setFixedHeight(twipsToPixels(kTwoPaneHeight, form));
    Text2 = new LyricPane(QStringLiteral("Text2"), panes);
    Text2->setLyric(QStringLiteral("Translated Lyrics\r\n"));
    Text2->setToolTip(QStringLiteral("Displays Translated Lyrics"));
    QFont lyricFont = Text1->font();
    lyricFont.setPointSizeF(15);
    Text1->setFont(lyricFont);
    lyricFont.setPointSizeF(13);
    Text2->setFont(lyricFont);
    auto* panesLayout = new QVBoxLayout(panes);
    panesLayout->setContentsMargins(0, 0, 0, 0);
    panesLayout->setSpacing(twipsToPixels(60, form));
    panesLayout->addWidget(Text1);
    panesLayout->addWidget(Text2);

    Text3 = new QLineEdit(form);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->hide();

    // Transport group, the seek slider between the read-outs.
    createTransport(form);
    copen->setToolTip(QStringLiteral("Reload the song from its start"));
    QHBoxLayout* seekRow = this->seekRow();
    auto* transportRow = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cPlay), static_cast<QWidget*>(cpause), static_cast<QWidget*>(cstop),
                       static_cast<QWidget*>(copen)})
        transportRow->addWidget(w);
    transportRow->addSpacing(twipsToPixels(240, form));
    transportRow->addWidget(Check1);
    transportRow->addStretch(1);
    transportRow->addWidget(Label1);
    transportRow->addWidget(Slider1);

    // Open and play-with-lyrics, then the commands of other windows.
    Command2 = makeButton(form, "Command2", QStringLiteral("Open"), QStringLiteral("Open a song with its lyrics"));
    Command1 = makeButton(form, "Command1", QStringLiteral("Play"), QStringLiteral("Play with lyrics"));
    Command5 = makeButton(form, "Command5", QStringLiteral("Make lyrics"));
    Command8 = makeButton(form, "Command8", QStringLiteral("Playlist"));
    Command9 = makeButton(form, "Command9", QStringLiteral("<<"), QStringLiteral("Backward"));
    Command10 = makeButton(form, "Command10", QStringLiteral(">>"), QStringLiteral("Forward"));
    Command7 = makeButton(form, "Command7", QStringLiteral("Full screen"),
                          QStringLiteral("Show the lyric on the whole screen (F11)"));
    Command7->setShortcut(QKeySequence(Qt::Key_F11));
    for (QPushButton* b : {Command9, Command10})
        b->setFixedWidth(twipsToPixels(540, form));
    commandRow = new QWidget(form);
    commandRow->setObjectName(QStringLiteral("commandRow"));
    auto* commands = new QHBoxLayout(commandRow);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addWidget(Command2);
    commands->addWidget(Command1);
    commands->addWidget(Command5);
    commands->addSpacing(twipsToPixels(240, form));
    commands->addWidget(Command9);
    commands->addWidget(Command8);
    commands->addWidget(Command10);
    commands->addStretch(1);
    commands->addWidget(Command7);

    // The other windows: the whole lyric, the panes' look, help and About.
    Command11 = makeButton(form, "Command11", QStringLiteral("Display All Lyrics"),
                           QStringLiteral("Show the whole lyric in a window of its own"));
    Command3 = makeButton(form, "Command3", QStringLiteral("More Options"), QStringLiteral("Font/Color"));
    Command6 = makeButton(form, "Command6", QStringLiteral("Help"), QStringLiteral("Open the help page"));
    Command4 = makeButton(form, "Command4", QStringLiteral("About"), QStringLiteral("About Cantorel"));
    windowRow = new QWidget(form);
    windowRow->setObjectName(QStringLiteral("windowRow"));
    auto* windows = new QHBoxLayout(windowRow);
    windows->setContentsMargins(0, 0, 0, 0);
    windows->addWidget(Command11);
    windows->addWidget(Command3);
    windows->addStretch(1);
    windows->addWidget(Command6);
    windows->addWidget(Command4);

    // Which line the tray tip shows.
    Frame1 = new QGroupBox(QStringLiteral("Taskbar display"), form);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label2 = new QLabel(QStringLiteral("Display Lyrics in Taksbar"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Option1 = new QRadioButton(QStringLiteral("Display Normal Lyrics"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("Display Translated Lyrics"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    // One choice of two, for the mouse, the keys and assistive technology
    // alike: choosing one clears the other.
    trayChoice = new QButtonGroup(Frame1);
    trayChoice->setExclusive(true);
    trayChoice->addButton(Option1);
    trayChoice->addButton(Option2);
    Option1->setChecked(true);
    auto* frameLayout = new QHBoxLayout(Frame1);
    frameLayout->addWidget(Label2);
    frameLayout->addSpacing(twipsToPixels(240, form));
    frameLayout->addWidget(Option1);
    frameLayout->addWidget(Option2);
    frameLayout->addStretch(1);

    auto* layout = new QVBoxLayout(form);
    layout->addWidget(panes);
    layout->addLayout(seekRow);
    layout->addLayout(transportRow);
    layout->addWidget(commandRow);
    layout->addWidget(windowRow);
    layout->addStretch(1);
    layout->addWidget(Frame1);
}

} // namespace cantorel
