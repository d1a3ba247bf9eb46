#pragma once
// A song's timed lyric lives beside it in two files named after the song's
// full path: the path + "-lyric.txt" (the lyric) and the path +
// "-Tlyric.txt" (its translation, optional). Each holds one record per line:
//   <time in hundredths of a second>,"<escaped line>"  CR LF
// e.g. 1234.5,"Rain on the river" for a line sung from 12.345 s.
#include <QString>

namespace cantorel::lyrics {

QString lyricPathOf(const QString& mediaPath);
QString translatedLyricPathOf(const QString& mediaPath);

// Whether the lyric file, or the translated lyric file, of a song exists as
// an ordinary file.
bool hasLyric(const QString& mediaPath);
bool hasTranslation(const QString& mediaPath);

// One record line, CR LF included. `escapedText` must already be escaped
// (escapeLine), as the maker shows a line before it escapes and writes it.
// The time is written in plain decimal: 0, 1230, 1234.5, 0.7.
QString lyricRecord(double timeCentis, const QString& escapedText);

} // namespace cantorel::lyrics
