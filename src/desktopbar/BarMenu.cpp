#include "desktopbar/BarMenu.h"

#include <QAction>
#include <QMenu>

namespace cantorel::desktopbar {

BarMenu::BarMenu(Prompts& prompts, LookSource look, QAction* lock, QAction* hideOnStop, QAction* close, QObject* parent)
    : QObject(parent), m_prompts(prompts), m_look(std::move(look)), m_menu(new QMenu),
      m_customColors(greyCustomColors())
{
    m_menu->setObjectName(QStringLiteral("mn_bar"));
    m_menu->addAction(lock);
    m_menu->addSeparator();
    struct Entry {
        const char* name;
        QString text;
        std::function<void()> run;
    };
    const Entry entries[] = {
        {"mn_barFont", tr("Font..."), [this] { chooseFont(false); }},
        {"mn_barSecondFont", tr("Second line font..."), [this] { chooseFont(true); }},
        {"mn_barUnsung", tr("Unsung colour..."), [this] { chooseColour(Colour::Unsung); }},
        {"mn_barSung", tr("Sung colour..."), [this] { chooseColour(Colour::Sung); }},
        {"mn_barOutline", tr("Outline colour..."), [this] { chooseColour(Colour::Outline); }},
    };
    for (const Entry& e : entries) {
        QAction* action = m_menu->addAction(e.text);
        action->setObjectName(QLatin1String(e.name));
        connect(action, &QAction::triggered, this, e.run);
    }
    m_menu->addSeparator();
    m_menu->addAction(hideOnStop);
    m_menu->addAction(close);
}

BarMenu::~BarMenu()
{
    delete m_menu;
}

void BarMenu::chooseFont(bool secondLine)
{
    BarLook look = m_look();
    QFont& font = secondLine ? look.secondFont : look.lineFont;
    // The dialog's colour is the letters' colour: the unsung one.
    const auto chosen = m_prompts.chooseFont(m_owner, Prompts::FontChoice::of(font, look.unsung));
    if (!chosen)
        return;
    font = BarSettings::bounded(chosen->appliedTo(font));
    if (chosen->color.isValid())
        look.unsung = chosen->color;
    Q_EMIT looked(look);
}

void BarMenu::chooseColour(Colour which)
{
    BarLook look = m_look();
    QColor& colour = which == Colour::Unsung ? look.unsung : which == Colour::Sung ? look.sung : look.outline;
    const auto chosen = m_prompts.chooseColor(m_owner, colour, m_customColors);
    if (!chosen || !chosen->isValid())
        return;
    colour = *chosen;
    Q_EMIT looked(look);
}

} // namespace cantorel::desktopbar
