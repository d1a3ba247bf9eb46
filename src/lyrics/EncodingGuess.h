#pragma once
// Which encoding a lyric file is in, when nothing but its bytes can say.
// In this order:
//   1. a byte-order mark: UTF-8, UTF-16 LE or BE;
//   2. zero bytes in the pattern of UTF-16 (ASCII characters, line ends),
//      in one byte order, and the text decodes cleanly: UTF-16 in that order;
//   3. pure ASCII: UTF-8;
//   4. the only bytes above ASCII are 0x80-0x9F where Windows-1252 puts its
//      punctuation, and each stands where that punctuation goes (an
//      apostrophe inside a word, dashes between words, ...): Windows-1252;
//   5. else every encoding lyric files are written in (UTF-8 when the bytes
//      are valid UTF-8, GB18030, Big5, Shift-JIS, EUC-JP, EUC-KR,
//      Windows-1251, KOI8-R, Windows-1250, Windows-1252) decodes the bytes,
//      and the most plausible text wins (TextPlausibility.h). Near-ties go
//      to the encoding of the desktop's language, then to the more common
//      one (UTF-8, Windows-1252, GB18030, Big5, Shift-JIS, EUC-KR,
//      Windows-1251, EUC-JP, Windows-1250, KOI8-R).
// Only the first kGuessBytes of a file are looked at.
//
// Re-entrant: any thread.
#include "lyrics/TextEncoding.h"

#include <QByteArray>
#include <QString>

namespace cantorel::lyrics {

constexpr qsizetype kGuessBytes = qsizetype(64) * 1024;

// What the desktop's language says about legacy files.
enum class DesktopLanguage {
    ChineseSimplified,  // GB18030
    ChineseTraditional, // Big5 (Taiwan, Hong Kong, Macau)
    Japanese,           // Shift-JIS
    Korean,             // EUC-KR
    Cyrillic,           // Windows-1251 (Russian, Ukrainian, Bulgarian, ...)
    Other,              // Windows-1252
};

// From a locale name as in LANG ("zh_TW.UTF-8", "ru_RU", "de").
DesktopLanguage desktopLanguageOf(const QString& localeName);
// From the user's locale (LC_ALL, LC_MESSAGES, LANG, as Qt reads them).
DesktopLanguage desktopLanguage();

FileEncoding guessEncoding(const QByteArray& bytes, DesktopLanguage language);

} // namespace cantorel::lyrics
