#include "lyrics/LyricEscape.h"

namespace cantorel::lyrics {

QString escapeLine(QString line)
{
    line.replace(u'"', QStringLiteral("h4618"));
    line.replace(u',', QStringLiteral("h1416"));
    return line;
}

QString unescapeLine(QString text)
{
    text.replace(QStringLiteral("h4618"), QStringLiteral("\""));
    text.replace(QStringLiteral("h1416"), QStringLiteral(","));
    return text;
}

} // namespace cantorel::lyrics
