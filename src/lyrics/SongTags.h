#pragma once
// What a song's tags say about it, for the desktop's "now playing" displays.
#include <QString>

namespace TagLib {
class Tag;
}

namespace cantorel::lyrics {

struct SongTags {
    QString title; // "" when the tags name none
    QString artist;
    QString album;
    bool operator==(const SongTags&) const = default;
};

// The title, artist and album in the tags of the song at `mediaPath` (ID3,
// Vorbis comments, ASF attributes: whatever TagLib reads for its kind);
// empty fields when the file cannot be read, does not look like its kind, or
// has no such tag. From the program's cache of song facts (SongFacts.h): a
// song unchanged since it was read is not read again. Any thread.
SongTags readSongTags(const QString& mediaPath);

// The same, from tags TagLib has read; empty fields for no tag.
SongTags songTagsOf(const TagLib::Tag* tag);

} // namespace cantorel::lyrics
