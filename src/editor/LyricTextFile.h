#pragma once
// Plain-text lyric files as the editor reads and writes them: one lyric line
// per text line. Read as base/TextCodec.h decodes whole files (UTF-8,
// UTF-16 with a byte-order mark, else Windows-1252) with any line
// terminator; written as UTF-8 with CR LF after every line.
#include <QString>
#include <QStringList>

namespace cantorel::editor {

struct LyricTextRead {
    bool ok = false;
    QStringList lines;
    QString error; // why the file could not be read, when !ok
};

LyricTextRead readLyricText(const QString& path);

// Writes the lines to a temporary file beside `path` and renames it over
// `path`, so a failure leaves any old file whole; a symbolic link at `path`
// is followed, and the file it points at gets the lines. Returns "" on
// success, otherwise why it failed.
QString writeLyricText(const QString& path, const QStringList& lines);

// The name a chosen save name becomes: cleaned like every chosen path, every
// ".txt" (exact case) removed and ".txt" appended once.
QString lyricSaveName(const QString& chosen);

} // namespace cantorel::editor
