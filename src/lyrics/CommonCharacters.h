#pragma once
// Which characters people actually write in each East Asian script, for
// telling a lyric's real text from the same bytes read in the wrong
// encoding. Two tiers per script:
//   - the common set the national standards single out: GB 2312 level 1
//     (3755 hanzi), Big5 level 1 (5401), JIS X 0208 level 1 (2965 kanji),
//     the 2350 hangul syllables of KS X 1001; taken from the encodings
//     themselves;
//   - the few hundred characters that make up most of any text (and of
//     song lyrics in particular), listed here.
// Built once, on first use, from any thread; read-only after that.
#include <QChar>

namespace cantorel::lyrics {

enum class CommonSet {
    SimplifiedHanzi,  // GB 2312 level 1
    TraditionalHanzi, // Big5 level 1
    JapaneseKanji,    // JIS X 0208 level 1
    Hangul,           // KS X 1001 syllables
    FrequentSimplified,
    FrequentTraditional,
    FrequentKanji,
    FrequentHangul,
};

// True when the BMP character `c` belongs to `set`.
bool inCommonSet(CommonSet set, char16_t c);

} // namespace cantorel::lyrics
