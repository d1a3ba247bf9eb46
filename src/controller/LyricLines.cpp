#include "controller/LyricLines.h"

namespace cantorel {

LyricLines LyricLines::designed()
{
    LyricLines lines;
    lines.panes = {QStringLiteral("Normal Lyrics\r\n"), QStringLiteral("Displays lyrics"),
                   QStringLiteral("Translated Lyrics\r\n"), QStringLiteral("Displays Translated Lyrics")};
    return lines;
}

} // namespace cantorel
