#pragma once
// Playlist files (".mmr"): one full path per line in double quotes, CR LF
// after each, in list order; only paths are stored.
#include <QString>
#include <QStringList>

namespace cantorel {

// The name a chosen save name becomes: every ".mmr" removed (exact case),
// one appended. "songs" and "songs.mmr" give "songs.mmr".
QString playlistFileName(const QString& chosen);

// The first of `paths` that a playlist file cannot hold (a double quote, a
// line break or a NUL in it: legal in Linux file names, but the record would
// come back as another path), or "" when all can be stored.
QString unstorablePath(const QStringList& paths);

// Writes `paths` to `fileName` through a temporary file renamed over it, so
// a failure never leaves half a playlist. False with `error` set on failure
// (also when a path cannot be stored, see unstorablePath); the old file is
// then untouched.
bool savePlaylist(const QString& fileName, const QStringList& paths, QString* error);

// Reads the records of a playlist file: a quoted record is the text between
// its quotes (commas inside belong to the path); an unquoted one ends at a
// comma or the end of the line. Empty records are skipped. False with
// `error` set, and nothing in `paths`, when the file cannot be read or is
// not a playlist at all (control characters such as NUL bytes: a binary
// file, or a text with no path per line).
bool loadPlaylist(const QString& fileName, QStringList* paths, QString* error);

} // namespace cantorel
