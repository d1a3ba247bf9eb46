#include "editor/Lyric_Master.h"

#include "editor/LineCounters.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

namespace cantorel {

using editor::Side;

namespace {

constexpr int kCountlinesMs = 500;

std::set<int> markedRows(const QListWidget* list)
{
    std::set<int> rows;
    const QModelIndexList indexes = list->selectionModel()->selectedIndexes();
    for (const QModelIndex& index : indexes)
        rows.insert(index.row());
    return rows;
}

} // namespace

Lyric_Master::Lyric_Master(Prompts& prompts, QWidget* parent)
    : Lyric_Master(prompts, std::make_unique<editor::SystemClipboard>(), nullptr, parent)
{}

Lyric_Master::Lyric_Master(Prompts& prompts, editor::TextClipboard& clipboard, QWidget* parent)
    : Lyric_Master(prompts, nullptr, &clipboard, parent)
{}

Lyric_Master::Lyric_Master(Prompts& prompts, std::unique_ptr<editor::TextClipboard> ownClipboard,
                           editor::TextClipboard* clipboard, QWidget* parent)
    : QWidget(parent), m_ownClipboard(std::move(ownClipboard)), m_prompts(prompts),
      m_lines(prompts, clipboard ? *clipboard : *m_ownClipboard), m_files(m_lines, prompts)
{
    if (parent)
        setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Lyric_Master"));
    setWindowTitle(QStringLiteral("Lyric Editor"));
    m_lines.setPromptOwner(this);
    m_lines.setBeforePrompt([this] { showState(); });
    m_files.setOwner(this);

    buildControls();
    connectControls();
    resize(940, 640);

    m_countlines = new QTimer(this);
    m_countlines->setObjectName(QStringLiteral("Countlines"));
    m_countlines->setInterval(kCountlinesMs);
    connect(m_countlines, &QTimer::timeout, this, &Lyric_Master::countlinesTick);
    m_countlines->start();
}

Lyric_Master::~Lyric_Master()
{
    // The controls go after the state behind them; keep them from reporting
    // into it on their way out.
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* child : children) {
        child->removeEventFilter(this);
        child->disconnect(this);
    }
}

void Lyric_Master::connectControls()
{
    const std::pair<int, void (Lyric_Master::*)()> clicks[] = {
        {1, &Lyric_Master::command1Click},   {2, &Lyric_Master::command2Click},   {15, &Lyric_Master::command15Click},
        {16, &Lyric_Master::command16Click}, {17, &Lyric_Master::command17Click}, {18, &Lyric_Master::command18Click},
        {19, &Lyric_Master::command19Click}, {20, &Lyric_Master::command20Click}, {11, &Lyric_Master::command11Click},
        {12, &Lyric_Master::command12Click}, {5, &Lyric_Master::command5Click},   {7, &Lyric_Master::command7Click},
        {6, &Lyric_Master::command6Click},   {8, &Lyric_Master::command8Click},   {3, &Lyric_Master::command3Click},
        {4, &Lyric_Master::command4Click},   {9, &Lyric_Master::command9Click},   {10, &Lyric_Master::command10Click},
        {21, &Lyric_Master::command21Click}, {22, &Lyric_Master::command22Click}, {23, &Lyric_Master::command23Click},
        {13, &Lyric_Master::command13Click},
    };
    for (const auto& [n, slot] : clicks)
        connect(m_buttons[n], &QPushButton::clicked, this, slot);

    connect(m_left.deleteMarked, &QCheckBox::toggled, this, &Lyric_Master::check1Click);
    connect(m_right.deleteMarked, &QCheckBox::toggled, this, &Lyric_Master::check2Click);
    connect(m_synchronize, &QCheckBox::toggled, this, &Lyric_Master::check3Click);
    connect(m_left.edit, &QPlainTextEdit::textChanged, this, &Lyric_Master::text1Change);
    connect(m_right.edit, &QPlainTextEdit::textChanged, this, &Lyric_Master::text2Change);
    for (const Side side : {Side::Left, Side::Right}) {
        QListWidget* list = controls(side).list;
        connect(list, &QListWidget::currentRowChanged, this, [this, side](int row) { listCurrentChanged(side, row); });
        connect(list, &QListWidget::itemSelectionChanged, this, [this, side] { listMarksChanged(side); });
    }
}

// --- Entry points for the owner ---

void Lyric_Master::showEditor()
{
    setEnabled(true);
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

bool Lyric_Master::hasUnsavedChanges() const
{
    return m_files.hasUnsavedChanges();
}

bool Lyric_Master::saveChangesAtExit()
{
    if (!m_files.hasUnsavedChanges())
        return true;
    // The user should see the lyric the question is about.
    showEditor();
    return m_files.saveChangesAtExit();
}

editor::RescueOutcome Lyric_Master::writeRescueCopies()
{
    return editor::writeRescueCopies(m_files.unsavedSides(), editor::rescuePlaces(), QDateTime::currentDateTime());
}

// --- Events of the lists ---

bool Lyric_Master::eventFilter(QObject* watched, QEvent* event)
{
    for (const Side side : {Side::Left, Side::Right}) {
        QListWidget* list = controls(side).list;
        if (watched == list->viewport()) {
            if (event->type() == QEvent::MouseButtonPress
                && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                // A right press targets this side and opens the pop-up menu
                // without changing which lines are marked.
                popUpMenu(side, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                return true;
            }
            if (event->type() == QEvent::ContextMenu)
                return true; // already handled by the press
        } else if (watched == list) {
            if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
                side == Side::Left ? command11Click() : command12Click();
                return true;
            }
            if (event->type() == QEvent::ContextMenu) {
                // The menu key: open the menu at the current line.
                QListWidgetItem* item = list->currentItem();
                const QPoint at = item ? list->visualItemRect(item).bottomLeft() : QPoint(0, 0);
                popUpMenu(side, list->viewport()->mapToGlobal(at));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Lyric_Master::popUpMenu(Side side, const QPoint& globalPos)
{
    m_lines.setPasteTarget(side);
    m_menu->popup(globalPos);
}

void Lyric_Master::listCurrentChanged(Side side, int row)
{
    if (m_showing)
        return;
    m_lines.select(side, row);
    showState();
}

void Lyric_Master::listMarksChanged(Side side)
{
    if (m_showing)
        return;
    // Marks show nowhere else, and the list may be halfway through a change
    // of its current line: nothing to bring up to date here.
    m_lines.setMarked(side, markedRows(controls(side).list));
}

void Lyric_Master::editBoxChanged(Side side)
{
    if (m_showing)
        return;
    m_lines.editCurrentLine(side, controls(side).edit->toPlainText());
    showState();
}

void Lyric_Master::text1Change()
{
    editBoxChanged(Side::Left);
}
void Lyric_Master::text2Change()
{
    editBoxChanged(Side::Right);
}

// --- Buttons, check boxes and menu items ---

void Lyric_Master::command1Click()
{
    m_files.open(Side::Left);
    showState();
}
void Lyric_Master::command2Click()
{
    m_files.open(Side::Right);
    showState();
}
void Lyric_Master::command15Click()
{
    m_files.save(Side::Left);
    showState();
}
void Lyric_Master::command16Click()
{
    m_files.save(Side::Right);
    showState();
}
void Lyric_Master::command17Click()
{
    m_files.saveAs(Side::Left);
    showState();
}
void Lyric_Master::command18Click()
{
    m_files.saveAs(Side::Right);
    showState();
}
void Lyric_Master::command19Click()
{
    m_lines.addLine(Side::Left);
    showState();
}
void Lyric_Master::command20Click()
{
    m_lines.addLine(Side::Right);
    showState();
}
void Lyric_Master::command11Click()
{
    m_lines.deleteLines(Side::Left);
    showState();
}
void Lyric_Master::command12Click()
{
    m_lines.deleteLines(Side::Right);
    showState();
}
void Lyric_Master::command5Click()
{
    m_lines.moveUp(Side::Left);
    showState();
}
void Lyric_Master::command7Click()
{
    m_lines.moveUp(Side::Right);
    showState();
}
void Lyric_Master::command6Click()
{
    m_lines.moveDown(Side::Left);
    showState();
}
void Lyric_Master::command8Click()
{
    m_lines.moveDown(Side::Right);
    showState();
}
void Lyric_Master::command3Click()
{
    m_lines.copy(Side::Left);
}
void Lyric_Master::command4Click()
{
    m_lines.copy(Side::Right);
}
void Lyric_Master::command9Click()
{
    m_lines.pasteInto(Side::Left);
    showState();
}
void Lyric_Master::command10Click()
{
    m_lines.pasteInto(Side::Right);
    showState();
}
void Lyric_Master::command21Click()
{
    m_lines.clear(Side::Left);
    showState();
}
void Lyric_Master::command22Click()
{
    m_lines.clear(Side::Right);
    showState();
}
void Lyric_Master::command23Click()
{
    m_lines.transfer();
    showState();
}
void Lyric_Master::command13Click()
{
    m_lines.clearClipboard();
}

void Lyric_Master::check1Click(bool checked)
{
    if (!m_showing)
        m_lines.setDeleteMarked(Side::Left, checked);
}

void Lyric_Master::check2Click(bool checked)
{
    if (!m_showing)
        m_lines.setDeleteMarked(Side::Right, checked);
}

void Lyric_Master::check3Click(bool checked)
{
    if (!m_showing)
        m_lines.setSynchronize(checked);
}

void Lyric_Master::mnCopyClick()
{
    m_lines.copy(m_lines.pasteTarget());
}
void Lyric_Master::mnPaste2Click()
{
    m_lines.paste();
    showState();
}
void Lyric_Master::mnDelClick()
{
    m_lines.deleteLines(m_lines.pasteTarget());
    showState();
}

void Lyric_Master::mnDelspecialClick()
{
    m_lines.deleteMarkedLines(m_lines.pasteTarget());
    showState();
}

// --- Counters ---

void Lyric_Master::countlinesTick()
{
    const editor::CounterTexts t = editor::counterTexts(m_lines);
    setLabelText(m_left.lineNumber, t.leftLineNumber);
    setLabelText(m_right.lineNumber, t.rightLineNumber);
    const bool leftChanged = setLabelText(m_left.count, t.leftCount);
    const bool rightChanged = setLabelText(m_right.count, t.rightCount);
    if (leftChanged || rightChanged) {
        const editor::CountColours colours = editor::countColours(int(m_lines.column(Side::Left).lines.size()),
                                                                  int(m_lines.column(Side::Right).lines.size()));
        if (colours.left)
            setLabelColour(m_left.count, *colours.left);
        if (colours.right)
            setLabelColour(m_right.count, *colours.right);
    }
    if (t.synchronizeAllowed) {
        if (!m_synchronize->isEnabled())
            m_synchronize->setEnabled(true);
        return;
    }
    m_lines.setSynchronize(false);
    QScopedValueRollback<bool> showing(m_showing, true);
    if (m_synchronize->isChecked())
        m_synchronize->setChecked(false);
    if (m_synchronize->isEnabled())
        m_synchronize->setEnabled(false);
}

bool Lyric_Master::setLabelText(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return false;
    label->setText(text);
    return true;
}

bool Lyric_Master::setLabelColour(QLabel* label, const QColor& colour)
{
    if (label->palette().color(QPalette::WindowText) == colour)
        return false;
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return true;
}

// --- Showing the state ---

void Lyric_Master::showState()
{
    QScopedValueRollback<bool> showing(m_showing, true);
    showList(Side::Left);
    showList(Side::Right);
    showEditBox(Side::Left);
    showEditBox(Side::Right);
    const std::pair<QCheckBox*, bool> checks[] = {
        {m_left.deleteMarked, m_lines.column(Side::Left).deleteMarked},
        {m_right.deleteMarked, m_lines.column(Side::Right).deleteMarked},
        {m_synchronize, m_lines.synchronize()},
    };
    for (const auto& [box, on] : checks) {
        if (box->isChecked() != on)
            box->setChecked(on);
    }
}

void Lyric_Master::showList(Side side)
{
    const editor::LineColumn& c = m_lines.column(side);
    QListWidget* list = controls(side).list;
    const int n = int(c.lines.size());

    while (list->count() > n)
        delete list->takeItem(list->count() - 1);
    const int shown = list->count();
    for (int i = 0; i < shown; ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->text() != c.lines.at(i))
            item->setText(c.lines.at(i));
    }
    if (shown < n)
        list->addItems(c.lines.mid(shown));

    if (list->currentRow() != c.current) {
        if (c.current < 0) {
            list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        } else {
            list->setCurrentRow(c.current, QItemSelectionModel::NoUpdate);
            list->scrollToItem(list->item(c.current));
        }
    }
    if (markedRows(list) != c.marked) {
        QItemSelection selection;
        const QAbstractItemModel* model = list->model();
        for (const int m : c.marked) {
            const QModelIndex index = model->index(m, 0);
            selection.select(index, index);
        }
        list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
}

void Lyric_Master::showEditBox(Side side)
{
    QPlainTextEdit* edit = controls(side).edit;
    const QString& wanted = m_lines.column(side).editText;
    const QString shown = edit->toPlainText();
    if (shown == wanted)
        return;
    // When only line breaks were taken out of what the user typed, the
    // cursor stays where it was in the remaining text.
    int cursorAt = -1;
    if (editor::LinePair::withoutBreaks(shown) == wanted) {
        const int oldPosition = edit->textCursor().position();
        cursorAt = int(editor::LinePair::withoutBreaks(shown.left(oldPosition)).size());
    }
    edit->setPlainText(wanted);
    if (cursorAt >= 0) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(cursorAt);
        edit->setTextCursor(cursor);
    }
}

} // namespace cantorel
