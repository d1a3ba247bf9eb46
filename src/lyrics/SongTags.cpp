#include "lyrics/SongTags.h"

#include "lyrics/SongFacts.h"

#include <taglib/tag.h>

namespace cantorel::lyrics {

namespace {

QString qtString(const TagLib::String& s)
{
    return QString::fromUtf8(s.toCString(true)).trimmed();
}

} // namespace

SongTags songTagsOf(const TagLib::Tag* tag)
{
    if (!tag)
        return {};
    return {qtString(tag->title()), qtString(tag->artist()), qtString(tag->album())};
}

SongTags readSongTags(const QString& mediaPath)
{
    return songFactsCache().facts(mediaPath).tags;
}

} // namespace cantorel::lyrics
