#include "base/TextCodec.h"

namespace cantorel {

namespace {

// 0x80..0x9F of Windows-1252; the five undefined bytes keep their C1 value.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isValidUtf8(const unsigned char* p, qsizetype n)
{
    char32_t cp = 0;
    for (qsizetype i = 0; i < n;) {
        const int len = utf8SequenceAt(p + i, n - i, &cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

qsizetype utf8BomLength(const unsigned char* p, qsizetype n)
{
    return n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF ? 3 : 0;
}

QString decodeCp1252(const unsigned char* p, qsizetype n)
{
    QString out(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        out[i] = cp1252Char(p[i]);
    return out;
}

// Code units in the given byte order; a surrogate without its partner and
// an odd last byte become U+FFFD.
QString decodeUtf16(const unsigned char* p, qsizetype n, bool bigEndian)
{
    QString out;
    out.reserve(n / 2 + 1);
    auto unitAt = [&](qsizetype i) -> char16_t {
        return bigEndian ? char16_t(p[i] << 8 | p[i + 1]) : char16_t(p[i + 1] << 8 | p[i]);
    };
    for (qsizetype i = 0; i + 1 < n; i += 2) {
        const char16_t unit = unitAt(i);
        if (QChar::isHighSurrogate(unit) && i + 3 < n && QChar::isLowSurrogate(unitAt(i + 2))) {
            out.append(QChar(unit));
            out.append(QChar(unitAt(i + 2)));
            i += 2;
        } else if (QChar::isSurrogate(unit)) {
            out.append(QChar::ReplacementCharacter);
        } else {
            out.append(QChar(unit));
        }
    }
    if (n % 2 != 0)
        out.append(QChar::ReplacementCharacter);
    return out;
}

} // namespace

int utf8SequenceAt(const unsigned char* p, qsizetype left, char32_t* cp)
{
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        *cp = b0;
        return 1;
    }
    int len;
    char32_t value;
    char32_t minimum;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        value = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        value = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        value = b0 & 0x07;
        minimum = 0x10000;
    } else
        return 0;
    if (left < len)
        return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *cp = value;
    return len;
}

QChar cp1252Char(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kCp1252High[byte - 0x80]);
    return QChar(byte);
}

std::optional<QString> decodeUnicodeText(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        return decodeUtf16(p + 2, n - 2, false);
    if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        return decodeUtf16(p + 2, n - 2, true);
    const qsizetype skip = utf8BomLength(p, n);
    if (isValidUtf8(p + skip, n - skip))
        return QString::fromUtf8(reinterpret_cast<const char*>(p + skip), n - skip);
    return std::nullopt;
}

QString decodeText(const QByteArray& bytes)
{
    if (auto text = decodeUnicodeText(bytes))
        return *text;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype skip = utf8BomLength(p, bytes.size());
    return decodeCp1252(p + skip, bytes.size() - skip);
}

QByteArray encodeText(const QString& text)
{
    return text.toUtf8();
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace cantorel
