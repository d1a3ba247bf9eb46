#pragma once
// Replacing lyric files the user already has (a lyric pair, an LRC file)
// so that nothing is lost: each existing file is first moved aside as its
// newest backup (common/Backups.h: <path>.bak, older ones .bak.1, ...), and
// the new text is written as UTF-8. Several files change together or not at
// all: when one step fails, the files written so far are removed and their
// backups put back.
#include <QList>
#include <QString>
#include <QStringList>

namespace cantorel::lyrics {

struct FileReplacement {
    QString path;
    QString text;
    // Only move the existing file aside (if there is one); write nothing.
    bool setAsideOnly = false;
};

struct ReplacementResult {
    bool ok = false;
    QString error;       // for the user, naming the file; "" when ok
    QString written;     // the first file written; "" unless ok
    QStringList backups; // the backups made, in the order of the files
};

ReplacementResult replaceFiles(const QList<FileReplacement>& files);

// The result of a change refused before any file was touched.
ReplacementResult refusal(const QString& why);

} // namespace cantorel::lyrics
