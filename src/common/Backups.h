#pragma once
// Backups of files the programs are about to replace. A new backup never
// replaces an older one: the newest is always <path>.bak, and the ones
// before it move up to <path>.bak.1, <path>.bak.2, ... (the higher the
// number, the older the backup). Nothing is ever deleted here.
#include <QString>

namespace cantorel {

// "<path>.bak" for generation 0, "<path>.bak.<n>" for older generation n.
QString backupPath(const QString& path, int generation = 0);

// Moves the file at `path` aside as its newest backup, first moving the
// existing backups one generation up. Returns the backup's path, or "" with
// `error` set when the file could not be moved (the file and every backup are
// then where they were, apart from generations already moved up, which keep
// their content under the next number).
QString moveToBackup(const QString& path, QString* error = nullptr);

// Puts the newest backup back in place of `path` (which must not exist any
// more, or is replaced), and moves the older generations one down again, so
// that a backup made by mistake leaves no trace. False when it failed.
bool restoreNewestBackup(const QString& path);

} // namespace cantorel
