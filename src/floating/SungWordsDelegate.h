#pragma once
// Draws the floating window's line list with the sung words of one row
// marked: in the row being sung, the words whose time has come are
// underlined and the others drawn fainter, so the eye finds the place in
// the line. Every other row, and that row when it has no word times, is
// drawn as a plain list draws it.
//
// User-interface thread only.
#include "karaoke/Wipe.h"

#include <QStyledItemDelegate>

namespace cantorel::floating {

class SungWordsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // How far unsung words' colour goes towards the background.
    static constexpr double kUnsungFade = 0.5;

    using QStyledItemDelegate::QStyledItemDelegate;

    // Marks the first `sung` words (by time) of `timings` in row `row`;
    // a row of -1 marks nothing. True when the marks changed.
    bool mark(int row, const QList<karaoke::WordTiming>& timings, int sung);
    int markedRow() const { return m_row; }
    int sungWords() const { return m_sung; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_row = -1;
    QList<karaoke::WordTiming> m_timings;
    int m_sung = 0;
};

} // namespace cantorel::floating
