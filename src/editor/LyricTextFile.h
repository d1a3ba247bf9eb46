#pragma once
// Plain-text lyric files as the editor reads and writes them: one lyric line
// per text line, any line terminator read, CR LF written after every line.
//
// They are read as the player reads its lyric files (lyrics/LyricDecoding.h:
// the encoding the user chose for the file, else the most plausible one), so
// a GBK, Big5, Shift-JIS or Windows-1251 lyric reads right, and the encoding
// read in comes back with the lines. Writing takes an encoding: the one the
// file was read in when it is saved again, UTF-8 for a file of our own.
#include "lyrics/TextEncoding.h"

#include <QString>
#include <QStringList>

namespace cantorel::editor {

struct LyricTextRead {
    bool ok = false;
    QStringList lines;
    QString error;                 // why the file could not be read, when !ok
    lyrics::FileEncoding encoding; // what the file is written in, when ok
};

LyricTextRead readLyricText(const QString& path);

struct LyricTextWrite {
    QString error;                 // "" when written, otherwise why not (nothing changed then)
    lyrics::FileEncoding encoding; // what the file holds now, when written
    bool fellBack = false;         // the lines did not fit the encoding asked for: UTF-8 with a mark
    bool ok() const { return error.isEmpty(); }
};

// Writes the lines in `encoding` (its byte-order mark included) when every
// line fits it, else as UTF-8 with a byte-order mark. The lines go to a
// temporary file beside `path` that is renamed over it, so a failure leaves
// any old file whole; a symbolic link at `path` is followed, and the file it
// points at gets the lines and keeps its permission bits. A read-only file is
// replaced like any other: asking first is up to the caller.
LyricTextWrite writeLyricText(const QString& path, const QStringList& lines, lyrics::FileEncoding encoding = {});

// The name a chosen save name becomes: cleaned like every chosen path, every
// ".txt" (exact case) removed and ".txt" appended once.
QString lyricSaveName(const QString& chosen);

} // namespace cantorel::editor
