// The editor window's controls and their places.
#include "editor/Lyric_Master.h"

#include "platform/FormTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace cantorel {

using editor::Side;

namespace {

using namespace form;

constexpr int kEditBoxLines = 3;

// clang-format off

// Made in this order, which is the tab order. Enter presses none of the
// buttons.
const Control kControls[] = {
    // name       kind              caption                      tooltip                                                        flags
    {"Label3",    Kind::Label,      "Lyrics",                    nullptr,                                                       0, 0, Bold},
    {"Label4",    Kind::Label,      "Translated Lyrics",         nullptr,                                                       0, 0, Bold},
    {"List1",     Kind::ListWidget},
    {"List2",     Kind::ListWidget},
    {"Text1",     Kind::TextBox},
    {"Text2",     Kind::TextBox},
    {"Label1",    Kind::Label,      "Counter"},
    {"Label2",    Kind::Label,      "Counter"},
    {"Label5",    Kind::Label,      "0"},
    {"Label6",    Kind::Label,      "0"},
    {"Check1",    Kind::Check,      "Delete select items",       "Check This To Delete Selected Lines"},
    {"Check2",    Kind::Check,      "Delete select items",       "Check This To Multi Delete Lines"},
    {"Label9",    Kind::Label,      "<<--------------Comparision------------->>"},
    {"Check3",    Kind::Check,      "Synchronize Movement",      "Synchronizes Movement Between Lyrics And Translated Lyrics",  0, 0, Disabled},
    {"Command1",  Kind::Button,     "Open",                      "Open A File",                                                 0, 0, NoAutoDefault},
    {"Command2",  Kind::Button,     "Open",                      "Open a File",                                                 0, 0, NoAutoDefault},
    {"Command15", Kind::Button,     "Save",                      "Save A File",                                                 0, 0, NoAutoDefault},
    {"Command16", Kind::Button,     "Save",                      "Save A File",                                                 0, 0, NoAutoDefault},
    {"Command17", Kind::Button,     "Save As",                   "Save A File",                                                 0, 0, NoAutoDefault},
    {"Command18", Kind::Button,     "Save as",                   "Save A File",                                                 0, 0, NoAutoDefault},
    {"Command19", Kind::Button,     "Add a Line",                "Add A Line",                                                  0, 0, NoAutoDefault},
    {"Command20", Kind::Button,     "Add a Translated Line",     "Add a Line",                                                  0, 0, NoAutoDefault},
    {"Command11", Kind::Button,     "Delete",                    "Delete Lines",                                                0, 0, NoAutoDefault},
    {"Command12", Kind::Button,     "Delete",                    "Delete Lines",                                                0, 0, NoAutoDefault},
    {"Command5",  Kind::Button,     "Up",                        "Push The Line Upwards",                                       0, 0, NoAutoDefault},
    {"Command7",  Kind::Button,     "Up",                        "Push The line Upwards",                                       0, 0, NoAutoDefault},
    {"Command6",  Kind::Button,     "Down",                      "Push The Line Downwards",                                     0, 0, NoAutoDefault},
    {"Command8",  Kind::Button,     "Down",                      "PushThe Line Downwards",                                      0, 0, NoAutoDefault},
    {"Command3",  Kind::Button,     "Copy",                      "Copy The Lines",                                              0, 0, NoAutoDefault},
    {"Command4",  Kind::Button,     "Copy",                      "Copy The Lines",                                              0, 0, NoAutoDefault},
    {"Command9",  Kind::Button,     "Paste",                     "Paste The Lines",                                             0, 0, NoAutoDefault},
    {"Command10", Kind::Button,     "Paste",                     "Paste The Lines",                                             0, 0, NoAutoDefault},
    {"Command21", Kind::Button,     "Clear",                     "Clears all The lines",                                        0, 0, NoAutoDefault},
    {"Command22", Kind::Button,     "Clear",                     "Clears All The Lines In the Tranlated Section",               0, 0, NoAutoDefault},
    {"Command23", Kind::Button,     ">>>",                       "Transfer Lines to Translated Lyrics Section",                 0, 0, NoAutoDefault},
    {"Command13", Kind::Button,     "Clear clipboard",           "Clear Clipboard",                                             0, 0, NoAutoDefault},
    {"Label7",    Kind::Label,      "Line No:"},
    {"Label8",    Kind::Label,      "Line No:"},
};

// One column per lyric: title and file buttons, list, line number, edit box,
// line buttons. The transfer button sits between the two lists; the
// comparison of the counts and the shared controls run across the bottom.
const Place kLayout[] = {
    grid(nullptr,      "form"),      margins("form", 180, 150), spacing("form", 150),

    columnAt("form",   "left",       {0, 0}),                   spacing("left", 90),
    row("left",        "leftHead"),
    put("leftHead",    "Label3"),    stretch("leftHead"),
    put("leftHead",    "Command1"),  put("leftHead", "Command15"), put("leftHead", "Command17"),
    put("left",        "List1", 1),
    row("left",        "leftNumber"),
    put("leftNumber",  "Label7"),    put("leftNumber", "Label5"), stretch("leftNumber"),
    put("left",        "Text1"),
    row("left",        "leftAdd"),
    put("leftAdd",     "Command19"), put("leftAdd", "Command11"), put("leftAdd", "Check1"), stretch("leftAdd"),
    row("left",        "leftMove"),
    put("leftMove",    "Command5"),  put("leftMove", "Command6"), gap("leftMove", 180),
    put("leftMove",    "Command3"),  put("leftMove", "Command9"), stretch("leftMove"), put("leftMove", "Command21"),

    putAt("form",      "Command23",  {0, 1}, Qt::AlignCenter),

    columnAt("form",   "right",      {0, 2}),                   spacing("right", 90),
    row("right",       "rightHead"),
    put("rightHead",   "Label4"),    stretch("rightHead"),
    put("rightHead",   "Command2"),  put("rightHead", "Command16"), put("rightHead", "Command18"),
    put("right",       "List2", 1),
    row("right",       "rightNumber"),
    put("rightNumber", "Label8"),    put("rightNumber", "Label6"), stretch("rightNumber"),
    put("right",       "Text2"),
    row("right",       "rightAdd"),
    put("rightAdd",    "Command20"), put("rightAdd", "Command12"), put("rightAdd", "Check2"), stretch("rightAdd"),
    row("right",       "rightMove"),
    put("rightMove",   "Command7"),  put("rightMove", "Command8"), gap("rightMove", 180),
    put("rightMove",   "Command4"),  put("rightMove", "Command10"), stretch("rightMove"), put("rightMove", "Command22"),

    columnStretch("form", 0, 1),     columnStretch("form", 2, 1), rowStretch("form", 0, 1),

    rowAt("form",      "comparison", {1, 0, 1, 3}),             spacing("comparison", 150),
    stretch("comparison"),
    put("comparison",  "Label1"),    put("comparison", "Label9"), put("comparison", "Label2"),
    stretch("comparison"),

    rowAt("form",      "shared",     {2, 0, 1, 3}),
    stretch("shared"),
    put("shared",      "Check3"),    gap("shared", 360),         put("shared", "Command13"),
    stretch("shared"),
};

// clang-format on

constexpr int kButtonNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23};

} // namespace

void Lyric_Master::buildControls()
{
    form::FormBuilder ui(this);
    ui.make(kControls);
    ui.layOut(kLayout);

    for (const Side side : {Side::Left, Side::Right}) {
        const bool left = side == Side::Left;
        SideControls& c = controls(side);
        c.title = ui.get<QLabel>(left ? "Label3" : "Label4");
        c.list = ui.get<QListWidget>(left ? "List1" : "List2");
        c.edit = ui.get<QPlainTextEdit>(left ? "Text1" : "Text2");
        c.count = ui.get<QLabel>(left ? "Label1" : "Label2");
        c.lineNumber = ui.get<QLabel>(left ? "Label5" : "Label6");
        c.deleteMarked = ui.get<QCheckBox>(left ? "Check1" : "Check2");
    }
    m_comparison = ui.get<QLabel>("Label9");
    m_synchronize = ui.get<QCheckBox>("Check3");
    for (const int n : kButtonNumbers)
        m_buttons[n] = ui.get<QPushButton>(qPrintable(QStringLiteral("Command%1").arg(n)));
    setUpControls();

    // Both lyrics get the same width, whatever their button captions need.
    auto* grid = static_cast<QGridLayout*>(layout());
    const int columnWidth = std::max(ui.box("left")->minimumSize().width(), ui.box("right")->minimumSize().width());
    grid->setColumnMinimumWidth(0, columnWidth);
    grid->setColumnMinimumWidth(2, columnWidth);

    // The pop-up menu of the lists; it is not part of any menu bar.
    m_menu = new QMenu(QStringLiteral("Edit"), this);
    m_menu->setObjectName(QStringLiteral("mn_paste"));
    auto item = [this](const char* name, const QString& caption) {
        QAction* a = m_menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    connect(item("mn_copy", QStringLiteral("Copy")), &QAction::triggered, this, &Lyric_Master::mnCopyClick);
    connect(item("mn_paste2", QStringLiteral("Paste")), &QAction::triggered, this, &Lyric_Master::mnPaste2Click);
    connect(item("mn_del", QStringLiteral("Delete Lines")), &QAction::triggered, this, &Lyric_Master::mnDelClick);
    connect(item("mn_delspecial", QStringLiteral("Delete Selected Lines")), &QAction::triggered, this,
            &Lyric_Master::mnDelspecialClick);
}

void Lyric_Master::setUpControls()
{
    for (const Side side : {Side::Left, Side::Right}) {
        SideControls& c = controls(side);
        QFont f = c.title->font();
        f.setPointSizeF(f.pointSizeF() * 1.15);
        c.title->setFont(f);

        c.list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        c.list->setUniformItemSizes(true);
        c.list->installEventFilter(this);
        c.list->viewport()->installEventFilter(this);

        c.edit->setTabChangesFocus(true);
        const int lineHeight = c.edit->fontMetrics().lineSpacing();
        const int frame = 2 * (c.edit->frameWidth() + int(c.edit->document()->documentMargin()));
        c.edit->setFixedHeight(kEditBoxLines * lineHeight + frame);
    }
    // Buttons may shrink to their caption, so a narrow window still shows
    // both lyrics side by side.
    for (const int n : kButtonNumbers) {
        QPushButton* button = m_buttons[n];
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
    }
    m_buttons[23]->setFixedWidth(m_buttons[23]->fontMetrics().horizontalAdvance(QStringLiteral(">>>")) + 28);

    // The counts are bold; their room is five digits of the regular face.
    m_left.count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_left.count->setMinimumWidth(m_left.count->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    m_right.count->setMinimumWidth(m_left.count->minimumWidth());
    for (QLabel* count : {m_left.count, m_right.count}) {
        QFont f = count->font();
        f.setBold(true);
        count->setFont(f);
    }
}

} // namespace cantorel
