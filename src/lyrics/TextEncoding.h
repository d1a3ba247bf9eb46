#pragma once
// The encodings lyric files are written in, and turning bytes into text and
// back in each of them. The East Asian ones are read and written in their
// Windows supersets (GBK inside GB18030, CP950 for Big5, CP932 for
// Shift-JIS, CP949 for EUC-KR), which is what the files were made with.
//
// Everything here is re-entrant: any thread.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace cantorel::lyrics {

enum class TextEncoding {
    Utf8,
    Utf16LE,
    Utf16BE,
    Gb18030,
    Big5,
    ShiftJis,
    EucJp,
    EucKr,
    Windows1251,
    Koi8R,
    Windows1250,
    Windows1252,
};

// An encoding as a file holds it: with or without a byte-order mark in
// front (only UTF-8 and UTF-16 have one).
struct FileEncoding {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    bool operator==(const FileEncoding&) const = default;
};

// Every encoding, in the order the user is offered them.
const QList<TextEncoding>& allTextEncodings();

// The name the user sees and types: "UTF-8", "UTF-16LE", "GB18030", "Big5",
// "Shift-JIS", "EUC-JP", "EUC-KR", "Windows-1251", "KOI8-R", "Windows-1250",
// "Windows-1252".
QString encodingName(TextEncoding encoding);

// The encoding a name means, in any case, also under its common other names
// (GBK, CP936, SJIS, CP932, CP949, CP1251, ...); nothing for an unknown name.
std::optional<TextEncoding> encodingNamed(QStringView name);

// Decodes `bytes` (no byte-order mark expected: one is kept as U+FEFF).
// A byte sequence that is no character of the encoding reads as U+FFFD, and
// *misfits (when given) counts them. A sequence cut short at the very end
// counts too.
QString decodeAs(TextEncoding encoding, const QByteArray& bytes, qsizetype* misfits = nullptr);

// The bytes of `text` in `encoding`, without a byte-order mark; nothing when
// a character of it has no place in that encoding.
std::optional<QByteArray> encodeAs(TextEncoding encoding, QStringView text);

// What a lyric file is written as: in `wanted` (its mark included) when the
// whole text fits, else as UTF-8 with a byte-order mark, and `fellBack` says
// so. UTF-8 always fits.
struct EncodedText {
    QByteArray bytes;
    FileEncoding used;
    bool fellBack = false;
};
EncodedText encodeForFile(const QString& text, FileEncoding wanted);

} // namespace cantorel::lyrics
