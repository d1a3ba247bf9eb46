#include "lyrics/TextPlausibility.h"

#include "lyrics/CommonCharacters.h"

#include <QChar>
#include <QString>

#include <vector>

namespace cantorel::lyrics {

namespace {

enum class Kind {
    Ascii,
    Space, // no-break space
    Latin, // letters with accents, Latin-1 and Latin Extended
    Cyrillic,
    Greek,
    OtherLetter, // any other alphabet (Hebrew, Arabic, Thai, IPA, ...)
    Han,
    Hiragana,
    Katakana,
    HalfwidthKana,
    Hangul,
    HangulJamo,
    CjkPunct,    // ideographic punctuation and full-width forms
    Typographic, // ’ ‘ “ ” „ ‚ – — …
    OtherPunct,  // † ‡ • ‰ ‹ › ™ € ˆ ˜ ...
    Latin1Symbol,
    Music, // ♪ ♫ ☆ ★ ♡ ♥
    Symbol,
    Bad, // controls, private use, unassigned, U+FFFD
};

Kind kindOf(char32_t c)
{
    if (c < 0x80)
        return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0x7F ? Kind::Bad : Kind::Ascii;
    if (c < 0xA0)
        return Kind::Bad;
    if (c == 0xA0)
        return Kind::Space;
    if (c < 0xC0 || c == 0xD7 || c == 0xF7)
        return Kind::Latin1Symbol;
    if (c < 0x250)
        return Kind::Latin;
    if (c >= 0x2B0 && c < 0x370)
        return Kind::OtherPunct;
    if (c >= 0x370 && c < 0x400)
        return Kind::Greek;
    if (c >= 0x400 && c < 0x530)
        return Kind::Cyrillic;
    switch (c) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x2013:
    case 0x2014:
    case 0x2026:
        return Kind::Typographic;
    case 0x266A:
    case 0x266B:
    case 0x2606:
    case 0x2605:
    case 0x2661:
    case 0x2665:
        return Kind::Music;
    default:
        break;
    }
    if (c >= 0x2000 && c < 0x2190)
        return c < 0x2010 ? Kind::Space : Kind::OtherPunct;
    if (c >= 0x2190 && c < 0x2C00)
        return Kind::Symbol;
    if (c >= 0x3000 && c < 0x3040)
        return Kind::CjkPunct;
    if (c >= 0x3040 && c < 0x30A0)
        return Kind::Hiragana;
    if (c >= 0x30A0 && c < 0x3100)
        return Kind::Katakana;
    if (c >= 0x3130 && c < 0x3190)
        return Kind::HangulJamo;
    if ((c >= 0x3400 && c < 0x4DC0) || (c >= 0x4E00 && c < 0xA000) || (c >= 0xF900 && c < 0xFB00)
        || (c >= 0x20000 && c < 0x40000))
        return Kind::Han;
    if (c >= 0xAC00 && c < 0xD7A4)
        return Kind::Hangul;
    if ((c >= 0xE000 && c < 0xF900) || c >= 0xF0000 || c == 0xFFFD || (c >= 0xFFF0 && c <= 0xFFFF))
        return Kind::Bad;
    if ((c >= 0xFE30 && c < 0xFE50) || (c >= 0xFF01 && c < 0xFF61) || (c >= 0xFFE0 && c < 0xFFE7))
        return Kind::CjkPunct;
    if (c >= 0xFF61 && c < 0xFFA0)
        return Kind::HalfwidthKana;
    if (c >= 0x1F000 && c < 0x1FB00)
        return Kind::Symbol;
    if (QChar::category(c) == QChar::Other_NotAssigned)
        return Kind::Bad;
    return QChar::isLetter(c) ? Kind::OtherLetter : Kind::Symbol;
}

bool isAsciiLetter(char32_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool oneOf(const char16_t* set, char32_t c)
{
    for (; *set; ++set) {
        if (*set == c)
            return true;
    }
    return false;
}

// The accented letters of the Western languages and of the Central European
// ones (small letters; capitals count as theirs), the frequent first; and
// the ones no longer word of those languages starts or ends with. Where one
// byte is a frequent letter in both encodings (è and č, ñ and ń, ...) the
// weights tie and the Western reading, by far the more common, wins.
const char16_t kWesternFrequent[] = u"éèàçüöäßñáíóúêùãåõæ";
const char16_t kWesternOther[] = u"âîôûëïìòøœÿ";
const char16_t kWesternRare[] = u"ýþðšž";
const char16_t kWesternNeverFirst[] = u"èìòùêâîôûëïøåœãõñ";
// Accented letters that are words by themselves ("à", "è"; Hungarian "ő").
const char16_t kWesternAlone[] = u"àèóô";
const char16_t kCentralAlone[] = u"ő";
const char16_t kWesternNeverLast[] = u"êâîôûëïæåœøç";
const char16_t kCentralFrequent[] = u"áčéěíóřšúůýžąćęłńśźżőűöüäđ";
const char16_t kCentralOther[] = u"ďňťĺľŕăâîşţôëçß";
const char16_t kCentralNeverFirst[] = u"ůňťěęąńĺľŕ";
const char16_t kCyrillicTop[] = u"оеаинтсрвлОЕАИНТСРВЛ";
const char16_t kCyrillicMiddle[] = u"кмдпуяыьгзбчйхжшюКМДПУЯЫЬГЗБЧЙХЖШЮ";
const char16_t kCyrillicLow[] = u"цщэфъёЦЩЭФЪЁ";
const char16_t kUkrainian[] = u"іїєґІЇЄҐ";
const char16_t kCyrillicAlone[] = u"авикосуяіїйАВИКОСУЯІЇЙ"; // one-letter words
const char16_t kVowels[] = u"aeiouyAEIOUYàáâãäåæèéêëìíîïòóôõöøùúûüýÿěůőűąęÀÁÂÃÄÅÆÈÉÊËÌÍÎÏÒÓÔÕÖØÙÚÛÜÝĚŮŐŰĄĘ"
                           u"аеёиоуыэюяіїєАЕЁИОУЫЭЮЯІЇЄ";

// `first` and `last`: the letter opens or ends a word of two letters or
// more; `alone`: it is a word of its own.
double latinLetter(Reading reading, char32_t c, bool first, bool last, bool alone)
{
    const char32_t small = QChar::toLower(c);
    if (alone)
        return oneOf(reading == Reading::Western ? kWesternAlone : kCentralAlone, small) ? 1.0 : 0.1;
    if (reading == Reading::Western) {
        if ((first && oneOf(kWesternNeverFirst, small)) || (last && oneOf(kWesternNeverLast, small)))
            return 0.1;
        return oneOf(kWesternFrequent, small) ? 1.0
               : oneOf(kWesternOther, small)  ? 0.6
               : oneOf(kWesternRare, small)   ? 0.0
                                              : -2.0;
    }
    if (first && oneOf(kCentralNeverFirst, small))
        return 0.1;
    return oneOf(kCentralFrequent, small) ? 1.0 : oneOf(kCentralOther, small) ? 0.6 : -2.0;
}

double cyrillicLetter(char32_t c, bool first)
{
    const double weight = oneOf(kCyrillicTop, c)      ? 2.0
                          : oneOf(kCyrillicMiddle, c) ? 1.5
                          : oneOf(kUkrainian, c)      ? 1.0
                          : oneOf(kCyrillicLow, c)    ? 0.8
                                                      : 0.3;
    return !first && QChar::isUpper(c) ? weight * 0.6 : weight;
}

double hanScore(Reading reading, char32_t c)
{
    if (c > 0xFFFF)
        return -1.5;
    const char16_t u = char16_t(c);
    switch (reading) {
    case Reading::SimplifiedChinese:
        return inCommonSet(CommonSet::FrequentSimplified, u) ? 4.0
               : inCommonSet(CommonSet::SimplifiedHanzi, u)  ? 1.5
                                                             : -1.5;
    case Reading::TraditionalChinese:
        return inCommonSet(CommonSet::FrequentTraditional, u) ? 4.0
               : inCommonSet(CommonSet::TraditionalHanzi, u)  ? 1.5
                                                              : -1.5;
    case Reading::Japanese:
        return inCommonSet(CommonSet::FrequentKanji, u) ? 3.5 : inCommonSet(CommonSet::JapaneseKanji, u) ? 1.5 : -1.5;
    case Reading::Korean:
        return -1.0; // hanja: rare in what Koreans write now
    case Reading::AnyScript:
        return qMax(qMax(hanScore(Reading::SimplifiedChinese, c), hanScore(Reading::TraditionalChinese, c)),
                    hanScore(Reading::Japanese, c))
               - 0.5;
    default:
        return -3.0;
    }
}

double hangulScore(Reading reading, char32_t c)
{
    if (reading != Reading::Korean && reading != Reading::AnyScript)
        return -4.0;
    const char16_t u = char16_t(c);
    return inCommonSet(CommonSet::FrequentHangul, u) ? 4.0 : inCommonSet(CommonSet::Hangul, u) ? 1.5 : -2.5;
}

bool alphabetic(Reading reading)
{
    return reading == Reading::Western || reading == Reading::CentralEuropean || reading == Reading::Cyrillic;
}

double latin1SymbolScore(Reading reading, char32_t c)
{
    if (reading == Reading::AnyScript)
        return -0.5;
    if (!alphabetic(reading))
        return -2.0;
    if (c == 0xAB || c == 0xBB)
        return 0.5; // « »
    if ((c == 0xA1 || c == 0xBF) && reading == Reading::Western)
        return 0.5; // ¡ ¿
    if (c == 0xA9 || c == 0xAE || c == 0xB0)
        return 0.0; // © ® °
    return -2.0;
}

// The score of one character alone (letters of a word: see scoreWord).
double charScore(Reading reading, Kind kind, char32_t c)
{
    const bool east = !alphabetic(reading) && reading != Reading::AnyScript;
    const bool any = reading == Reading::AnyScript;
    switch (kind) {
    case Kind::Ascii:
        return 0.0;
    case Kind::Space:
        return east ? -1.0 : 0.0;
    case Kind::Greek:
    case Kind::OtherLetter:
        return any ? 1.0 : -3.0;
    case Kind::Han:
        return hanScore(reading, c);
    case Kind::Hiragana:
        return reading == Reading::Japanese || any ? 4.0 : -4.0;
    case Kind::Katakana:
        return reading == Reading::Japanese || any ? 3.5 : -4.0;
    case Kind::HalfwidthKana:
        return reading == Reading::Japanese ? -2.0 : any ? -1.0 : -4.0;
    case Kind::Hangul:
        return hangulScore(reading, c);
    case Kind::HangulJamo:
        return reading == Reading::Korean || any ? 0.5 : -4.0;
    case Kind::CjkPunct:
        return east || any ? 1.0 : -3.0;
    case Kind::Typographic:
        return east ? 0.5 : (c == 0x201A || c == 0x201E) ? 0.0 : 1.0;
    case Kind::OtherPunct:
        return any ? 0.0 : c == 0x20AC && !east ? 0.0 : east ? -1.0 : -1.5;
    case Kind::Latin1Symbol:
        return latin1SymbolScore(reading, c);
    case Kind::Music:
        return any ? 0.5 : 0.0;
    case Kind::Symbol:
        return any ? -0.5 : -2.0;
    case Kind::Bad:
        return -10.0;
    case Kind::Latin:
        return any ? 1.0 : east ? -2.0 : reading == Reading::Cyrillic ? -2.0 : 0.0;
    case Kind::Cyrillic:
        return any ? 1.0 : reading == Reading::Cyrillic ? 0.0 : -3.0;
    }
    return 0.0;
}

struct Char {
    char32_t code;
    Kind kind;
};

bool isWordLetter(const Char& ch)
{
    return isAsciiLetter(ch.code) || ch.kind == Kind::Latin || ch.kind == Kind::Cyrillic || ch.kind == Kind::Greek
           || ch.kind == Kind::OtherLetter;
}

bool isEastAsian(Kind kind)
{
    return kind == Kind::Han || kind == Kind::Hiragana || kind == Kind::Katakana || kind == Kind::Hangul;
}

// The letters of one word [begin, end) in an alphabetic reading: each
// letter's weight, and what no real word does (mostly accents, capitals
// after small letters, two alphabets, no vowel at all).
double scoreWord(Reading reading, const std::vector<Char>& text, size_t begin, size_t end)
{
    double score = 0;
    int ascii = 0, accented = 0, cyrillic = 0, latin = 0, vowels = 0;
    for (size_t i = begin; i < end; ++i) {
        const Char& ch = text[i];
        const bool longer = end - begin >= 2;
        const bool first = longer && i == begin, last = longer && i + 1 == end;
        if (ch.kind == Kind::Latin && reading != Reading::Cyrillic)
            score += latinLetter(reading, ch.code, first, last, !longer);
        else if (ch.kind == Kind::Cyrillic && reading == Reading::Cyrillic)
            score += cyrillicLetter(ch.code, first);
        ascii += isAsciiLetter(ch.code);
        accented += ch.kind == Kind::Latin;
        cyrillic += ch.kind == Kind::Cyrillic;
        latin += isAsciiLetter(ch.code) || ch.kind == Kind::Latin;
        vowels += oneOf(kVowels, ch.code);
        if (!first && QChar::isUpper(ch.code) && QChar::isLower(text[i - 1].code))
            score -= 2.5;
    }
    if (reading != Reading::Cyrillic && accented >= 2 && accented > ascii)
        score -= 2.5 * accented;
    if (cyrillic > 0 && latin > 0)
        score -= 3.0;
    if (vowels == 0 && end - begin >= 2 && (accented > 0 || cyrillic > 0))
        score -= 2.0;
    if (end - begin == 1 && cyrillic == 1 && !oneOf(kCyrillicAlone, text[begin].code))
        score -= 1.5;
    return score;
}

bool letterAt(const std::vector<Char>& text, size_t i)
{
    return i < text.size() && isWordLetter(text[i]);
}

// Typographic punctuation where writers put it: an apostrophe inside a
// word, quotes at a word's edge, a dash between words.
double typographicContext(const std::vector<Char>& text, size_t i)
{
    const char32_t c = text[i].code;
    const bool before = i > 0 && letterAt(text, i - 1);
    const bool after = letterAt(text, i + 1);
    const bool spaceBefore = i == 0 || text[i - 1].code == u' ';
    const bool spaceAfter =
        i + 1 == text.size() || text[i + 1].code == u' ' || text[i + 1].code == u'\r' || text[i + 1].code == u'\n';
    switch (c) {
    case 0x2019:
        return before && after ? 2.0 : before && spaceAfter ? 1.0 : 0.0;
    case 0x2018:
    case 0x201C:
        return after && spaceBefore ? 1.0 : 0.0;
    case 0x201D:
        return before && spaceAfter ? 1.0 : 0.0;
    case 0x201A:
    case 0x201E:
        return i + 1 < text.size() && (isAsciiLetter(text[i + 1].code) || oneOf(u"ÄÖÜ", text[i + 1].code)) ? 1.0 : 0.0;
    case 0x2013:
    case 0x2014:
        return (spaceBefore && spaceAfter) || (before && after) ? 1.0 : 0.0;
    case 0x2026:
        return before || spaceAfter ? 1.0 : 0.0;
    default:
        return 0.0;
    }
}

// A run of one or two East Asian characters glued to Latin letters: the
// mark of a lead byte that swallowed an ASCII letter.
double gluedRunPenalty(const std::vector<Char>& text, size_t begin, size_t end)
{
    const bool before = begin > 0 && isAsciiLetter(text[begin - 1].code);
    const bool after = end < text.size() && isAsciiLetter(text[end].code);
    const size_t length = end - begin;
    if ((length == 1 && (before || after)) || (length == 2 && before && after))
        return -3.0 * double(length);
    return 0.0;
}

std::vector<Char> charsOf(QStringView text)
{
    std::vector<Char> chars;
    chars.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c))
            c = 0xFFFD;
        chars.push_back({c, kindOf(c)});
    }
    return chars;
}

// A word of one or two Cyrillic letters between Latin words: an accented
// letter of a Western text read as Cyrillic ("à" read as "а").
double strayShortWord(const std::vector<std::pair<size_t, size_t>>& words, const std::vector<Char>& text, size_t w)
{
    const auto [begin, end] = words[w];
    if (end - begin > 2 || text[begin].kind != Kind::Cyrillic)
        return 0.0;
    const auto asciiWord = [&](size_t k) {
        for (size_t i = words[k].first; i < words[k].second; ++i) {
            if (!isAsciiLetter(text[i].code))
                return false;
        }
        return true;
    };
    const bool prev = w > 0 && asciiWord(w - 1);
    const bool next = w + 1 < words.size() && asciiWord(w + 1);
    const bool prevOther = w > 0 && !prev;
    const bool nextOther = w + 1 < words.size() && !next;
    return (prev || next) && !prevOther && !nextOther ? -3.0 : 0.0;
}

// Polish and Hungarian spell with these pairs of ASCII letters, the
// Western languages hardly ever: a hint for the Central European reading
// of the accented letters around them.
double centralDigraphs(const std::vector<Char>& chars)
{
    double bonus = 0;
    bool accented = false;
    for (size_t i = 0; i < chars.size(); ++i) {
        accented = accented || chars[i].kind == Kind::Latin;
        if (i + 1 < chars.size() && (chars[i + 1].code == u'z' || chars[i + 1].code == u'Z')
            && oneOf(u"csrdCSRD", chars[i].code))
            bonus += 0.5;
    }
    return accented ? qMin(bonus, 1.5) : 0.0;
}

double alphabeticWords(Reading reading, const std::vector<Char>& chars)
{
    std::vector<std::pair<size_t, size_t>> words;
    for (size_t i = 0; i < chars.size();) {
        if (!isWordLetter(chars[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < chars.size() && isWordLetter(chars[end]))
            ++end;
        words.emplace_back(i, end);
        i = end;
    }
    double score = reading == Reading::CentralEuropean ? centralDigraphs(chars) : 0.0;
    for (size_t w = 0; w < words.size(); ++w) {
        score += scoreWord(reading, chars, words[w].first, words[w].second);
        if (reading == Reading::Cyrillic)
            score += strayShortWord(words, chars, w);
    }
    return score;
}

} // namespace

qsizetype impossibleCharacters(QStringView text)
{
    qsizetype n = 0;
    for (const Char& ch : charsOf(text))
        n += ch.kind == Kind::Bad;
    return n;
}

double plausibility(QStringView text, Reading reading)
{
    const std::vector<Char> chars = charsOf(text);
    double score = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        score += charScore(reading, chars[i].kind, chars[i].code);
        if (chars[i].kind == Kind::Typographic && alphabetic(reading))
            score += typographicContext(chars, i);
    }
    if (alphabetic(reading))
        return score + alphabeticWords(reading, chars);
    for (size_t i = 0; i < chars.size();) {
        if (!isEastAsian(chars[i].kind)) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < chars.size() && isEastAsian(chars[end].kind))
            ++end;
        if (reading != Reading::AnyScript)
            score += gluedRunPenalty(chars, i, end);
        i = end;
    }
    return score;
}

} // namespace cantorel::lyrics
