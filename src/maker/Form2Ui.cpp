#include "maker/Form2Ui.h"

#include "platform/FormTable.h"
#include "widgets/LyricPane.h"

namespace cantorel {

namespace {

using namespace form;

// clang-format off

// Made in this order, which is the tab order: "Open ", then the transport
// group (TransportControls), then these.
const Control kOpenControls[] = {
    // name       kind          caption                tooltip                                               width  height (twips)
    {"Command4",  Kind::Button, "Open ",               "Choose a song and the lyric to synchronise with it"},
};

// Recording has large buttons, Next Line the largest, since it is pressed in
// time with the music.
const Control kControls[] = {
    {"Text2",     Kind::Made,   "Normal Lyrics",       nullptr,                                              0,     Form2Ui::kPaneHeight},
    {"Text4",     Kind::Made,   "Translated Lyrics",   nullptr,                                              0,     Form2Ui::kPaneHeight},
    {"chkWords",  Kind::Check,  "Word by word",        "At the next Open: mark each word as it is sung, not each line, and make an LRC file with word times"},
    {"lblNextWord", Kind::Label, nullptr,              "What the next press of Next Line marks",             0,     0,     Hidden},
    {"Command1",  Kind::Button, "Start making Lyrics", "Play the song from its start and mark the first line", 0,   900,   Bold | AtLeast},
    {"Command2",  Kind::Button, "Next Line",           "Press when the next line begins",                    2700,  900,   Bold | AtLeast},
    {"Command3",  Kind::Button, "Stop Making Lyrics",  nullptr,                                              0,     900,   Bold | AtLeast},
    {"Command5",  Kind::Button, "Help"},
    {"Command6",  Kind::Button, "Lyrics Editor",       "For Easy/Advanced Lyric Editing"},
    {"songPanel", Kind::Frame},
};

// The song's controls in one panel (choosing the song and its lyrics, the
// transport, the seek slider between the read-outs), the line being sung
// over its translation (without a translation the lyric pane covers both),
// how the next "Open " records and what the next press marks, then
// recording.
const Place kLayout[] = {
    column(nullptr,   "form"),      spacing("form", 150),
    put("form",       "songPanel"),
    column("songPanel", "panel"),
    row("panel",      "song"),
    put("song",       "Command4"),  gap("song", 240),
    put("song",       "cPlay"),     put("song", "cpause"),    put("song", "cstop"),
    gap("song",       240),         put("song", "Check1"),
    stretch("song"),                put("song", "Label1"),    put("song", "Slider1"),
    row("panel",      "seek"),
    put("seek",       "cText1"),    put("seek", "Slider2", 1), put("seek", "cText2"),

    stretch("form"),
    column("form",    "panes"),     spacing("panes", Form2Ui::kOnePaneHeight - 2 * Form2Ui::kPaneHeight),
    put("panes",      "Text2"),     put("panes", "Text4"),
    row("form",       "words"),
    put("words",      "chkWords"),  gap("words", 240),          put("words", "lblNextWord", 1),
    stretch("form"),

    row("form",       "record"),
    put("record",     "Command1"),  put("record", "Command2", 1), put("record", "Command3"),
    gap("record",     360),         put("record", "Command6"),  put("record", "Command5"),
};

// clang-format on

} // namespace

void Form2Ui::setupUi(QWidget* form)
{
    form->setObjectName(QStringLiteral("Form2"));
    FormBuilder ui(form);
    ui.make(kOpenControls);
    createTransport(form);
    copen->hide();
    Slider2->setToolTip(QStringLiteral("Seek forward"));
    ui.make(kControls, makeLyricPane);
    ui.layOut(kLayout);

    Command4 = ui.get<QPushButton>("Command4");
    Command1 = ui.get<QPushButton>("Command1");
    Command2 = ui.get<QPushButton>("Command2");
    Command3 = ui.get<QPushButton>("Command3");
    chkWords = ui.get<QCheckBox>("chkWords");
    lblNextWord = ui.get<QLabel>("lblNextWord");
    lblNextWord->setTextFormat(Qt::RichText);
    Command5 = ui.get<QPushButton>("Command5");
    Command6 = ui.get<QPushButton>("Command6");
    Text2 = ui.get<LyricPane>("Text2");
    Text4 = ui.get<LyricPane>("Text4");

    QFont lyricFont = Text2->font();
    lyricFont.setPointSizeF(15);
    Text2->setFont(lyricFont);
    lyricFont.setPointSizeF(13);
    Text4->setFont(lyricFont);
    // Read while the song plays, like the panes.
    lblNextWord->setFont(lyricFont);
}

} // namespace cantorel
