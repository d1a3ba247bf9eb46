#include "floating/SungWordsDelegate.h"

#include "karaoke/WipedText.h"

#include <QApplication>
#include <QPainter>

#include <vector>

namespace cantorel::floating {

bool SungWordsDelegate::mark(int row, const QList<karaoke::WordTiming>& timings, int sung)
{
    if (row < 0 || timings.isEmpty()) {
        row = -1;
        sung = 0;
    }
    if (row == m_row && sung == m_sung && (row < 0 || timings == m_timings))
        return false;
    m_row = row;
    m_timings = row < 0 ? QList<karaoke::WordTiming>() : timings;
    m_sung = sung;
    return true;
}

void SungWordsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (index.row() != m_row) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The row's background and selection as the style draws them; the text
    // is drawn here, a run of marked or unmarked characters at a time.
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);

    std::vector<bool> sung(size_t(text.size()), false);
    for (qsizetype w = 0; w < m_sung && w < m_timings.size(); ++w) {
        const karaoke::WordTiming& word = m_timings[w];
        for (int c = std::max(0, word.start); c < word.start + word.length && c < text.size(); ++c)
            sung[size_t(c)] = true;
    }
    const bool selected = item.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (item.state & QStyle::State_Active) ? QPalette::Active
                                                                             : QPalette::Inactive;
    const QColor ink = item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor faint =
        karaoke::blended(ink, item.palette.color(group, selected ? QPalette::Highlight : QPalette::Base), kUnsungFade);
    QFont marked = item.font;
    marked.setUnderline(true);
    const QFontMetricsF metrics(item.font);
    const double baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();

    painter->save();
    painter->setClipRect(area);
    double x = area.left();
    for (qsizetype from = 0; from < text.size();) {
        const bool on = sung[size_t(from)];
        qsizetype to = from + 1;
        while (to < text.size() && sung[size_t(to)] == on)
            ++to;
        const QString run = text.mid(from, to - from);
        painter->setFont(on ? marked : item.font);
        painter->setPen(on ? ink : faint);
        painter->drawText(QPointF(x, baseline), run);
        x += metrics.horizontalAdvance(run);
        from = to;
    }
    painter->restore();
}

} // namespace cantorel::floating
