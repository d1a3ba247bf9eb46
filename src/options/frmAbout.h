#pragma once
// The About window ("About Cantorel"): the program icon, its name, its
// version as the build gives it, a short note, the support mail address,
// which opens a mail to it when clicked, and the licence. OK closes the window, which then
// deletes itself: each "About" builds it anew. User-interface thread only.
#include <QDialog>
#include <QLabel>

namespace cantorel {

// "Version " and the program's major, minor and patch numbers in plain
// decimal ("Version 13.1.10"), from the build's project version.
QString versionText();

// The address the About window offers for suggestions and questions.
QString supportAddress();

// The licence line: GPL-3.0-or-later, as LICENSE and the metadata say.
QString licenceText();

// A mail address shown as a link (red, underlined, on the window's
// background); a left click opens a new mail to it through the desktop.
class MailLink : public QLabel {
    Q_OBJECT
public:
    MailLink(const QString& address, QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

// The player's "About": shows the About window over `owner`, building it
// anew unless one is open (then it is raised). Returns the window.
frmAbout* showAbout(QWidget* owner);

} // namespace cantorel
