#pragma once
// Playlist files (".mmr"): one full path per line in double quotes, CR LF
// after each, in list order; only paths are stored.
#include <QString>
#include <QStringList>

namespace cantorel {

// The name a chosen save name becomes: every ".mmr" removed (exact case),
// one appended. "songs" and "songs.mmr" give "songs.mmr".
QString playlistFileName(const QString& chosen);

// Writes `paths` to `fileName` through a temporary file renamed over it, so
// a failure never leaves half a playlist. False with `error` set on failure;
// the old file is then untouched.
bool savePlaylist(const QString& fileName, const QStringList& paths, QString* error);

// Reads the records of a playlist file: a quoted record is the text between
// its quotes (commas inside belong to the path); an unquoted one ends at a
// comma or the end of the line. Empty records are skipped. False with
// `error` set when the file cannot be read.
bool loadPlaylist(const QString& fileName, QStringList* paths, QString* error);

} // namespace cantorel
