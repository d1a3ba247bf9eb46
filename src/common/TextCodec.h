#pragma once
// Text of the files the programs read and write. Everything is written as
// UTF-8. Reading accepts UTF-8 and, byte by byte where a sequence is not valid
// UTF-8, Windows-1252, so lyrics and playlists saved by 8-bit tools still read
// right.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cantorel {

// Decodes bytes as UTF-8; every byte that does not start a valid UTF-8
// sequence is taken as one Windows-1252 character. A leading BOM is dropped.
QString decodeText(const QByteArray& bytes);

// The Windows-1252 character of one byte (0x81, 0x8D, 0x8F, 0x90, 0x9D map to
// the C1 control of the same value, as Windows does).
QChar cp1252Char(unsigned char byte);

QByteArray encodeText(const QString& text);

// Splits decoded text into lines at CR LF, LF or a lone CR. A final line
// without terminator counts; the empty piece after the last terminator does
// not. So "a\r\nb" and "a\r\nb\r\n" both give two lines, "" gives none.
QStringList splitLines(const QString& text);

} // namespace cantorel
