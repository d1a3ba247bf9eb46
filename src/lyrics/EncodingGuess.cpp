#include "lyrics/EncodingGuess.h"

#include "lyrics/TextPlausibility.h"

#include <QLocale>

#include <optional>

namespace cantorel::lyrics {

namespace {

struct Candidate {
    TextEncoding encoding;
    Reading reading;
};

// Tried in this order, which is also the order ties are broken in.
const Candidate kCandidates[] = {
    {TextEncoding::Utf8, Reading::AnyScript},
    {TextEncoding::Windows1252, Reading::Western},
    {TextEncoding::Gb18030, Reading::SimplifiedChinese},
    {TextEncoding::Big5, Reading::TraditionalChinese},
    {TextEncoding::ShiftJis, Reading::Japanese},
    {TextEncoding::EucKr, Reading::Korean},
    {TextEncoding::Windows1251, Reading::Cyrillic},
    {TextEncoding::EucJp, Reading::Japanese},
    {TextEncoding::Windows1250, Reading::CentralEuropean},
    {TextEncoding::Koi8R, Reading::Cyrillic},
};

// Scores closer than this are a tie.
constexpr double kTieMargin = 0.25;
// What each character that valid UTF-8 spells with several bytes adds: such
// sequences hardly ever happen by chance in a legacy encoding.
constexpr double kUtf8SequenceWeight = 1.5;

TextEncoding encodingOfLanguage(DesktopLanguage language)
{
    switch (language) {
    case DesktopLanguage::ChineseSimplified:
        return TextEncoding::Gb18030;
    case DesktopLanguage::ChineseTraditional:
        return TextEncoding::Big5;
    case DesktopLanguage::Japanese:
        return TextEncoding::ShiftJis;
    case DesktopLanguage::Korean:
        return TextEncoding::EucKr;
    case DesktopLanguage::Cyrillic:
        return TextEncoding::Windows1251;
    case DesktopLanguage::Other:
        break;
    }
    return TextEncoding::Windows1252;
}

const unsigned char* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

// The first kGuessBytes, ended after a line break when the file is longer,
// so that no character is cut in two.
QByteArray sampleOf(const QByteArray& bytes)
{
    if (bytes.size() <= kGuessBytes)
        return bytes;
    const QByteArray head = bytes.left(kGuessBytes);
    const qsizetype lineEnd = head.lastIndexOf('\n');
    return lineEnd > 0 ? head.left(lineEnd + 1) : head;
}

// UTF-16 without a byte-order mark: text in it has zero bytes (the high
// byte of ASCII characters, of line ends) on one side of each pair only,
// which no 8-bit encoding has; and it must decode to a clean text.
std::optional<TextEncoding> byteOrderlessUtf16(const QByteArray& sample)
{
    const unsigned char* p = bytesOf(sample);
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < sample.size(); ++i)
        zeros[i % 2] += p[i] == 0;
    if (zeros[0] + zeros[1] < 2)
        return std::nullopt;
    std::optional<TextEncoding> order;
    if (zeros[1] > 0 && zeros[0] * 10 <= zeros[1])
        order = TextEncoding::Utf16LE;
    else if (zeros[0] > 0 && zeros[1] * 10 <= zeros[0])
        order = TextEncoding::Utf16BE;
    if (!order)
        return std::nullopt;
    const QString text = decodeAs(*order, sample);
    if (text.isEmpty() || impossibleCharacters(text) * 50 > text.size())
        return std::nullopt;
    return order;
}

bool isAscii(const QByteArray& sample)
{
    for (const char c : sample) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAsciiLetterOrDigit(int b)
{
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
}

// Whether the byte at i (0x80-0x9F) stands where Windows-1252 puts that
// punctuation.
bool punctuationInPlace(const unsigned char* p, qsizetype n, qsizetype i)
{
    const int before = i > 0 ? p[i - 1] : ' ';
    const int after = i + 1 < n ? p[i + 1] : ' ';
    const bool wordBefore = isAsciiLetterOrDigit(before);
    const bool wordAfter = isAsciiLetterOrDigit(after);
    const auto blank = [](int b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n' || b == ']'; };
    const auto closing = [&](int b) {
        return blank(b) || b == '.' || b == ',' || b == '!' || b == '?' || b == ';' || b == ':';
    };
    switch (p[i]) {
    case 0x92:
        return wordBefore && (wordAfter || closing(after)); // don’t, dreamin’
    case 0x91:
    case 0x93:
        return wordAfter && (blank(before) || i == 0); // ‘quoted, “quoted
    case 0x94:
        return (wordBefore || closing(before)) && closing(after); // quoted”
    case 0x96:
    case 0x97:
        return (blank(before) && blank(after)) || (wordBefore && wordAfter); // a – b, a—b
    case 0x85:
        return (wordBefore || closing(before)) && (closing(after) || wordAfter); // wait… for
    default:
        return false;
    }
}

bool onlyWindows1252Punctuation(const QByteArray& sample)
{
    const unsigned char* p = bytesOf(sample);
    bool any = false;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        if (p[i] < 0x80)
            continue;
        if (!punctuationInPlace(p, sample.size(), i))
            return false;
        any = true;
    }
    return any;
}

double scoreOf(const Candidate& c, const QByteArray& sample)
{
    qsizetype misfits = 0;
    const QString text = decodeAs(c.encoding, sample, &misfits);
    if (c.encoding == TextEncoding::Utf8) {
        if (misfits > 0)
            return -1e300; // not UTF-8 at all
        qsizetype multiByte = 0;
        for (const QChar ch : text)
            multiByte += ch.unicode() >= 0x80 && !ch.isLowSurrogate();
        return plausibility(text, c.reading) + kUtf8SequenceWeight * double(multiByte);
    }
    return plausibility(text, c.reading);
}

TextEncoding mostPlausible(const QByteArray& sample, DesktopLanguage language)
{
    double scores[std::size(kCandidates)];
    double best = -1e300;
    for (size_t i = 0; i < std::size(kCandidates); ++i) {
        scores[i] = scoreOf(kCandidates[i], sample);
        best = qMax(best, scores[i]);
    }
    const TextEncoding preferred = encodingOfLanguage(language);
    for (size_t i = 0; i < std::size(kCandidates); ++i) {
        if (kCandidates[i].encoding == preferred && scores[i] >= best - kTieMargin)
            return preferred;
    }
    for (size_t i = 0; i < std::size(kCandidates); ++i) {
        if (scores[i] >= best - kTieMargin)
            return kCandidates[i].encoding;
    }
    return TextEncoding::Windows1252;
}

} // namespace

DesktopLanguage desktopLanguageOf(const QString& localeName)
{
    const QString name = localeName.toLower().replace(u'-', u'_');
    const QString language = name.section(u'_', 0, 0).section(u'.', 0, 0).section(u'@', 0, 0);
    if (language == QLatin1String("zh")) {
        for (const char* traditional : {"_tw", "_hk", "_mo", "_hant"}) {
            if (name.contains(QLatin1String(traditional)))
                return DesktopLanguage::ChineseTraditional;
        }
        return DesktopLanguage::ChineseSimplified;
    }
    if (language == QLatin1String("ja"))
        return DesktopLanguage::Japanese;
    if (language == QLatin1String("ko"))
        return DesktopLanguage::Korean;
    for (const char* cyrillic : {"ru", "uk", "bg", "be", "mk"}) {
        if (language == QLatin1String(cyrillic))
            return DesktopLanguage::Cyrillic;
    }
    return DesktopLanguage::Other;
}

DesktopLanguage desktopLanguage()
{
    const QLocale system = QLocale::system();
    const QStringList languages = system.uiLanguages();
    return desktopLanguageOf(languages.isEmpty() ? system.name() : languages.first());
}

FileEncoding guessEncoding(const QByteArray& bytes, DesktopLanguage language)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {TextEncoding::Utf8, true};
    if (bytes.startsWith("\xFF\xFE"))
        return {TextEncoding::Utf16LE, true};
    if (bytes.startsWith("\xFE\xFF"))
        return {TextEncoding::Utf16BE, true};
    const QByteArray sample = sampleOf(bytes);
    if (const auto utf16 = byteOrderlessUtf16(sample))
        return {*utf16, false};
    if (isAscii(sample))
        return {TextEncoding::Utf8, false};
    if (onlyWindows1252Punctuation(sample))
        return {TextEncoding::Windows1252, false};
    return {mostPlausible(sample, language), false};
}

} // namespace cantorel::lyrics
