#pragma once
// The lyric's offset in the player window: "Lyric 0.1 s earlier"
// (Alt+Left), "Lyric 0.1 s later" (Alt+Right) and "Save offset into the
// lyric" (Alt+S), named "mn_earlier", "mn_later", "mn_saveoffset". They are
// actions of the window, so their keys work anywhere in it; they move the
// player's lyric (PlayerController::earlier, later, saveOffset).
#include <QList>

class QAction;
class QWidget;

namespace cantorel {

class PlayerController;

QList<QAction*> addOffsetActions(QWidget& window, PlayerController& player);

} // namespace cantorel
