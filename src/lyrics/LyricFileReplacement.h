#pragma once
// Replacing lyric files the user already has (a lyric pair, an LRC file)
// so that nothing is lost, not even by a kill or a power cut in the middle:
//
//   1. every target is checked first: a folder is refused, and so is a file
//      the user made read-only (see ReadOnlyRule), before anything changes;
//   2. each new text is written to a temporary file beside its target and
//      flushed (FileReplace.h: StagedFile);
//   3. each existing target is kept as its newest backup without leaving its
//      place (Backups.h: keepBackup; <path>.bak, older ones .bak.1, ...);
//   4. the new files are renamed over their targets in the order given; a
//      file only set aside loses its name then (its backup holds it).
//
// So at every instant each target holds its old text or its new one, and
// for several files (a lyric and its translation, in that order) the disk
// shows old-old, new-new, or new-old with the old second file already in
// its backups. When a step fails, everything is undone: the files put in
// place get their old files back (in one rename each), new files are
// removed, and the backups made go away.
//
// A target that is a symbolic link is followed: the file it points at is
// replaced and keeps its permission bits, the link stays, and the backups sit
// beside that file. A link only set aside goes to its backups as a link.
//
// Each text is written in its file's encoding (TextEncoding.h:
// encodeForFile): a file rewritten keeps the one it was read in.
#include "base/FileReplace.h"
#include "lyrics/TextEncoding.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace cantorel::lyrics {

struct FileReplacement {
    QString path;
    QString text; // bytesOf in the .cpp is where text becomes bytes
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
    QString written;     // the first file written (as named); "" unless ok
    QStringList backups; // the backups made, in the order of the files
    // The read-only files that made a change refused under ReadOnlyRule::
    // Refuse (`ok` is false, nothing changed); asking the user and trying
    // again with ReadOnlyRule::Replace is up to the caller.
    QStringList readOnly;
    // For the user: each file written as UTF-8 because its text no longer
    // fit the encoding it was in ("Rain.lrc no longer fits Big5: it is
    // UTF-8 now").
    QStringList notes;
};

// Called before every step of replaceFiles that changes the disk (a file
// staged, a backup kept, a file put in place or set aside), with the steps
// numbered from 0 in each call; the disk then shows what a kill at that
// instant would leave. When it returns false the step fails as if the disk
// had refused it. The undoing of a failure is not numbered. Tests stand in
// for a kill or a failing disk at each instant with it.
using ReplacementStepWatch = std::function<bool(int step)>;

// Runs the replacement above; `beforeStep` (when set) watches its steps.
ReplacementResult replaceFiles(const QList<FileReplacement>& files, ReadOnlyRule readOnly = ReadOnlyRule::Refuse,
                               const ReplacementStepWatch& beforeStep = {});

// The result of a change refused before any file was touched.
ReplacementResult refusal(const QString& why);

} // namespace cantorel::lyrics
