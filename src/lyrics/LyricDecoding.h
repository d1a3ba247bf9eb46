#pragma once
// The text of lyric files (LRC files and the lyric pair), which come from
// every corner of the world in every encoding. The encoding is decided once
// for the whole file, never byte by byte: the one the user chose for that
// file (EncodingChoices.h), else the one its bytes say (EncodingGuess.h:
// byte-order marks, UTF-16 by its zero bytes, UTF-8, else the most
// plausible of the legacy encodings lyric files are written in, near-ties
// going to the desktop's language). The encoding read in is kept with the
// text, so that a file rewritten (an offset saved into it) stays in it.
#include "base/TextFile.h"
#include "lyrics/TextEncoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace cantorel::lyrics {

struct DecodedLyric {
    QString text;          // without the byte-order mark
    FileEncoding encoding; // what the file is written in
};

// Decodes a whole lyric file's bytes in `chosen`, or in the guessed
// encoding when nothing is chosen. A byte-order mark of the encoding used
// is dropped (and noted in `encoding`); bytes that are no character of it
// read as U+FFFD. Never fails: any bytes give some text. A few megabytes
// take a fraction of a second.
DecodedLyric decodeLyric(const QByteArray& bytes, std::optional<TextEncoding> chosen = std::nullopt);

// The text alone, the encoding guessed.
QString decodeLyricBytes(const QByteArray& bytes);

struct LyricFileRead : TextFileRead {
    FileEncoding encoding; // when ok()
};

// Reads a whole lyric file (at most kTextFileMaxBytes) and decodes it in
// the encoding chosen for it (chosenEncodingFor), else the guessed one. The
// statuses and error texts are those of readTextFile.
LyricFileRead readLyricFile(const QString& path);

} // namespace cantorel::lyrics
