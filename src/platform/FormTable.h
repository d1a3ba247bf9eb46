#pragma once
// A window's controls and their places as data. A window describes its
// controls in one table (object name, kind, caption, tooltip, size in twips,
// a few flags) and where they sit in another (which box, its slot in a grid,
// stretch, gaps), and FormBuilder makes them. Behaviour (signals, models,
// ranges) stays with the window.
//
// Controls are made in table order, and Qt's tab order is the order in
// which a window's controls were made: the control table's order is the tab
// order. The places table is read in order too: a box's items go in as they
// come, so it reads like the window, top to bottom and left to right.
//
// All texts are UTF-8 and pass through the translator (context: the form's
// class name); sizes are twips (1440 to the logical inch, platform/Twips.h).
#include <QAbstractButton>
#include <QHash>
#include <QSet>
#include <QString>
#include <Qt>

#include <functional>
#include <initializer_list>
#include <span>
#include <utility>

class QLayout;
class QWidget;

namespace cantorel::form {

enum class Kind {
    Button,     // QPushButton showing the caption
    ToolButton, // QToolButton, caption beside its icon, raised under the mouse
    Label,      // QLabel
    Check,      // QCheckBox
    Radio,      // QRadioButton
    Edit,       // QLineEdit, the caption its text
    Combo,      // QComboBox
    Slider,     // QSlider, horizontal
    ListView,   // QListView (the window sets its model)
    ListWidget, // QListWidget
    TextBox,    // QPlainTextEdit
    Browser,    // QTextBrowser
    Panel,      // QWidget, to hold a box of controls
    Group,      // QGroupBox titled with the caption
    Frame,      // QFrame drawn as a styled panel
    Made,       // made by the window's own maker (FormBuilder::Maker)
};

enum Flag : unsigned {
    NoFlags = 0,
    Hidden = 1u << 0,        // made, never shown (a hidden helper box)
    ReadOnly = 1u << 1,      // an edit the user cannot type in
    Centred = 1u << 2,       // text centred (edits and labels)
    NoFocus = 1u << 3,       // never takes the keyboard focus, so not in the tab order
    Checked = 1u << 4,       // a check box or option button that starts ticked
    Disabled = 1u << 5,      // starts disabled
    Bold = 1u << 6,          // bold text
    AtLeast = 1u << 7,       // the width and height are minimums, not fixed sizes
    NoAutoDefault = 1u << 8, // a button that Enter never presses
    Default = 1u << 9,       // the button Enter presses
    Editable = 1u << 10,     // a combo box the user can type in
};

// One control. A size of 0 leaves that side to the layout.
struct Control {
    const char* name; // object name
    Kind kind;
    const char* caption = nullptr;
    const char* tip = nullptr; // tooltip
    int widthTwips = 0;
    int heightTwips = 0;
    unsigned flags = NoFlags;
};

// What a row of the places table puts in its box.
enum class Item {
    Control,       // the control `name`
    Row,           // a new horizontal box `name`
    Column,        // a new vertical box `name`
    Grid,          // a new grid box `name`
    Gap,           // empty space of `value` twips along the box
    Stretch,       // empty space that takes `value` shares of what is left
    Spacing,       // the box's spacing: `value` twips (a grid's: across, `other` down; -1 leaves one alone)
    Margins,       // the box's margins: `value` twips at the sides, `other` at top and bottom
    ColumnStretch, // a grid's column `cell.column` takes `value` shares of the width left
    RowStretch,    // a grid's row `cell.row` takes `value` shares of the height left
    RowMinimum,    // a grid's row `cell.row` is at least `value` twips high
};

struct Cell {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

// One row of the places table. `box` names the box the item goes in. A new
// box goes into the box `box`; when `box` names a control instead (a panel,
// a group, a frame) it becomes that control's layout, and when it is null,
// the form's own. For a control or a box inside a row or a column, `value`
// is its stretch; inside a grid, `cell` is where it goes.
struct Place {
    const char* box;
    Item item;
    const char* name = nullptr;
    int value = 0;
    int other = -1;
    Cell cell = {};
    Qt::Alignment align = {};
};

// Rows of a places table, spelled as they read.
constexpr Place put(const char* box, const char* control, int stretch = 0, Qt::Alignment align = {})
{
    return {box, Item::Control, control, stretch, -1, {}, align};
}
constexpr Place putAt(const char* box, const char* control, Cell cell, Qt::Alignment align = {})
{
    return {box, Item::Control, control, 0, -1, cell, align};
}
constexpr Place row(const char* box, const char* name, int stretch = 0)
{
    return {box, Item::Row, name, stretch};
}
constexpr Place column(const char* box, const char* name, int stretch = 0)
{
    return {box, Item::Column, name, stretch};
}
constexpr Place grid(const char* box, const char* name)
{
    return {box, Item::Grid, name};
}
// A box placed in a cell of the grid `box`.
constexpr Place rowAt(const char* box, const char* name, Cell cell)
{
    return {box, Item::Row, name, 0, -1, cell};
}
constexpr Place columnAt(const char* box, const char* name, Cell cell)
{
    return {box, Item::Column, name, 0, -1, cell};
}
constexpr Place gap(const char* box, int twips)
{
    return {box, Item::Gap, nullptr, twips};
}
constexpr Place stretch(const char* box, int shares = 1)
{
    return {box, Item::Stretch, nullptr, shares};
}
constexpr Place spacing(const char* box, int twips, int downTwips = -1)
{
    return {box, Item::Spacing, nullptr, twips, downTwips};
}
constexpr Place margins(const char* box, int sideTwips, int topBottomTwips)
{
    return {box, Item::Margins, nullptr, sideTwips, topBottomTwips};
}
constexpr Place columnStretch(const char* box, int column, int shares)
{
    return {box, Item::ColumnStretch, nullptr, shares, -1, {0, column}};
}
constexpr Place rowStretch(const char* box, int row, int shares)
{
    return {box, Item::RowStretch, nullptr, shares, -1, {row, 0}};
}
constexpr Place rowMinimum(const char* box, int row, int twips)
{
    return {box, Item::RowMinimum, nullptr, twips, -1, {row, 0}};
}

// Makes a window's controls from its tables, on the window thread. Texts
// are translated in the context of the form's class.
class FormBuilder {
public:
    // Makes a row of kind Made: a widget showing `caption` (the row's,
    // translated), with `form` as its parent. The builder names it and sets
    // its tooltip, flags and size.
    using Maker = std::function<QWidget*(const Control& row, const QString& caption, QWidget* form)>;

    explicit FormBuilder(QWidget* form);

    // Makes the controls of `controls` as children of the form, in order.
    void make(std::span<const Control> controls, const Maker& maker = {});
    // Builds the boxes of `places` and puts the controls in them, in order.
    // A control is one made here, or a child of the form of that object
    // name made elsewhere. Every control made here and not Hidden must have
    // its place by the end. A name the tables do not have, or a control
    // left without a place, is a programming error: it is skipped with a
    // warning that starts "Form table:".
    void layOut(std::span<const Place> places);

    // The control of that name: made here, or else a child of the form
    // (null when there is none).
    QWidget* control(const char* name) const;
    template <typename T>
    T* get(const char* name) const
    {
        return qobject_cast<T*>(control(name));
    }
    // The box of that name (null when there is none); for a null name, the
    // form's own.
    QLayout* box(const char* name) const;

    // Connects each named button's clicked() to its slot of `receiver`; a
    // name without a button is skipped with a "Form table:" warning.
    template <typename Receiver>
    void connectClicks(Receiver* receiver,
                       std::initializer_list<std::pair<const char*, void (Receiver::*)()>> clicks) const
    {
        for (const auto& [name, slot] : clicks) {
            if (auto* button = get<QAbstractButton>(name))
                QObject::connect(button, &QAbstractButton::clicked, receiver, slot);
            else
                noButton(name);
        }
    }

private:
    static void noButton(const char* name);
    QWidget* makeOne(const Control& row, const Maker& maker);
    QString text(const char* source) const;
    int pixels(int twips) const;
    void addBox(const Place& place);
    void addControl(const Place& place);
    void setUpBox(const Place& place);

    QWidget* m_form;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QLayout*> m_boxes;
    QSet<const QWidget*> m_placed; // placed, or hidden and needing no place
};

} // namespace cantorel::form
