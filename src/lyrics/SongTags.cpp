#include "lyrics/SongTags.h"

#include "common/FileNames.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace cantorel::lyrics {

namespace {

QString qtString(const TagLib::String& s)
{
    return QString::fromUtf8(s.toCString(true)).trimmed();
}

} // namespace

SongTags readSongTags(const QString& mediaPath)
{
    const QByteArray name = encodeFileName(mediaPath);
    if (name.isEmpty())
        return {};
    TagLib::FileRef ref(name.constData(), false);
    if (ref.isNull() || !ref.tag())
        return {};
    const TagLib::Tag* tag = ref.tag();
    return {qtString(tag->title()), qtString(tag->artist()), qtString(tag->album())};
}

} // namespace cantorel::lyrics
