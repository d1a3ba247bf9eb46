#pragma once
// One of the player's two lyric panes: a large, centred line of text with
// the coming line as tooltip. Every setter compares first and touches the
// widget only when something changes, since the panes are refreshed every
// 10 ms while a song plays.
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

Q_SIGNALS:
    // The text changed (not emitted when it was set to the text it had).
    void lyricChanged();
    // A click into the pane: the window moves the focus away from it.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_lyric;
};

} // namespace cantorel
