#pragma once
// Replacing lyric files the user already has (a lyric pair, an LRC file)
// so that nothing is lost: each existing file is first moved aside as its
// newest backup (common/Backups.h: <path>.bak, older ones .bak.1, ...), and
// the new text is written in the file's encoding (TextEncoding.h:
// encodeForFile). Several files change together or not at
// all: when one step fails, the files written so far are removed and their
// backups put back.
#include "lyrics/TextEncoding.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace cantorel::lyrics {

struct FileReplacement {
    QString path;
    QString text;
    // Only move the existing file aside (if there is one); write nothing.
    bool setAsideOnly = false;
    // What the text is written as: a file rewritten keeps the encoding it
    // was read in; a new one is UTF-8. A text that no longer fits its
    // encoding is written as UTF-8 with a byte-order mark (see `notes`).
    FileEncoding encoding = {};
};

struct ReplacementResult {
    bool ok = false;
    QString error;       // for the user, naming the file; "" when ok
    QString written;     // the first file written; "" unless ok
    QStringList backups; // the backups made, in the order of the files
    // For the user: each file written as UTF-8 because its text no longer
    // fit the encoding it was in ("Rain.lrc no longer fits Big5: it is
    // UTF-8 now").
    QStringList notes;
};

ReplacementResult replaceFiles(const QList<FileReplacement>& files);

// The result of a change refused before any file was touched.
ReplacementResult refusal(const QString& why);

} // namespace cantorel::lyrics
