#include "lyrics/LyricDecoding.h"

#include "common/TextCodec.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <uchardet/uchardet.h>

namespace cantorel::lyrics {

namespace {

// The guesser sees this much of a file; no lyric comes near it, and a
// wrong file picked by mistake is not scanned whole.
constexpr qsizetype kGuessBytes = 128 * 1024;

// What the guesser makes of the bytes, as an iconv name; "" when it has no
// idea. The Windows supersets of the East Asian encodings are used, since
// that is what the files were written with.
QByteArray guessEncoding(const QByteArray& bytes)
{
    uchardet_t detector = uchardet_new();
    if (!detector)
        return QByteArray();
    uchardet_handle_data(detector, bytes.constData(), size_t(qMin(bytes.size(), kGuessBytes)));
    uchardet_data_end(detector);
    const QByteArray name = QByteArray(uchardet_get_charset(detector)).toUpper();
    uchardet_delete(detector);
    if (name == "SHIFT_JIS")
        return "CP932";
    if (name == "BIG5")
        return "CP950";
    if (name == "EUC-KR" || name == "UHC")
        return "CP949";
    if (name == "GB2312" || name == "GBK")
        return "GB18030";
    if (name == "ISO-8859-1" || name == "ASCII")
        return "WINDOWS-1252";
    return name;
}

// Converts `bytes` from `encoding` with iconv. A byte that does not fit is
// shown as U+FFFD; false when the encoding is unknown to iconv or more than
// one byte in fifty does not fit (then the guess was wrong).
bool iconvDecode(const QByteArray& encoding, const QByteArray& bytes, QString* text)
{
    iconv_t cd = iconv_open("UTF-8", encoding.constData());
    if (cd == iconv_t(-1))
        return false;
    QByteArray out(bytes.size() * 2 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    qsizetype written = 0;
    qsizetype misfits = 0;
    const auto grow = [&] { out.resize(out.size() * 2); };
    while (inLeft > 0) {
        char* o = out.data() + written;
        size_t outLeft = size_t(out.size() - written);
        const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
        const int err = errno;
        written = o - out.data();
        if (r != size_t(-1))
            break;
        if (err == E2BIG) {
            grow();
            continue;
        }
        // EILSEQ or EINVAL: a byte that starts no character of the encoding.
        // More than one byte in fifty so far (the first kilobyte counted
        // whole): the guess was wrong, and the rest need not be tried.
        const qsizetype consumed = bytes.size() - qsizetype(inLeft);
        if (++misfits * 50 > qMax<qsizetype>(consumed, 1024)) {
            misfits = bytes.size();
            break;
        }

        ++in;
        --inLeft;
        if (out.size() - written < 3)
            grow();
        memcpy(out.data() + written, "\xEF\xBF\xBD", 3);
        written += 3;
    }
    while (misfits * 50 <= bytes.size()) { // the closing shift sequence of a stateful encoding
        char* o = out.data() + written;
        size_t outLeft = size_t(out.size() - written);
        const size_t r = iconv(cd, nullptr, nullptr, &o, &outLeft);
        const int err = errno;
        written = o - out.data();
        if (r == size_t(-1) && err == E2BIG) {
            grow();
            continue;
        }
        break;
    }
    iconv_close(cd);
    if (misfits * 50 > bytes.size())
        return false;
    *text = QString::fromUtf8(out.constData(), written);
    return true;
}

} // namespace

QString decodeLyricBytes(const QByteArray& bytes)
{
    if (auto text = decodeUnicodeText(bytes))
        return *text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    const QByteArray guess = guessEncoding(bytes);
    QString text;
    if (!guess.isEmpty() && guess != "WINDOWS-1252" && iconvDecode(guess, bytes, &text))
        return text;
    return decodeText(bytes); // Windows-1252
}

TextFileRead readLyricFile(const QString& path)
{
    return readTextFile(path, decodeLyricBytes);
}

} // namespace cantorel::lyrics
