#include "floating/Lyric_Displayer.h"

#include "floating/FloatingLayout.h"
#include "floating/FollowRule.h"
#include "floating/SungWordsDelegate.h"
#include "lyrics/LyricTable.h"
#include "platform/FormTable.h"
#include "platform/Twips.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

#include <algorithm>

namespace cantorel {

namespace {

using namespace form;

// The lines, their translations and (hidden) their times, side by side;
// placeLists() sets their places from the window's size.
const Control kControls[] = {
    {"List1", Kind::ListWidget},
    {"List2", Kind::ListWidget},
    {"List3", Kind::ListWidget, nullptr, nullptr, 0, 0, Hidden},
};

// The selected row, or -1: a list's current row may be one it does not
// select.
int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

} // namespace

Lyric_Displayer::Lyric_Displayer(PositionSource position, QWidget* parent)
    : QWidget(parent, Qt::Window), m_position(std::move(position))
{
    setObjectName(QStringLiteral("Lyric_Displayer"));
    setWindowTitle(QStringLiteral("Lyrics Display"));

    FormBuilder ui(this);
    ui.make(kControls);
    m_list1 = ui.get<QListWidget>("List1");
    m_list2 = ui.get<QListWidget>("List2");
    m_list3 = ui.get<QListWidget>("List3");
    for (QListWidget* list : {m_list1, m_list2, m_list3}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    for (QListWidget* list : {m_list1, m_list2}) {
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { openMenu(list->viewport()->mapToGlobal(pos)); });
    }
    // List2 follows List1's selection, not its current row: a list that
    // takes the focus gets a current row without selecting it.
    connect(m_list1, &QListWidget::itemSelectionChanged, this, &Lyric_Displayer::list1RowChange);

    m_burst = new floating::FollowBurst([this] { followStep(); }, this);
    m_marks = new floating::SungWordsDelegate(m_list1);
    m_list1->setItemDelegate(m_marks);

    m_ontop = new QTimer(this);
    m_ontop->setObjectName(QStringLiteral("ontop"));
    m_ontop->setInterval(kOnTopMs);
    connect(m_ontop, &QTimer::timeout, this, &Lyric_Displayer::ontopTick);

    m_mneu = new QMenu(QStringLiteral("Menu"), this);
    m_mneu->setObjectName(QStringLiteral("mneu"));
    m_mnStay = m_mneu->addAction(QStringLiteral("Stay On Top"));
    m_mnStay->setObjectName(QStringLiteral("mn_stay"));
    m_mnStay->setCheckable(true);
    connect(m_mnStay, &QAction::triggered, this, &Lyric_Displayer::setStayOnTop);

    resize(twipsToPixels(kFormWidth, this), twipsToPixels(kFormHeight, this));
    placeLists();
}

Lyric_Displayer::~Lyric_Displayer()
{
    setClock(nullptr);
}

// ---------------------------------------------------------------- lists

void Lyric_Displayer::fill(const lyrics::LyricTable& table, bool noLyrics)
{
    m_list1->clear();
    m_list2->clear();
    m_list3->clear();
    m_times.clear();
    m_words.clear();
    m_marks->mark(-1, {}, 0);
    if (noLyrics)
        return;
    const int last = std::min(table.lineCount - 1, lyrics::LyricTable::kLastSlot);
    QStringList lines;
    QStringList translated;
    QStringList times;
    for (int i = 1; i <= last; ++i) {
        lines << table.listLines[size_t(i)];
        m_words << karaoke::lineTimings(table, i);
        times << table.listTimes[size_t(i)];
        if (!table.noTranslation)
            translated << table.listTranslatedLines[size_t(i)];
    }
    m_list1->addItems(lines);
    m_list2->addItems(translated);
    m_list3->addItems(times);
    m_times = floating::timesOf(times);
}

void Lyric_Displayer::list1RowChange()
{
    // The translation stays level with the line, and shows nothing selected
    // while the line list does not.
    const int row = selectedRow(m_list1);
    // Another line sung: its words are marked from where the song is.
    if (m_clock && isVisible())
        m_clock->refresh();
    if (row < 0) {
        m_list2->clearSelection();
        return;
    }
    if (m_list2->count() > 1 && row < m_list2->count()) {
        m_list2->setCurrentRow(row);
        m_list2->scrollToItem(m_list2->item(row));
    }
    m_list1->scrollToItem(m_list1->item(row));
}

// ---------------------------------------------------------------- following

void Lyric_Displayer::normalPaneChanged()
{
    followStep();
    // A hidden window's selection is only seen once it shows, and showing
    // takes a step of its own: no burst for nobody.
    if (isVisible())
        m_burst->start();
}

void Lyric_Displayer::followStep()
{
    const double centis = (m_position ? m_position() : 0) / 10.0;
    if (const auto row = floating::followedRow(m_times, centis); row && *row != selectedRow(m_list1))
        m_list1->setCurrentRow(*row);
}

// ---------------------------------------------------------------- size

void Lyric_Displayer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!(windowState() & Qt::WindowMinimized)) {
        const QSizeF twips(pixelsToTwips(width(), this), pixelsToTwips(height(), this));
        const QSizeF bounded = floating::boundedSize(twips);
        if (bounded != twips) {
            resize(twipsToPixels(bounded.width(), this), twipsToPixels(bounded.height(), this));
            return; // the resize comes back here
        }
    }
    placeLists();
}

void Lyric_Displayer::placeLists()
{
    const floating::ListPlaces places =
        floating::listPlaces(QSizeF(pixelsToTwips(width(), this), pixelsToTwips(height(), this)));
    const auto toPixels = [this](const QRectF& r) {
        return QRect(twipsToPixels(r.x(), this), twipsToPixels(r.y(), this), twipsToPixels(r.width(), this),
                     twipsToPixels(r.height(), this));
    };
    m_list1->setGeometry(toPixels(places.list1));
    m_list2->setGeometry(toPixels(places.list2));
}

// ---------------------------------------------------------------- stay on top

void Lyric_Displayer::contextMenuEvent(QContextMenuEvent* event)
{
    openMenu(event->globalPos());
}

void Lyric_Displayer::openMenu(const QPoint& globalPos)
{
    m_mneu->popup(globalPos);
}

bool Lyric_Displayer::staysOnTop() const
{
    return m_mnStay->isChecked();
}

void Lyric_Displayer::setStayOnTop(bool on)
{
    m_mnStay->setChecked(on);
    // Changing a window's flags hides it; it comes back where it was.
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown && !isVisible())
        show();
    if (on && isVisible())
        m_ontop->start();
    else
        m_ontop->stop();
}

void Lyric_Displayer::ontopTick()
{
    // Back to the top of the stay-on-top band, above windows that have
    // entered it since.
    if (!windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        show();
    }
    raise();
}

void Lyric_Displayer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (staysOnTop() && !m_ontop->isActive())
        m_ontop->start();
    if (m_clock)
        m_clock->add(this);
    followStep();
    if (m_clock)
        m_clock->refresh();
    // Lists scroll their selection into view only while shown.
    if (m_list1->currentItem())
        m_list1->scrollToItem(m_list1->currentItem());
    if (m_list2->currentItem())
        m_list2->scrollToItem(m_list2->currentItem());
}

void Lyric_Displayer::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A hidden window has nothing to keep on top, and no words to mark.
    m_ontop->stop();
    if (m_clock)
        m_clock->remove(this);
}

// ---------------------------------------------------------------- sung words

void Lyric_Displayer::setClock(karaoke::WipeClock* clock)
{
    if (clock == m_clock)
        return;
    if (m_clock)
        m_clock->remove(this);
    m_clock = clock;
    if (m_clock && isVisible()) {
        m_clock->add(this);
        m_clock->refresh();
    }
}

int Lyric_Displayer::markedRow() const
{
    return m_marks->markedRow();
}

int Lyric_Displayer::markedWords() const
{
    return m_marks->sungWords();
}

double Lyric_Displayer::follow(double positionMs)
{
    const int row = selectedRow(m_list1);
    const QList<karaoke::WordTiming> none;
    const QList<karaoke::WordTiming>& words = row >= 0 && row < m_words.size() ? m_words[row] : none;
    const int was = m_marks->markedRow();
    // The words are in the order they are sung: the first yet to begin
    // counts the sung ones before it.
    const auto next = std::find_if(words.begin(), words.end(),
                                   [positionMs](const karaoke::WordTiming& w) { return w.startMs > positionMs; });
    if (m_marks->mark(row, words, int(next - words.begin()))) {
        for (const int r : {was, m_marks->markedRow()}) {
            if (QListWidgetItem* item = r >= 0 ? m_list1->item(r) : nullptr)
                m_list1->viewport()->update(m_list1->visualItemRect(item));
        }
    }
    return next != words.end() ? next->startMs : -1;
}

} // namespace cantorel
