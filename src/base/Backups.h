#pragma once
// Backups of files the programs are about to replace. A new backup never
// replaces an older one: the newest is always <path>.bak, and the ones
// before it move up to <path>.bak.1, <path>.bak.2, ... (the higher the
// number, the older the backup). Nothing is ever deleted here but a backup
// that is being undone.
//
// `path` always names the file itself (links already followed, see
// FileReplace.h: linkedFile), except for moveToBackup, which moves whatever
// sits at the name.
#include "base/FileReplace.h"

#include <QString>

namespace cantorel {

// "<path>.bak" for generation 0, "<path>.bak.<n>" for older generation n.
QString backupPath(const QString& path, int generation = 0);

// Keeps the file at `path` as its newest backup and leaves it in place, so
// that a new file can then be renamed over it with the old one never missing
// (FileReplace.h): the existing backups move one generation up, then
// <path>.bak becomes a second name of the file (a hard link), or, where the
// file system has no hard links, a flushed copy with the file's permission
// bits. Returns the backup's path, or "" with a reason for the user in
// `error`; every backup is then where it was. The link is made through
// `calls`.
QString keepBackup(const QString& path, QString* error = nullptr,
                   const FileSystemCalls& calls = FileSystemCalls::real());

// Moves the file at `path` aside as its newest backup, first moving the
// existing backups one generation up. Returns the backup's path, or "" with
// `error` set when the file could not be moved (the file and every backup are
// then where they were).
QString moveToBackup(const QString& path, QString* error = nullptr);

// Puts the newest backup back in place of `path` in one rename (whatever is
// at `path`, a file or nothing, is replaced), and moves the older generations
// one down again, so that a backup made by mistake leaves no trace. False
// when it failed.
bool restoreNewestBackup(const QString& path);

// Undoes keepBackup when the file stayed after all: removes the newest
// backup (the file keeps its own name) and moves the older generations one
// down. False when it failed.
bool dropNewestBackup(const QString& path);

} // namespace cantorel
