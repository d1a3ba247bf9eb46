#pragma once
// The program's help: the bundled page "help/Welcome.htm" in a small browser
// window with Back, Forward and Home buttons. One window serves the whole
// program; every "Help" button shows and raises it.
//
// The window has no parent, so it stays usable while the window that opened
// it is disabled (the main window is, while the Lyric Maker is open), and it
// does not keep the program running once the main window has closed.
// Everything here runs on the user-interface thread.
#include <QString>
#include <QWidget>

class QKeyEvent;
class QTextBrowser;
class QToolButton;

namespace cantorel {

class Prompts;

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Opens `homePage`, a local HTML file. Links to pages and images beside
    // it are followed inside the window; web and mail links go to the
    // desktop's own programs.
    explicit HelpWindow(const QString& homePage, QWidget* parent = nullptr);

    QString homePage() const { return m_homePage; }
    // Makes `page` the home page and shows it, unless it already is the home
    // page (then the reader keeps the place they were at).
    void setHomePage(const QString& page);

    // The <title> of the page shown, "" when it has none.
    QString pageTitle() const;
    QTextBrowser* browser() const { return m_browser; }

    void goHome();

protected:
    // Escape closes (hides) the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void sourceChange();

    QString m_homePage;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_home = nullptr;
};

// Shows the help window at the bundled start page (found through
// bundledDataPath("help/Welcome.htm")), creating the window on first use,
// and raises it. When the page is missing, tells the user so through
// `prompts` (a message owned by `owner`) and shows no window.
void showHelp(QWidget* owner, Prompts& prompts);

// showHelp with another start page.
void showHelpPage(QWidget* owner, Prompts& prompts, const QString& page);

// The program's help window; null until help was first shown.
HelpWindow* helpWindow();

// The message shown when the help page `page` does not exist.
QString missingHelpText(const QString& page);

} // namespace cantorel
