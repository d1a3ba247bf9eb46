#pragma once
// The settings window ("Options"): previews of the two lyric boxes, the font
// and colour choices for them and for the screen's background, applied to the
// lyrics screen at once; "Apply And close" also stores them in "setting.txt",
// "Clear All Settings" deletes that file, "Close" just hides the window.
//
// The window reads the lyrics screen's look once, when it is made; hiding it
// keeps it. Every dialog goes through Prompts. User-interface thread only.
#include "common/Prompts.h"
#include "screensaver/ScreenSettings.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace cantorel::screensaver {

class ScreenSaver;

class Setting : public QDialog {
    Q_OBJECT
public:
    Setting(ScreenSaver& screen, Prompts& prompts, QWidget* parent = nullptr);

    BoxStyle lyricPreviewStyle() const;
    BoxStyle translatedPreviewStyle() const;

    // Handlers of the buttons.
    void command1Click(); // font for the normal line
    void command2Click(); // font for the translated line
    void command3Click(); // background of the normal line
    void command4Click(); // background of the translated line
    void command6Click(); // background of the screen
    void command5Click(); // "Apply And close"
    void command8Click(); // "Clear All Settings"
    void command9Click(); // "Close"

    // Escape and the window's close button act as "Close".
    void reject() override;

Q_SIGNALS:
    // The window has been hidden by one of its buttons or by closing it.
    void closed();

private:
    void chooseFont(QLineEdit* preview, bool lyricBox);
    void chooseBoxBackground(QLineEdit* preview, bool lyricBox);
    void finish();

    ScreenSaver& m_screen;
    Prompts& m_prompts;
    Prompts::CustomColors m_customColors;
    QLineEdit* m_text1; // preview of the normal-line box
    QLineEdit* m_text2; // preview of the translated-line box
};

} // namespace cantorel::screensaver
