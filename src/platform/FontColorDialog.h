#pragma once
// A font dialog that also offers the text colour, as the lyric displays
// need: face, size, bold, italic, underline, strike-out and colour, with a
// sample.
//
// What the user leaves alone comes back exactly as it started: a face that
// is not installed here keeps its name (the sample shows the font standing
// in for it), a size such as 10.5 keeps its fraction, and a weight other
// than normal or bold stays unless Bold is ticked or unticked. Sizes are
// typed or picked in points; fractions are allowed (10.5, with "." or the
// locale's decimal sign), from kSmallestSize to kLargestSize. OK is
// disabled while the size or the face is not usable.
//
// Controls, by object name: `fontFamily` (editable list of the installed
// faces), `fontSize` (editable list of sizes), `fontBold`, `fontItalic`,
// `fontUnderline`, `fontStrikeOut`, `fontColor` (opens a colour dialog),
// `fontSample`, `fontNote` (says when the face is not installed).
#include "common/Prompts.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace cantorel {

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr double kSmallestSize = 1;
    static constexpr double kLargestSize = 2048;

    FontColorDialog(const Prompts::FontChoice& start, QWidget* parent = nullptr);
    // The choice as the controls show it now; the start's values where the
    // user left them alone. Meaningful while isChoiceValid().
    Prompts::FontChoice choice() const;
    bool isChoiceValid() const;

private:
    void buildControls();
    std::optional<double> chosenSize() const;
    QString chosenFamily() const;
    void pickColor();
    void showChoice();

    Prompts::FontChoice m_start;
    QString m_startSizeText;
    QComboBox* m_family;
    QComboBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QCheckBox* m_strikeOut;
    QPushButton* m_colorButton;
    QLabel* m_sample;
    QLabel* m_note;
    QPushButton* m_ok;
    QColor m_color;
};

} // namespace cantorel
