#pragma once
// Songs for lyric tests: writable copies of the committed audio fixtures,
// tagged by the test itself with TagLib.
#include "support/TestPaths.h"

#include <QFile>
#include <gtest/gtest.h>

#include <taglib/vorbisfile.h>

namespace cantorel::testing {

inline QString copyFixture(const char* fixture, const QString& path)
{
    EXPECT_TRUE(QFile::copy(fixturePath(QStringLiteral("audio/") + fixture), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// Adds a Vorbis comment (UTF-8 text) to an Ogg Vorbis file.
inline void addVorbisComment(const QString& ogg, const char* field, const char* text)
{
    TagLib::Ogg::Vorbis::File file(QFile::encodeName(ogg).constData());
    file.tag()->addField(field, TagLib::String(text, TagLib::String::UTF8));
    EXPECT_TRUE(file.save());
}

} // namespace cantorel::testing
