#include "lyrics/TaggedFile.h"

#include "base/FileNames.h"
#include "lyrics/TagHeader.h"

#include <taglib/fileref.h>
#include <taglib/tfilestream.h>

namespace cantorel::lyrics {

TaggedFile::TaggedFile(const QString& mediaPath)
{
    const QByteArray name = encodeFileName(mediaPath);
    if (name.isEmpty() || !tagsLookReadable(mediaPath))
        return;
    m_stream = std::make_unique<TagLib::FileStream>(name.constData(), true); // never opened for writing
    if (!m_stream->isOpen())
        return;
    m_ref = std::make_unique<TagLib::FileRef>(m_stream.get(), false); // the tags alone
}

TaggedFile::~TaggedFile()
{
    m_ref.reset(); // before the stream it reads
}

TagLib::File* TaggedFile::file() const
{
    TagLib::File* f = m_ref ? m_ref->file() : nullptr;
    return f && f->isValid() ? f : nullptr;
}

} // namespace cantorel::lyrics
