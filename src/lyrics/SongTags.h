#pragma once
// What a song's tags say about it, for the desktop's "now playing" displays.
#include <QString>

namespace cantorel::lyrics {

struct SongTags {
    QString title;  // "" when the tags name none
    QString artist;
    QString album;
};

// The title, artist and album in the tags of the song at `mediaPath` (ID3,
// Vorbis comments, ASF attributes: whatever TagLib reads for its kind);
// empty fields when the file cannot be read or has no such tag. Reads only
// the tags: a few milliseconds. Any thread.
SongTags readSongTags(const QString& mediaPath);

} // namespace cantorel::lyrics
