#pragma once
// Text of the files the programs read and write. Everything is written as
// UTF-8. Reading decides per file: UTF-16 when the file starts with a UTF-16
// byte-order mark, UTF-8 when the whole file is valid UTF-8 (a UTF-8
// byte-order mark is dropped), and otherwise Windows-1252 for the whole file,
// so lyrics and playlists saved by 8-bit tools or as "Unicode" read right.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace cantorel {

// Decodes a whole file's bytes as described above. A UTF-16 surrogate
// without its partner, or an odd last byte, reads as U+FFFD.
QString decodeText(const QByteArray& bytes);

// The first two rules alone: the text when the bytes start with a UTF-16
// byte-order mark or are valid UTF-8 as a whole, nothing otherwise (for
// readers that know more legacy encodings than Windows-1252).
std::optional<QString> decodeUnicodeText(const QByteArray& bytes);

// The Windows-1252 character of one byte (0x81, 0x8D, 0x8F, 0x90, 0x9D map to
// the C1 control of the same value, as Windows does).
QChar cp1252Char(unsigned char byte);

// Length of the valid UTF-8 sequence starting at p (1..4, with `left` bytes
// available), its code point in *cp; 0 when the bytes there are not valid
// UTF-8 (overlong forms, surrogates and cut sequences included).
int utf8SequenceAt(const unsigned char* p, qsizetype left, char32_t* cp);

QByteArray encodeText(const QString& text);

// Splits decoded text into lines at CR LF, LF or a lone CR. A final line
// without terminator counts; the empty piece after the last terminator does
// not. So "a\r\nb" and "a\r\nb\r\n" both give two lines, "" gives none.
QStringList splitLines(const QString& text);

} // namespace cantorel
