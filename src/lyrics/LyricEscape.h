#pragma once
// The lyric files keep quotes and commas out of a line's text: a double quote
// is written as "h4618" and a comma as "h1416". Both directions are plain,
// case-sensitive replacements, quotes first, commas second, so a lyric that
// itself holds "h1416" reads back with a comma in its place.
#include <QString>

namespace cantorel::lyrics {

QString escapeLine(QString line);
QString unescapeLine(QString text);

} // namespace cantorel::lyrics
