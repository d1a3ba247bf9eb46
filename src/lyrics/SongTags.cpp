#include "lyrics/SongTags.h"

#include "common/FileNames.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tfilestream.h>

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
    TagLib::FileStream stream(name.constData(), true); // never opened for writing
    if (!stream.isOpen())
        return {};
    TagLib::FileRef ref(&stream, false);
    if (ref.isNull() || !ref.tag())
        return {};
    const TagLib::Tag* tag = ref.tag();
    return {qtString(tag->title()), qtString(tag->artist()), qtString(tag->album())};
}

} // namespace cantorel::lyrics
