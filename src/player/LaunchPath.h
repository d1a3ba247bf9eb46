#pragma once
// The song a start of the player names, made so that any player can open it.
#include <QString>

namespace cantorel {

// The program's arguments as one text (`commandLine`) as the player opens
// it: double quotes removed and outer blanks trimmed (as Form1::load and
// its open action take it), then made absolute against `workingFolder`, so
// that it names the same file to a player started elsewhere. An LRC file
// stands for its song (lyrics::songOfLrcFile) when that song is there.
// "" for a command line that names nothing.
QString launchPath(const QString& commandLine, const QString& workingFolder);

// The process's working folder, held as FileNames.h holds names.
QString workingFolder();

} // namespace cantorel
