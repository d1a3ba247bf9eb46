#pragma once
// A display box of the lyrics screen: one lyric line in the box's font, in
// its palette's Text colour on its Base colour, centred.
//
// A line wider than the box wraps: at word boundaries, and inside a word
// only where the word alone is wider than the box. The text always shows
// from its beginning. While the wrapped lines fit the box's height they are
// centred in it; when they need more room, they start at the top and the
// last line that fits ends in "…".
//
// The box only shows: it takes no focus and no input. User-interface thread.
#include <QStringList>
#include <QWidget>

namespace cantorel::screensaver {

class LyricBox : public QWidget {
    Q_OBJECT
public:
    explicit LyricBox(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    // Emits textChanged() when the text differs from the one shown.
    void setText(const QString& text);

    // The lines as the box shows them at its present size and font, the
    // last one with "…" when the text is cut.
    QStringList shownLines() const;
    // The height in pixels that shows the whole text, wrapped at `width`.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }

Q_SIGNALS:
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Wrapped {
        QStringList lines;
        QList<int> starts; // where each line starts in the text
        int lineHeight = 0;
    };
    // All lines at `width`.
    Wrapped wrap(int width) const;
    // The lines that fit the box, the last one cut when the text goes on.
    Wrapped fitted() const;
    int sideMargin() const;
    int textWidth(int boxWidth) const;

    QString m_text;
};

} // namespace cantorel::screensaver
