#include "player/OffsetActions.h"

#include "controller/PlayerController.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace cantorel {

QList<QAction*> addOffsetActions(QWidget& window, PlayerController& player)
{
    struct Entry {
        const char* name;
        QString text;
        QKeySequence keys;
        void (PlayerController::*slot)();
    };
    const Entry entries[] = {
        {"mn_earlier", QObject::tr("Lyric 0.1 s earlier"), QKeySequence(Qt::ALT | Qt::Key_Left),
         &PlayerController::earlier},
        {"mn_later", QObject::tr("Lyric 0.1 s later"), QKeySequence(Qt::ALT | Qt::Key_Right), &PlayerController::later},
        {"mn_saveoffset", QObject::tr("Save offset into the lyric"), QKeySequence(Qt::ALT | Qt::Key_S),
         &PlayerController::saveOffset},
    };
    QList<QAction*> actions;
    for (const Entry& e : entries) {
        auto* action = new QAction(e.text, &window);
        action->setObjectName(QLatin1String(e.name));
        action->setShortcut(e.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        QObject::connect(action, &QAction::triggered, &player, e.slot);
        actions << action;
    }
    return actions;
}

} // namespace cantorel
