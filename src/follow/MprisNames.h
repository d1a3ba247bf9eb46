#pragma once
// Names and paths every MPRIS media player on the session bus uses.
#include <QString>

namespace cantorel::follow {

inline const QString kMprisPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
inline const QString kMprisPath = QStringLiteral("/org/mpris/MediaPlayer2");
inline const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
inline const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
inline const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// How long a player has to answer a question before it counts as no answer.
constexpr int kCallTimeoutMs = 2000;

} // namespace cantorel::follow
