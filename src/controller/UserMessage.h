#pragma once
// Something the player has to tell the user, as data: whoever shows the
// player (its window) puts it in a message box; the player itself never
// shows one.
#include <QString>

namespace cantorel {

struct UserMessage {
    enum class Kind {
        Plain,   // an OK box without icon
        Warning, // an OK box with the exclamation icon
    };
    Kind kind = Kind::Plain;
    QString text;
    QString title; // "" for the program's own title

    bool operator==(const UserMessage&) const = default;
};

} // namespace cantorel
