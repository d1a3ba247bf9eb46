#include "lyrics/EmbeddedLyrics.h"

#include "support/TestPaths.h"
#include "support/TimedLinePrint.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <taglib/asffile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

using namespace cantorel::lyrics;
using Sylt = TagLib::ID3v2::SynchronizedLyricsFrame;

namespace {

class Embedded : public ::testing::Test {
protected:
    // A fresh copy of a committed fixture, to be tagged by the test.
    QString copy(const char* fixture, const char* name)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(cantorel::testing::fixturePath(QStringLiteral("audio/") + fixture), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    QTemporaryDir dir;
};

Sylt* sylt(Sylt::TimestampFormat format, std::initializer_list<std::pair<unsigned, const char*>> entries,
           Sylt::Type type = Sylt::Lyrics)
{
    auto* frame = new Sylt(TagLib::String::UTF8);
    frame->setTimestampFormat(format);
    frame->setType(type);
    Sylt::SynchedTextList list;
    for (const auto& [time, text] : entries)
        list.append(Sylt::SynchedText(time, TagLib::String(text, TagLib::String::UTF8)));
    frame->setSynchedText(list);
    return frame;
}

TagLib::ID3v2::Frame* uslt(const char* text)
{
    auto* frame = new TagLib::ID3v2::UnsynchronizedLyricsFrame(TagLib::String::UTF8);
    frame->setText(TagLib::String(text, TagLib::String::UTF8));
    return frame;
}

void tagMpeg(const QString& path, std::initializer_list<TagLib::ID3v2::Frame*> frames)
{
    TagLib::MPEG::File file(QFile::encodeName(path).constData());
    for (TagLib::ID3v2::Frame* f : frames)
        file.ID3v2Tag(true)->addFrame(f);
    ASSERT_TRUE(file.save());
}

QList<TimedLine> linesOf(const QString& path, const char* tag)
{
    const auto found = readEmbeddedLyric(path);
    if (!found)
        return {};
    EXPECT_EQ(found->tag, tag);
    return found->lyric.lines;
}

} // namespace

TEST_F(Embedded, Id3SyltInMillisecondsWithATranslationFrame)
{
    const QString mp3 = copy("cbr.mp3", "Rain.mp3");
    tagMpeg(mp3, {sylt(Sylt::AbsoluteMilliseconds, {{900, "chord G"}}, Sylt::Chord),
                  sylt(Sylt::AbsoluteMilliseconds, {{2500, "Second"}, {1000, "First"}}),
                  sylt(Sylt::AbsoluteMilliseconds, {{1000, "Premier"}, {2500, "Second (fr)"}})});
    EXPECT_EQ(linesOf(mp3, "ID3v2 SYLT"),
              (QList<TimedLine>{{100, "First", "Premier"}, {250, "Second", "Second (fr)"}}));

    // The same frames in a song of layer II.
    const QString mp2 = copy("tones.mp2", "Rain.mp2");
    tagMpeg(mp2, {sylt(Sylt::AbsoluteMilliseconds, {{1000, "Layer two"}})});
    EXPECT_EQ(linesOf(mp2, "ID3v2 SYLT"), (QList<TimedLine>{{100, "Layer two", ""}}));
}

TEST_F(Embedded, Id3SyltInMpegFramesWithSyllables)
{
    // 44.1 kHz MPEG-1 layer III: 1152 samples a frame; frame 100 starts at
    // 2612.24 ms. Texts that start with a line feed start a line.
    const QString mp3 = copy("cbr.mp3", "Rain.mp3");
    tagMpeg(mp3, {sylt(Sylt::AbsoluteMpegFrames, {{0, "Rain "}, {10, "on "}, {20, "me"}, {100, "\nSun"}, {110, "shine"}})});
    EXPECT_EQ(linesOf(mp3, "ID3v2 SYLT"), (QList<TimedLine>{{0, "Rain on me", ""}, {261.2, "Sunshine", ""}}));

    // A WAV file has no MPEG frames to count: such a frame is no lyric.
    const QString wav = copy("tones.wav", "Rain.wav");
    {
        TagLib::RIFF::WAV::File file(QFile::encodeName(wav).constData());
        file.ID3v2Tag()->addFrame(sylt(Sylt::AbsoluteMpegFrames, {{10, "never"}}));
        file.ID3v2Tag()->addFrame(sylt(Sylt::AbsoluteMilliseconds, {{1230, "In a wave"}}));
        ASSERT_TRUE(file.save());
    }
    EXPECT_EQ(linesOf(wav, "ID3v2 SYLT"), (QList<TimedLine>{{123, "In a wave", ""}}));
}

TEST_F(Embedded, LrcTextInUsltButNotPlainText)
{
    const QString plain = copy("cbr.mp3", "Plain.mp3");
    tagMpeg(plain, {uslt("Rain on the river\nall night long")});
    EXPECT_FALSE(readEmbeddedLyric(plain));

    const QString mp3 = copy("cbr.mp3", "Rain.mp3");
    tagMpeg(mp3, {uslt("Just words"), uslt("[ar:x]\r\n[00:01.00]Rain\r\n[00:01.00]Pluie\r\n[00:02.50]River")});
    EXPECT_EQ(linesOf(mp3, "ID3v2 USLT"), (QList<TimedLine>{{100, "Rain", "Pluie"}, {250, "River", ""}}));
}

TEST_F(Embedded, VorbisCommentsAndWmaAttributes)
{
    const QString ogg = copy("tones.ogg", "Rain.ogg");
    {
        TagLib::Ogg::Vorbis::File file(QFile::encodeName(ogg).constData());
        file.tag()->addField("LYRICS", "Untimed words only");
        file.tag()->addField("UNSYNCEDLYRICS", "[00:03.00]Vorbis line");
        ASSERT_TRUE(file.save());
    }
    EXPECT_EQ(linesOf(ogg, "Vorbis UNSYNCEDLYRICS"), (QList<TimedLine>{{300, "Vorbis line", ""}}));

    const QString wma = copy("tones.wma", "Rain.wma");
    {
        TagLib::ASF::File file(QFile::encodeName(wma).constData());
        file.tag()->setAttribute("WM/Lyrics", TagLib::ASF::Attribute(TagLib::String("[00:00.50]Windows line")));
        ASSERT_TRUE(file.save());
    }
    EXPECT_EQ(linesOf(wma, "WM/Lyrics"), (QList<TimedLine>{{50, "Windows line", ""}}));

    // Untagged, broken or missing songs hold nothing.
    for (const char* fixture : {"tones.ogg", "garbage.mp3", "empty.mp3"})
        EXPECT_FALSE(readEmbeddedLyric(copy(fixture, fixture))) << fixture;
    EXPECT_FALSE(readEmbeddedLyric(dir.filePath("missing.mp3")));
}
