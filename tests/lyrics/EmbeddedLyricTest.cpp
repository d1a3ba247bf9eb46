#include "lyrics/EmbeddedLyrics.h"
#include "lyrics/SongTags.h"

#include "support/TaggedSongs.h"
#include "support/WordLines.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <taglib/asffile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/wavfile.h>

using namespace cantorel::lyrics;
using cantorel::testing::addVorbisComment;
using cantorel::testing::copyFixture;
using Lines = QList<TimedLine>;
using cantorel::testing::words;
using Sylt = TagLib::ID3v2::SynchronizedLyricsFrame;

namespace {

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

template <typename File>
void tagId3(const QString& path, std::initializer_list<TagLib::ID3v2::Frame*> frames)
{
    File file(QFile::encodeName(path).constData());
    for (TagLib::ID3v2::Frame* f : frames) {
        if constexpr (std::is_same_v<File, TagLib::MPEG::File>)
            file.ID3v2Tag(true)->addFrame(f);
        else
            file.ID3v2Tag()->addFrame(f);
    }
    ASSERT_TRUE(file.save());
}

// The lines embedded in `path`, checking the tag they came from.
Lines linesOf(const QString& path, const char* tag)
{
    const auto found = readEmbeddedLyric(path);
    EXPECT_EQ(found ? found->tag : QString(), tag);
    return found ? found->lyric.lines : Lines();
}

} // namespace

TEST(Embedded, Id3Sylt)
{
    QTemporaryDir dir;
    // Milliseconds; a chord frame is no lyric; a second frame with the same
    // times is the translation.
    const QString mp3 = copyFixture("cbr.mp3", dir.filePath("Rain.mp3"));
    tagId3<TagLib::MPEG::File>(mp3, {sylt(Sylt::AbsoluteMilliseconds, {{900, "chord G"}}, Sylt::Chord),
                                     sylt(Sylt::AbsoluteMilliseconds, {{2500, "Second"}, {1000, "First"}}),
                                     sylt(Sylt::AbsoluteMilliseconds, {{1000, "Premier"}, {2500, "Deuxième"}})});
    EXPECT_EQ(linesOf(mp3, "ID3v2 SYLT"), (Lines {{100, "First", "Premier"}, {250, "Second", "Deuxième"}}));

    // MPEG frames of 1152 samples at 44.1 kHz (frame 100 starts at 2612.24
    // ms); texts that start with a line feed start a line, each text a timed
    // word.
    const QString frames = copyFixture("cbr.mp3", dir.filePath("Frames.mp3"));
    tagId3<TagLib::MPEG::File>(frames, {sylt(Sylt::AbsoluteMpegFrames,
                                             {{0, "Rain "}, {10, "on "}, {20, "me"}, {100, "\nSun"}, {110, "shine"}})});
    EXPECT_EQ(linesOf(frames, "ID3v2 SYLT"),
              (Lines {{0, "Rain on me", "", words({{0, 4, 0}, {5, 2, 26.1}, {8, 2, 52.2}})},
                      {261.2, "Sunshine", "", words({{0, 3, 261.2}, {3, 5, 287.3}})}}));

    const QString mp2 = copyFixture("tones.mp2", dir.filePath("Rain.mp2"));
    tagId3<TagLib::MPEG::File>(mp2, {sylt(Sylt::AbsoluteMilliseconds, {{1000, "Layer two"}})});
    EXPECT_EQ(linesOf(mp2, "ID3v2 SYLT"), (Lines {{100, "Layer two", ""}}));

    // A WAV file has no MPEG frames to count: such a frame is no lyric there.
    const QString wav = copyFixture("tones.wav", dir.filePath("Rain.wav"));
    tagId3<TagLib::RIFF::WAV::File>(wav, {sylt(Sylt::AbsoluteMpegFrames, {{10, "never"}}),
                                          sylt(Sylt::AbsoluteMilliseconds, {{1230, "In a wave"}})});
    EXPECT_EQ(linesOf(wav, "ID3v2 SYLT"), (Lines {{123, "In a wave", ""}}));
}

TEST(Embedded, LrcTextsInOtherTagsButNeverPlainText)
{
    QTemporaryDir dir;
    const QString plain = copyFixture("cbr.mp3", dir.filePath("Plain.mp3"));
    tagId3<TagLib::MPEG::File>(plain, {uslt("Rain on the river\nall night long")});
    EXPECT_FALSE(readEmbeddedLyric(plain));

    const QString mp3 = copyFixture("cbr.mp3", dir.filePath("Rain.mp3"));
    tagId3<TagLib::MPEG::File>(
        mp3, {uslt("Just words"), uslt("[ar:x]\r\n[00:01.00]Rain\r\n[00:01.00]Pluie\r\n[00:02.50]River")});
    EXPECT_EQ(linesOf(mp3, "ID3v2 USLT"), (Lines {{100, "Rain", "Pluie"}, {250, "River", ""}}));

    const QString ogg = copyFixture("tones.ogg", dir.filePath("Rain.ogg"));
    addVorbisComment(ogg, "LYRICS", "Untimed words only");
    addVorbisComment(ogg, "UNSYNCEDLYRICS", "[00:03.00]Vorbis line");
    EXPECT_EQ(linesOf(ogg, "Vorbis UNSYNCEDLYRICS"), (Lines {{300, "Vorbis line", ""}}));

    const QString wma = copyFixture("tones.wma", dir.filePath("Rain.wma"));
    {
        TagLib::ASF::File file(QFile::encodeName(wma).constData());
        file.tag()->setAttribute("WM/Lyrics", TagLib::ASF::Attribute(TagLib::String("[00:00.50]Windows line")));
        ASSERT_TRUE(file.save());
    }
    EXPECT_EQ(linesOf(wma, "WM/Lyrics"), (Lines {{50, "Windows line", ""}}));

    // Untagged, broken or missing songs hold nothing.
    for (const char* fixture : {"tones.ogg", "garbage.mp3", "empty.mp3"})
        EXPECT_FALSE(readEmbeddedLyric(copyFixture(fixture, dir.filePath(fixture)))) << fixture;
    EXPECT_FALSE(readEmbeddedLyric(dir.filePath("missing.mp3")));
}

TEST(Embedded, SongTagsOfAReadOnlySong)
{
    QTemporaryDir dir;
    const QString ogg = copyFixture("tones.ogg", dir.filePath("Rain.ogg"));
    addVorbisComment(ogg, "TITLE", " Rain ");
    addVorbisComment(ogg, "ARTIST", "Someone");
    QFile::setPermissions(ogg, QFile::ReadOwner); // the tags are only ever read
    const SongTags tags = readSongTags(ogg);
    EXPECT_EQ(tags.title, "Rain");
    EXPECT_EQ(tags.artist, "Someone");
    EXPECT_EQ(tags.album, "");
    EXPECT_EQ(readSongTags(dir.filePath("missing.ogg")).title, "");
}
