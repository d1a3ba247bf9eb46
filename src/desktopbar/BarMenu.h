#pragma once
// The desktop lyric bar's own right-click menu ("mn_bar"): "Lock", the
// fonts and colours ("Font...", "Second line font...", "Unsung colour...",
// "Sung colour...", "Outline colour..."), "Hide when the player stops" and
// "Close". The font and colour entries ask the user through the prompts and
// say what was chosen as a new look; the rest are the switch's actions.
//
// User-interface thread only.
#include "common/Prompts.h"
#include "desktopbar/BarSettings.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace cantorel::desktopbar {

class BarMenu : public QObject {
    Q_OBJECT
public:
    using LookSource = std::function<BarLook()>;

    // `lock`, `hideOnStop` and `close` go into the menu as they are;
    // `prompts` must outlive the menu; dialogs belong to `owner` (may be
    // null).
    BarMenu(Prompts& prompts, LookSource look, QAction* lock, QAction* hideOnStop, QAction* close,
            QObject* parent = nullptr);
    ~BarMenu() override;

    QMenu* menu() const { return m_menu; }
    void setOwner(QWidget* owner) { m_owner = owner; }

    // What the entries do, without the menu.
    void chooseFont(bool secondLine);
    enum class Colour { Unsung, Sung, Outline };
    void chooseColour(Colour which);

Q_SIGNALS:
    // The user chose another font or colour.
    void looked(const BarLook& look);

private:
    Prompts& m_prompts;
    LookSource m_look;
    QMenu* m_menu;
    QWidget* m_owner = nullptr;
    Prompts::CustomColors m_customColors;
};

} // namespace cantorel::desktopbar
