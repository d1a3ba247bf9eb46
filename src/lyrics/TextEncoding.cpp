#include "lyrics/TextEncoding.h"

#include "base/TextCodec.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace cantorel::lyrics {

namespace {

struct Known {
    TextEncoding encoding;
    const char* name;      // shown to the user
    const char* iconvName; // what glibc's iconv calls it ("" when Qt does it)
    const char* aliases;   // other names, space-separated, upper case
};

const Known kKnown[] = {
    {TextEncoding::Utf8, "UTF-8", "", "UTF8"},
    {TextEncoding::Utf16LE, "UTF-16LE", "", "UTF16LE UTF-16 UTF16 UCS-2 UCS-2LE"},
    {TextEncoding::Utf16BE, "UTF-16BE", "", "UTF16BE UCS-2BE"},
    {TextEncoding::Gb18030, "GB18030", "GB18030", "GBK GB2312 CP936 EUC-CN GB"},
    {TextEncoding::Big5, "Big5", "CP950", "BIG-5 CP950 BIG5-HKSCS"},
    {TextEncoding::ShiftJis, "Shift-JIS", "CP932", "SHIFT_JIS SJIS CP932 MS932 WINDOWS-31J"},
    {TextEncoding::EucJp, "EUC-JP", "EUC-JP", "EUCJP"},
    {TextEncoding::EucKr, "EUC-KR", "CP949", "EUCKR CP949 UHC KS_C_5601-1987"},
    {TextEncoding::Windows1251, "Windows-1251", "CP1251", "CP1251 WINDOWS1251"},
    {TextEncoding::Koi8R, "KOI8-R", "KOI8-R", "KOI8R KOI8"},
    {TextEncoding::Windows1250, "Windows-1250", "CP1250", "CP1250 WINDOWS1250"},
    {TextEncoding::Windows1252, "Windows-1252", "", "CP1252 WINDOWS1252 ISO-8859-1 LATIN1 ASCII US-ASCII"},
};

const Known& known(TextEncoding encoding)
{
    for (const Known& k : kKnown) {
        if (k.encoding == encoding)
            return k;
    }
    return kKnown[0];
}

// Runs one iconv conversion over the whole input. A sequence the source
// encoding does not know becomes `badOut` and is counted; so is one the
// target encoding cannot hold, unless `stopAtMisfit` (then nothing is
// returned at the first one).
std::optional<QByteArray> convert(const char* to, const char* from, const QByteArray& in, const QByteArray& badOut,
                                  qsizetype* misfits, bool stopAtMisfit)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) // NOLINT(performance-no-int-to-ptr): iconv's failure value
        return std::nullopt;
    QByteArray out(in.size() * 2 + 16, Qt::Uninitialized);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = size_t(in.size());
    qsizetype written = 0;
    qsizetype bad = 0;
    bool failed = false;
    while (srcLeft > 0) {
        char* dst = out.data() + written;
        size_t dstLeft = size_t(out.size() - written);
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int err = errno;
        written = dst - out.data();
        if (r != size_t(-1))
            break;
        if (err == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ, or EINVAL for a sequence cut short by the end.
        ++bad;
        if (stopAtMisfit) {
            failed = true;
            break;
        }
        ++src;
        --srcLeft;
        if (out.size() - written < badOut.size())
            out.resize(out.size() * 2);
        memcpy(out.data() + written, badOut.constData(), size_t(badOut.size()));
        written += badOut.size();
    }
    iconv_close(cd);
    if (misfits)
        *misfits = bad;
    if (failed)
        return std::nullopt;
    out.truncate(written);
    return out;
}

QString decodeWindows1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = cp1252Char(static_cast<unsigned char>(bytes[i]));
    return out;
}

std::optional<QByteArray> encodeWindows1252(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out[i] = char(c);
            continue;
        }
        int byte = 0x80;
        while (byte <= 0x9F && cp1252Char(static_cast<unsigned char>(byte)).unicode() != c)
            ++byte;
        if (byte > 0x9F)
            return std::nullopt;
        out[i] = char(byte);
    }
    return out;
}

QString decodeUtf16(TextEncoding encoding, const QByteArray& bytes, qsizetype* misfits)
{
    QStringDecoder decoder(encoding == TextEncoding::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (misfits)
        *misfits = text.count(QChar::ReplacementCharacter);
    return text;
}

bool holdsLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

QByteArray byteOrderMarkOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QByteArray("\xEF\xBB\xBF");
    case TextEncoding::Utf16LE:
        return QByteArray("\xFF\xFE");
    case TextEncoding::Utf16BE:
        return QByteArray("\xFE\xFF");
    default:
        return QByteArray();
    }
}

} // namespace

const QList<TextEncoding>& allTextEncodings()
{
    static const QList<TextEncoding> all = [] {
        QList<TextEncoding> list;
        for (const Known& k : kKnown)
            list << k.encoding;
        return list;
    }();
    return all;
}

QString encodingName(TextEncoding encoding)
{
    return QString::fromLatin1(known(encoding).name);
}

std::optional<TextEncoding> encodingNamed(QStringView name)
{
    const QString wanted = name.trimmed().toString().toUpper();
    if (wanted.isEmpty())
        return std::nullopt;
    for (const Known& k : kKnown) {
        if (wanted == QString::fromLatin1(k.name).toUpper()
            || QString::fromLatin1(k.aliases).split(u' ').contains(wanted))
            return k.encoding;
    }
    return std::nullopt;
}

QString decodeAs(TextEncoding encoding, const QByteArray& bytes, qsizetype* misfits)
{
    if (misfits)
        *misfits = 0;
    switch (encoding) {
    case TextEncoding::Utf8: {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decoder(bytes);
        if (misfits)
            *misfits = text.count(QChar::ReplacementCharacter);
        return text;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return decodeUtf16(encoding, bytes, misfits);
    case TextEncoding::Windows1252:
        return decodeWindows1252(bytes);
    default:
        break;
    }
    const auto utf8 = convert("UTF-8", known(encoding).iconvName, bytes, QByteArray("\xEF\xBF\xBD"), misfits, false);
    return utf8 ? QString::fromUtf8(*utf8) : decodeWindows1252(bytes);
}

std::optional<QByteArray> encodeAs(TextEncoding encoding, QStringView text)
{
    if (holdsLoneSurrogate(text))
        return std::nullopt;
    switch (encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf16LE:
        return QStringEncoder(QStringConverter::Utf16LE)(text);
    case TextEncoding::Utf16BE:
        return QStringEncoder(QStringConverter::Utf16BE)(text);
    case TextEncoding::Windows1252:
        return encodeWindows1252(text);
    default:
        break;
    }
    return convert(known(encoding).iconvName, "UTF-8", text.toUtf8(), QByteArray(), nullptr, true);
}

EncodedText encodeForFile(const QString& text, FileEncoding wanted)
{
    if (auto bytes = encodeAs(wanted.encoding, text)) {
        const bool mark = wanted.byteOrderMark && !byteOrderMarkOf(wanted.encoding).isEmpty();
        return {mark ? byteOrderMarkOf(wanted.encoding) + *bytes : *bytes, {wanted.encoding, mark}, false};
    }
    return {byteOrderMarkOf(TextEncoding::Utf8) + text.toUtf8(), {TextEncoding::Utf8, true}, true};
}

} // namespace cantorel::lyrics
