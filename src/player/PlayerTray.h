#pragma once
// The player's icon in the desktop's tray. Its tip is the line of the pane
// chosen under "Taskbar display", at most 63 characters, and it is set only
// when that line or the choice changes (no timer). A click on the icon
// restores the window to its normal state, raises and shows it; a double
// click restores and raises it; the context request raises the window and
// opens its pop-up menu ("Open", "Playlist"). On a desktop without a tray
// everything else works and nothing is reported.
//
// User-interface thread only.
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

namespace cantorel {

class PlayerTray : public QObject {
    Q_OBJECT
public:
    // The most a tip shows of a line.
    static constexpr int kTipLength = 63;

    PlayerTray(QWidget& window, QMenu& popup, const QIcon& icon, QObject* parent = nullptr);

    // Adds the icon, when the desktop has a tray; hide() removes it.
    void show();
    void hide();

    // The tip for `line`: its first 63 characters, without carriage returns
    // or line breaks at its end. The icon has no tip until the first
    // setLine().
    static QString tipFor(const QString& line);
    // Shows `line` in the tip (touching the icon only when the tip changes).
    void setLine(const QString& line);
    QString tip() const { return m_icon->toolTip(); }

    // What the desktop reports of the icon.
    void activate(QSystemTrayIcon::ActivationReason reason);

private:
    void restore();

    QWidget& m_window;
    QMenu& m_popup;
    QSystemTrayIcon* m_icon;
};

} // namespace cantorel
