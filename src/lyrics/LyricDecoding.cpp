#include "lyrics/LyricDecoding.h"

#include "lyrics/EncodingChoices.h"
#include "lyrics/EncodingGuess.h"

namespace cantorel::lyrics {

namespace {

// The byte-order mark `bytes` start with when it is that of `encoding`.
qsizetype markLength(const QByteArray& bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    case TextEncoding::Utf16LE:
        return bytes.startsWith("\xFF\xFE") ? 2 : 0;
    case TextEncoding::Utf16BE:
        return bytes.startsWith("\xFE\xFF") ? 2 : 0;
    default:
        return 0;
    }
}

} // namespace

DecodedLyric decodeLyric(const QByteArray& bytes, std::optional<TextEncoding> chosen)
{
    // The desktop's language is asked once: it does not change while the
    // program runs, and lyric files are read from several threads.
    static const DesktopLanguage language = desktopLanguage();
    const TextEncoding encoding = chosen ? *chosen : guessEncoding(bytes, language).encoding;
    const qsizetype mark = markLength(bytes, encoding);
    return {decodeAs(encoding, mark > 0 ? bytes.sliced(mark) : bytes), {encoding, mark > 0}};
}

QString decodeLyricBytes(const QByteArray& bytes)
{
    return decodeLyric(bytes).text;
}

LyricFileRead readLyricFile(const QString& path)
{
    LyricFileRead result;
    const std::optional<TextEncoding> chosen = chosenEncodingFor(path);
    static_cast<TextFileRead&>(result) = readTextFile(path, [&](const QByteArray& bytes) {
        DecodedLyric decoded = decodeLyric(bytes, chosen);
        result.encoding = decoded.encoding;
        return decoded.text;
    });
    return result;
}

} // namespace cantorel::lyrics
