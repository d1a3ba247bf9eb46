#pragma once
// One of the player's two lyric panes: a large, centred line of text with
// the coming line as tooltip. Every setter compares first and touches the
// widget only when something changes, since the panes are refreshed every
// 10 ms while a song plays.
//
// A pane keeps to the rectangle its window gives it, whatever its font and
// text: its size hints do not depend on them, and a line that would not fit
// at the chosen font is drawn smaller until it does (TextFit.h), so a large
// font never makes one pane spill over the other.
#include "platform/FormTable.h"

#include <QLabel>

namespace cantorel {

class LyricPane : public QLabel {
    Q_OBJECT
public:
    explicit LyricPane(const QString& objectName, QWidget* parent = nullptr);

    // The pane's text as set (line breaks included); the label shows it
    // without carriage returns.
    QString lyric() const { return m_lyric; }
    void setLyric(const QString& text);
    void setTip(const QString& tip);
    bool isBold() const { return font().bold(); }
    void setBold(bool bold);

    // The font the text is drawn with: font(), or smaller when the text does
    // not fit the pane at font().
    QFont shownFont() const;
    // Where the text is drawn, in the pane's own pixels.
    QRect textRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return false; }
    int heightForWidth(int) const override { return -1; }

Q_SIGNALS:
    // The text changed (not emitted when it was set to the text it had).
    void lyricChanged();
    // A click into the pane: the window moves the focus away from it.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_lyric;
    // The last fit, kept while the text, the font and the size stay.
    mutable struct {
        QString text;
        QFont font;
        QSize size;
        QFont shown;
    } m_fit;
};

// Makes a pane for a window's control table (form::Kind::Made rows): named
// after the row, showing `caption`.
LyricPane* makeLyricPane(const form::Control& row, const QString& caption, QWidget* form);

} // namespace cantorel
