#pragma once
// The display options window ("Other Options"): the font, text colour and
// background of the player's two lyric panes. Each choice shows at once in
// the window's preview box for that pane ("Preview", Text1 for the normal
// pane, Text2 for the translated one) and is copied at once to the pane:
// font name, italic, underline, size and text colour, or the background.
// Bold, weight and strike-out stay in the preview: the panes' bold is the
// player's emphasis for lines with "!".
//
// The previews start with the panes' look when the window is made. Nothing
// is stored: choices last while the window exists. The player makes the
// window on first use and then hides and shows it; the custom colours of
// the colour dialog (16 greys to start with) also last as long.
//
// Every dialog goes through Prompts. User-interface thread only.
#include "common/Prompts.h"

#include <QWidget>

class QLineEdit;

namespace cantorel {

class Form1b : public QWidget {
    Q_OBJECT
public:
    // `normalPane` and `translatedPane` are the player's lyric panes; they
    // must outlive this window.
    Form1b(Prompts& prompts, QWidget* normalPane, QWidget* translatedPane, QWidget* parent = nullptr);

    QLineEdit* normalPreview() const { return m_text1; }
    QLineEdit* translatedPreview() const { return m_text2; }
    QWidget* normalPane() const { return m_normalPane; }
    QWidget* translatedPane() const { return m_translatedPane; }
    const Prompts::CustomColors& customColors() const { return m_customColors; }

    // Enables, shows and raises the window.
    void showWindow();

    // The button handlers.
    void command1Click(); // font and text colour of the normal pane
    void command2Click(); // font and text colour of the translated pane
    void command3Click(); // background of the normal pane
    void command4Click(); // background of the translated pane
    // "Apply And close": the translated preview takes the normal preview's
    // italic, underline, size and background (the panes are left as they
    // are), then showMainWindowRequested() and the window hides.
    void command5Click();

Q_SIGNALS:
    // "Apply And close" asks the player to show its window.
    void showMainWindowRequested();

private:
    void chooseFont(QLineEdit* preview, QWidget* pane);
    void chooseBackground(QLineEdit* preview, QWidget* pane);

    Prompts& m_prompts;
    QWidget* m_normalPane;
    QWidget* m_translatedPane;
    Prompts::CustomColors m_customColors;
    QLineEdit* m_text1 = nullptr; // preview of the normal pane
    QLineEdit* m_text2 = nullptr; // preview of the translated pane
};

} // namespace cantorel
