#pragma once
// Which names the playlist takes as songs. Both rules look for the strings
// anywhere in the last six characters of a name or path, with exact letter
// case: "tune.mp3x" passes (".mp3" in "e.mp3x"), "song.MP3" does not.
#include <QByteArrayView>
#include <QString>

namespace cantorel {

// A folder scan takes ".mp3", ".mp2", ".ogg", "wav" (without the dot, so
// "wavy" passes) and ".wma".
bool isScannedSong(const QString& name);
// The same rule on a name's bytes as a folder listing gives them (see
// base/FileNames.h for how such a name is held).
bool isScannedSongBytes(QByteArrayView name);

// A drop takes ".mp3", ".ogg", ".wav", ".wma" and ".mp2".
bool isDroppedSong(const QString& path);

} // namespace cantorel
