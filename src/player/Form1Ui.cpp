#include "player/Form1Ui.h"

#include "karaoke/KaraokePane.h"
#include "platform/FormTable.h"
#include "widgets/LyricPane.h"

#include <QButtonGroup>
#include <QKeySequence>

#include <string_view>

namespace cantorel {

namespace {

using namespace form;

// clang-format off

// Made in this order, which is the tab order: the panes and the hidden box
// that hands lines on, then the transport group (TransportControls), then
// these.
const Control kPaneControls[] = {
    // name        kind          caption                  tooltip                        width  height (twips)
    {"panes",      Kind::Panel,  nullptr,                 nullptr,                       0,     Form1Ui::kOnePaneHeight},
    {"Text1",      Kind::Made,   "Normal Lyrics\r\n",     "Displays lyrics",             0,     Form1Ui::kTwoPaneHeight},
    {"Text2",      Kind::Made,   "Translated Lyrics\r\n", "Displays Translated Lyrics"},
    {"Text3",      Kind::Edit,   nullptr,                 nullptr,                       0,     0,     Hidden},
};

const Control kCommandControls[] = {
    // name        kind          caption                  tooltip                                         width
    {"Command2",   Kind::Button, "Open",                  "Open a song with its lyrics"},
    {"Command1",   Kind::Button, "Play",                  "Play with lyrics"},
    {"Command5",   Kind::Button, "Make lyrics"},
    {"Command8",   Kind::Button, "Playlist"},
    {"Command9",   Kind::Button, "<<",                    "Backward",                                     540},
    {"Command10",  Kind::Button, ">>",                    "Forward",                                      540},
    {"Command7",   Kind::Button, "Full screen",           "Show the lyric on the whole screen (F11)"},
    {"commandRow", Kind::Panel},
    {"Command11",  Kind::Button, "Display All Lyrics",    "Show the whole lyric in a window of its own"},
    {"Command3",   Kind::Button, "More Options",          "Font/Color"},
    {"Command6",   Kind::Button, "Help",                  "Open the help page"},
    {"Command4",   Kind::Button, "About",                 "About Cantorel"},
    {"windowRow",  Kind::Panel},
    // Which line the tray tip shows.
    {"Frame1",     Kind::Group,  "Taskbar display"},
    {"Label2",     Kind::Label,  "Display Lyrics in Taksbar"},
    {"Option1",    Kind::Radio,  "Display Normal Lyrics", nullptr,                                        0,     0,     Checked},
    {"Option2",    Kind::Radio,  "Display Translated Lyrics"},
};

// Top to bottom: the lyric panes (the lyric pane alone fills their box, or
// takes its upper part with the translation under it), the seek slider
// between the read-outs, the transport, open and play-with-lyrics with the
// playlist's commands, the other windows, and the tray tip's choice.
const Place kLayout[] = {
    column(nullptr,     "form"),
    put("form",         "panes"),
    column("panes",     "paneBox"),   margins("paneBox", 0, 0),  spacing("paneBox", 60),
    put("paneBox",      "Text1"),     put("paneBox", "Text2"),

    row("form",         "seek"),
    put("seek",         "cText1"),    put("seek", "Slider2", 1), put("seek", "cText2"),

    row("form",         "transport"),
    put("transport",    "cPlay"),     put("transport", "cpause"), put("transport", "cstop"), put("transport", "copen"),
    gap("transport",    240),         put("transport", "Check1"),
    stretch("transport"),             put("transport", "Label1"), put("transport", "Slider1"),

    put("form",         "commandRow"),
    row("commandRow",   "commands"),  margins("commands", 0, 0),
    put("commands",     "Command2"),  put("commands", "Command1"), put("commands", "Command5"),
    gap("commands",     240),
    put("commands",     "Command9"),  put("commands", "Command8"), put("commands", "Command10"),
    stretch("commands"),              put("commands", "Command7"),

    put("form",         "windowRow"),
    row("windowRow",    "windows"),   margins("windows", 0, 0),
    put("windows",      "Command11"), put("windows", "Command3"),
    stretch("windows"),               put("windows", "Command6"), put("windows", "Command4"),

    stretch("form"),
    put("form",         "Frame1"),
    row("Frame1",       "frame"),
    put("frame",        "Label2"),    gap("frame", 240),
    put("frame",        "Option1"),   put("frame", "Option2"),   stretch("frame"),
};

// clang-format on

} // namespace

void Form1Ui::setupUi(QWidget* form)
{
    form->setObjectName(QStringLiteral("Form1"));
    FormBuilder ui(form);
    ui.make(kPaneControls, [](const Control& row, const QString& caption, QWidget* parent) {
        return std::string_view(row.name) == "Text1" ? karaoke::makeKaraokePane(row, caption, parent)
                                                     : makeLyricPane(row, caption, parent);
    });
    createTransport(form);
    copen->setToolTip(QStringLiteral("Reload the song from its start"));
    ui.make(kCommandControls);
    ui.layOut(kLayout);

    panes = ui.control("panes");
    Text1 = ui.get<karaoke::KaraokePane>("Text1");
    Text2 = ui.get<LyricPane>("Text2");
    Text3 = ui.get<QLineEdit>("Text3");
    Command1 = ui.get<QPushButton>("Command1");
    Command2 = ui.get<QPushButton>("Command2");
    Command3 = ui.get<QPushButton>("Command3");
    Command4 = ui.get<QPushButton>("Command4");
    Command5 = ui.get<QPushButton>("Command5");
    Command6 = ui.get<QPushButton>("Command6");
    Command7 = ui.get<QPushButton>("Command7");
    Command8 = ui.get<QPushButton>("Command8");
    Command9 = ui.get<QPushButton>("Command9");
    Command10 = ui.get<QPushButton>("Command10");
    Command11 = ui.get<QPushButton>("Command11");
    commandRow = ui.control("commandRow");
    windowRow = ui.control("windowRow");
    Frame1 = ui.get<QGroupBox>("Frame1");
    Label2 = ui.get<QLabel>("Label2");
    Option1 = ui.get<QRadioButton>("Option1");
    Option2 = ui.get<QRadioButton>("Option2");

    QFont lyricFont = Text1->font();
    lyricFont.setPointSizeF(15);
    Text1->setFont(lyricFont);
    lyricFont.setPointSizeF(13);
    Text2->setFont(lyricFont);
    Command7->setShortcut(QKeySequence(Qt::Key_F11));
    // One choice of two, for the mouse, the keys and assistive technology
    // alike: choosing one clears the other.
    trayChoice = new QButtonGroup(Frame1);
    trayChoice->setExclusive(true);
    trayChoice->addButton(Option1);
    trayChoice->addButton(Option2);
}

} // namespace cantorel
