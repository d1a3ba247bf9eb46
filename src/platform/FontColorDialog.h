#pragma once
// A font dialog that also offers the text colour, as the lyric panes need:
// Qt's font chooser (face, style, size, underline, strike-out) with a colour
// button under it.
#include "common/Prompts.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace cantorel {

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    FontColorDialog(const Prompts::FontChoice& start, QWidget* parent = nullptr);
    Prompts::FontChoice choice() const;

private:
    void pickColor();
    void showColor();

    QFontDialog* m_fonts;
    QPushButton* m_colorButton;
    QColor m_color;
};

} // namespace cantorel
