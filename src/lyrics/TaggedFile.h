#pragma once
// A song opened for TagLib to read its tags: read-only, its name's own
// bytes, and only when its header looks like its kind (TagHeader.h), so a
// broken file never reaches TagLib. Any thread; one object per thread.
#include <QString>

#include <memory>

namespace TagLib {
class File;
class FileRef;
class FileStream;
} // namespace TagLib

namespace cantorel::lyrics {

class TaggedFile {
public:
    explicit TaggedFile(const QString& mediaPath);
    ~TaggedFile();
    TaggedFile(const TaggedFile&) = delete;
    TaggedFile& operator=(const TaggedFile&) = delete;

    // The file as TagLib reads it (audio properties not read); null when it
    // is missing, unreadable, of a kind TagLib does not know, or when its
    // header does not look like its kind.
    TagLib::File* file() const;

private:
    std::unique_ptr<TagLib::FileStream> m_stream;
    std::unique_ptr<TagLib::FileRef> m_ref;
};

} // namespace cantorel::lyrics
