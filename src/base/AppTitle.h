#pragma once
// Titles that message boxes without a caption of their own show.
#include <QString>

namespace cantorel {

inline QString playerTitle()
{
    return QStringLiteral("Tessaly");
}
inline QString screenSaverTitle()
{
    return QStringLiteral("SCRNSAVE : Cantorel");
}

} // namespace cantorel
