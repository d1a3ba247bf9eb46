#include "platform/FormTable.h"

#include "platform/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace cantorel::form {

namespace {

// A table that names a control or a box it does not have is a programming
// error; the window still opens, without that item.
void misspelt(const char* what, const char* name)
{
    qWarning("Form table: no %s named \"%s\"", what, name ? name : "(null)");
}

QWidget* makeWidget(Kind kind, const QString& caption, QWidget* form)
{
    switch (kind) {
    case Kind::Button:
        return new QPushButton(caption, form);
    case Kind::ToolButton: {
        auto* button = new QToolButton(form);
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    }
    case Kind::Label:
        return new QLabel(caption, form);
    case Kind::Check:
        return new QCheckBox(caption, form);
    case Kind::Radio:
        return new QRadioButton(caption, form);
    case Kind::Edit:
        return caption.isNull() ? new QLineEdit(form) : new QLineEdit(caption, form);
    case Kind::Combo:
        return new QComboBox(form);
    case Kind::Slider:
        return new QSlider(Qt::Horizontal, form);
    case Kind::ListView:
        return new QListView(form);
    case Kind::ListWidget:
        return new QListWidget(form);
    case Kind::TextBox:
        return new QPlainTextEdit(form);
    case Kind::Browser:
        return new QTextBrowser(form);
    case Kind::Panel:
        return new QWidget(form);
    case Kind::Group:
        return new QGroupBox(caption, form);
    case Kind::Frame: {
        auto* frame = new QFrame(form);
        frame->setFrameShape(QFrame::StyledPanel);
        return frame;
    }
    case Kind::Made:
        break;
    }
    return nullptr;
}

void applyFlags(QWidget* w, unsigned flags)
{
    if (flags & ReadOnly) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setReadOnly(true);
    }
    if (flags & Centred) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setAlignment(Qt::AlignCenter);
        else if (auto* label = qobject_cast<QLabel*>(w))
            label->setAlignment(Qt::AlignCenter);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && (flags & Editable))
        combo->setEditable(true);
    if (flags & NoFocus)
        w->setFocusPolicy(Qt::NoFocus);
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && (flags & Checked))
        button->setChecked(true);
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        if (flags & NoAutoDefault)
            button->setAutoDefault(false);
        if (flags & Default)
            button->setDefault(true);
    }
    if (flags & Bold) {
        QFont font = w->font();
        font.setBold(true);
        w->setFont(font);
    }
    if (flags & Disabled)
        w->setEnabled(false);
    if (flags & Hidden)
        w->hide();
}

} // namespace

FormBuilder::FormBuilder(QWidget* form) : m_form(form)
{}

void FormBuilder::noButton(const char* name)
{
    misspelt("button", name);
}

QString FormBuilder::text(const char* source) const
{
    if (!source)
        return QString();
    return QCoreApplication::translate(m_form->metaObject()->className(), source);
}

int FormBuilder::pixels(int twips) const
{
    return twipsToPixels(twips, m_form);
}

void FormBuilder::make(std::span<const Control> controls, const Maker& maker)
{
    for (const Control& row : controls) {
        QWidget* w = makeOne(row, maker);
        if (!w)
            continue;
        m_controls.insert(QString::fromLatin1(row.name), w);
        if (row.flags & Hidden)
            m_placed.insert(w);
    }
}

QWidget* FormBuilder::makeOne(const Control& row, const Maker& maker)
{
    const QString caption = text(row.caption);
    QWidget* w = row.kind == Kind::Made ? (maker ? maker(row, caption, m_form) : nullptr)
                                        : makeWidget(row.kind, caption, m_form);
    if (!w) {
        misspelt("maker for the control", row.name);
        return nullptr;
    }
    w->setObjectName(QString::fromLatin1(row.name));
    if (row.tip && *row.tip)
        w->setToolTip(text(row.tip));
    applyFlags(w, row.flags);
    const bool atLeast = row.flags & AtLeast;
    if (row.widthTwips > 0) {
        if (atLeast)
            w->setMinimumWidth(pixels(row.widthTwips));
        else
            w->setFixedWidth(pixels(row.widthTwips));
    }
    if (row.heightTwips > 0) {
        if (atLeast)
            w->setMinimumHeight(pixels(row.heightTwips));
        else
            w->setFixedHeight(pixels(row.heightTwips));
    }
    return w;
}

QWidget* FormBuilder::control(const char* name) const
{
    const QString key = QString::fromLatin1(name);
    if (QWidget* w = m_controls.value(key))
        return w;
    return m_form->findChild<QWidget*>(key);
}

QLayout* FormBuilder::box(const char* name) const
{
    return name ? m_boxes.value(QString::fromLatin1(name)) : m_form->layout();
}

void FormBuilder::layOut(std::span<const Place> places)
{
    for (const Place& place : places) {
        switch (place.item) {
        case Item::Row:
        case Item::Column:
        case Item::Grid:
            addBox(place);
            break;
        case Item::Control:
            addControl(place);
            break;
        default:
            setUpBox(place);
            break;
        }
    }
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        if (!m_placed.contains(it.value()))
            qWarning("Form table: control \"%s\" is made but never placed", qPrintable(it.key()));
    }
}

void FormBuilder::addBox(const Place& place)
{
    QLayout* outer = place.box ? box(place.box) : nullptr;
    QWidget* owner = !place.box ? m_form : outer ? nullptr : control(place.box);
    if (!outer && !owner)
        return misspelt("box or control", place.box);
    QLayout* inner = nullptr;
    if (place.item == Item::Grid)
        inner = new QGridLayout(owner);
    else if (place.item == Item::Row)
        inner = new QHBoxLayout(owner);
    else
        inner = new QVBoxLayout(owner);
    m_boxes.insert(QString::fromLatin1(place.name), inner);
    if (auto* grid = qobject_cast<QGridLayout*>(outer)) {
        const Cell& c = place.cell;
        grid->addLayout(inner, c.row, c.column, c.rowSpan, c.columnSpan, place.align);
    } else if (auto* line = qobject_cast<QBoxLayout*>(outer)) {
        line->addLayout(inner, place.value);
    }
}

void FormBuilder::addControl(const Place& place)
{
    QLayout* outer = box(place.box);
    QWidget* w = control(place.name);
    if (!outer || !w)
        return misspelt(outer ? "control" : "box", outer ? place.name : place.box);
    if (auto* grid = qobject_cast<QGridLayout*>(outer)) {
        const Cell& c = place.cell;
        grid->addWidget(w, c.row, c.column, c.rowSpan, c.columnSpan, place.align);
    } else if (auto* line = qobject_cast<QBoxLayout*>(outer)) {
        line->addWidget(w, place.value, place.align);
    }
    m_placed.insert(w);
}

void FormBuilder::setUpBox(const Place& place)
{
    QLayout* target = box(place.box);
    if (!target)
        return misspelt("box", place.box);
    auto* line = qobject_cast<QBoxLayout*>(target);
    auto* grid = qobject_cast<QGridLayout*>(target);
    switch (place.item) {
    case Item::Gap:
        if (line)
            line->addSpacing(pixels(place.value));
        break;
    case Item::Stretch:
        if (line)
            line->addStretch(place.value);
        break;
    case Item::Spacing:
        if (line)
            line->setSpacing(pixels(place.value));
        if (grid && place.value >= 0)
            grid->setHorizontalSpacing(pixels(place.value));
        if (grid && place.other >= 0)
            grid->setVerticalSpacing(pixels(place.other));
        break;
    case Item::Margins: {
        const int side = pixels(place.value);
        const int topBottom = pixels(place.other);
        target->setContentsMargins(side, topBottom, side, topBottom);
        break;
    }
    case Item::ColumnStretch:
        if (grid)
            grid->setColumnStretch(place.cell.column, place.value);
        break;
    case Item::RowStretch:
        if (grid)
            grid->setRowStretch(place.cell.row, place.value);
        break;
    case Item::RowMinimum:
        if (grid)
            grid->setRowMinimumHeight(place.cell.row, pixels(place.value));
        break;
    default:
        break;
    }
}

} // namespace cantorel::form
