#pragma once
// How much a decoded text looks like something a person wrote in a given
// script: the measure by which the encoding of a lyric file is chosen when
// nothing in the file says it. The same bytes read in the wrong encoding
// give characters nobody writes together: rare or unassigned ones, C1
// controls, private-use characters, a script foreign to the encoding's
// languages, accents on every letter of a word, capitals inside words, a
// lone kanji between two Latin letters.
//
// A score is a sum over the characters: about +1..+4 for a character that
// fits (more for the most frequent ones), 0 for plain ASCII, negative for
// one that does not fit, -10 for one that never belongs in a text. Scores
// of different readings of the same bytes compare directly.
//
// Re-entrant: any thread.
#include <QStringView>

namespace cantorel::lyrics {

// The languages a reading of the bytes stands for.
enum class Reading {
    Western,            // English, French, German, Spanish, ... (Windows-1252)
    CentralEuropean,    // Czech, Polish, Hungarian, ... (Windows-1250)
    Cyrillic,           // Russian, Ukrainian, Bulgarian, ... (Windows-1251, KOI8-R)
    SimplifiedChinese,  // GB18030
    TraditionalChinese, // Big5
    Japanese,           // Shift-JIS, EUC-JP
    Korean,             // EUC-KR
    AnyScript,          // Unicode encodings: every script is at home
};

double plausibility(QStringView text, Reading reading);

// How many characters of `text` never belong in a text at all: controls
// other than tab, CR and LF, private-use and unassigned characters,
// surrogates without their partner, U+FFFD.
qsizetype impossibleCharacters(QStringView text);

} // namespace cantorel::lyrics
