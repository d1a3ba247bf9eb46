#pragma once
// Small questions about paths that several windows ask.
#include <QString>

namespace cantorel {

// True when an ordinary file (not a folder) exists at exactly this path
// (a name that is not UTF-8 included: see FileNames.h).
bool ordinaryFileExists(const QString& path);

// The name part of a path as the file system reports it for that exact path,
// or "" when no ordinary file is there.
QString existingFileName(const QString& path);

// The name part of a path, whether the file exists or not.
QString fileNamePart(const QString& path);

// Removes every NUL character and trims blanks at both ends, as every path
// that comes back from a dialog or a command line is cleaned; a path that
// names an existing file or folder as it is ("Song .mp3") keeps its blanks.
QString cleanChosenPath(const QString& path);

// "name" -> "name.ext": removes every occurrence of ext (exact case, anywhere
// in the file's name; the folders of a path are left as they are) and
// appends it once. ("songs", ".mmr") -> "songs.mmr"; "a.mmr.old" ->
// "a.old.mmr"; "list.MMR" -> "list.MMR.mmr"; "/my.txtfiles/x" ->
// "/my.txtfiles/x.txt".
QString withExtensionRule(const QString& name, const QString& ext);

} // namespace cantorel
