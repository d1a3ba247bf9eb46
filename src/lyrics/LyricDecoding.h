#pragma once
// The text of lyric files (LRC files and the lyric pair), which come from
// every corner of the world in every encoding. The decision is made once for
// the whole file, never byte by byte:
//   1. a byte-order mark: UTF-8, UTF-16 LE or UTF-16 BE;
//   2. else bytes that are valid UTF-8 as a whole are UTF-8;
//   3. else the legacy encoding is guessed from the bytes (uchardet) and
//      converted (iconv): GBK/GB18030, Big5, Shift-JIS, EUC-KR, Windows-1251
//      and the rest of what the guesser knows;
//   4. when nothing can be guessed, or the guess does not fit the bytes,
//      Windows-1252.
#include "common/TextFile.h"

#include <QByteArray>
#include <QString>

namespace cantorel::lyrics {

// Decodes a whole lyric file's bytes as above, a byte-order mark dropped.
// Steps 1, 2 and 4 are decodeText's, except that a UTF-8 byte-order mark
// before bytes that are not UTF-8 still means UTF-8 (bad bytes read as
// U+FFFD). Never fails: any bytes give some text. Decoding a few megabytes takes a fraction of a
// second.
QString decodeLyricBytes(const QByteArray& bytes);

// Reads a whole lyric file (at most kTextFileMaxBytes) and decodes it with
// decodeLyricBytes. The statuses and error texts are those of readTextFile.
TextFileRead readLyricFile(const QString& path);

} // namespace cantorel::lyrics
