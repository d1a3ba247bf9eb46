#pragma once
// The songs a start of the player names, made so that any player can open
// them.
#include <QString>
#include <QStringList>

namespace cantorel {

// One argument of a start as it was meant. An argument that names an
// existing file or folder (relative ones in `workingFolder`; "": the
// process's own) is taken exactly as it is. Otherwise NULs go, one pair of
// double quotes that wraps the whole argument comes off, blanks at both ends
// are trimmed, and a file:// URL stands for its local file. "" for an
// argument that names nothing.
QString typedPath(const QString& argument, const QString& workingFolder = QString());

// The song a path opens: an LRC file stands for its song
// (lyrics::songOfLrcFile) when that song is there; any other path for itself.
QString songToOpen(const QString& path);

// typedPath(), then made absolute against `workingFolder`, so that it names
// the same file to a player started elsewhere, and songToOpen() of that.
QString launchPath(const QString& argument, const QString& workingFolder);

// Every argument as launchPath() takes it, in order, those that name nothing
// left out. Arguments that are the words of one name typed without quotes
// ("My", "Song.mp3") stand for that name when it exists and the first word
// alone does not.
QStringList launchPaths(const QStringList& arguments, const QString& workingFolder);

// The process's working folder, held as FileNames.h holds names.
QString workingFolder();

} // namespace cantorel
