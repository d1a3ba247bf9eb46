#include "lyrics/EmbeddedLyrics.h"

#include "lyrics/LrcReader.h"
#include "lyrics/TaggedFile.h"

#include <algorithm>

#include <taglib/asffile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/mpegheader.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/tfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

namespace cantorel::lyrics {

namespace {

using SyltFrame = TagLib::ID3v2::SynchronizedLyricsFrame;

QString qtString(const TagLib::String& s)
{
    return QString::fromUtf8(s.toCString(true));
}

std::optional<EmbeddedLyric> fromLrcText(const TagLib::String& text, const QString& tag)
{
    const LrcLyric lrc = parseLrc(qtString(text));
    if (!lrc.isLyric)
        return std::nullopt;
    return EmbeddedLyric {lrc.lyric, tag, lrc.cutShort};
}

// Samples per MPEG frame and the rate, to turn frame counts into ms; zero
// samples when the file is no MPEG audio whose frames can be counted.
struct FrameClock {
    int samplesPerFrame = 0;
    int sampleRate = 0;
    qint64 ms(qint64 frames) const { return frames * samplesPerFrame * 1000 / sampleRate; }
    bool usable() const { return samplesPerFrame > 0 && sampleRate > 0; }
};

// Read from the first frame's header, only for a lyric timed in frames.
FrameClock clockOf(TagLib::MPEG::File* mpeg)
{
    const long first = mpeg ? mpeg->firstFrameOffset() : -1;
    if (first < 0)
        return {};
    const TagLib::MPEG::Header header(mpeg, first, false);
    if (!header.isValid())
        return {};
    return {header.samplesPerFrame(), header.sampleRate()};
}

bool isTextFrame(const SyltFrame& f)
{
    return f.type() == SyltFrame::Lyrics || f.type() == SyltFrame::TextTranscription || f.type() == SyltFrame::Other;
}

bool startsLine(const QString& text)
{
    return text.startsWith(u'\n') || text.startsWith(u'\r');
}

// A word tag of `ms` milliseconds ("<01:02.345>"), as the LRC reader reads it.
QString wordTag(qint64 ms)
{
    return QStringLiteral("<%1:%2.%3>")
        .arg(ms / 60000, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// A syllable line's texts with their tags come to more than its shown text.
constexpr qsizetype kMaxSyllableLineChars = 16 * kMaxLrcLineChars;

struct FrameLines {
    std::vector<TimedText> lines;
    bool syllables = false; // the frame's texts are syllables or words
};

// The lines of one SYLT frame, times in ms; nothing when its times cannot be
// read as time. `mpeg` is the song when it is MPEG audio. In a frame of
// syllables each text keeps its time as a word tag in front of it.
std::optional<FrameLines> linesOf(const SyltFrame& frame, TagLib::MPEG::File* mpeg)
{
    const bool frames = frame.timestampFormat() == SyltFrame::AbsoluteMpegFrames;
    const FrameClock clock = frames ? clockOf(mpeg) : FrameClock();
    if (frames && !clock.usable())
        return std::nullopt;
    const TagLib::ID3v2::SynchronizedLyricsFrame::SynchedTextList entries = frame.synchedText();
    bool syllables = false;
    for (const auto& e : entries)
        syllables = syllables || startsLine(qtString(e.text));
    std::vector<TimedText> lines;
    for (const auto& e : entries) {
        const QString text = qtString(e.text);
        const qint64 ms = frames ? clock.ms(e.time) : qint64(e.time);
        if (!syllables)
            lines.push_back({ms, text});
        else if (lines.empty() || startsLine(text))
            lines.push_back({ms, wordTag(ms) + text});
        else if (lines.back().text.size() < kMaxSyllableLineChars)
            lines.back().text += wordTag(ms) + text;
    }
    return FrameLines {std::move(lines), syllables};
}

std::vector<qint64> timesOf(const std::vector<TimedText>& lines)
{
    std::vector<qint64> times;
    times.reserve(lines.size());
    for (const TimedText& l : lines)
        times.push_back(l.timeMs);
    std::sort(times.begin(), times.end());
    return times;
}

std::optional<EmbeddedLyric> fromSylt(TagLib::ID3v2::Tag* id3, TagLib::MPEG::File* mpeg)
{
    std::optional<FrameLines> lyric, translation;
    for (TagLib::ID3v2::Frame* f : id3->frameListMap()["SYLT"]) {
        const auto* sylt = dynamic_cast<const SyltFrame*>(f);
        if (!sylt || !isTextFrame(*sylt))
            continue;
        auto frame = linesOf(*sylt, mpeg);
        if (!frame || frame->lines.empty())
            continue;
        if (!lyric) {
            lyric = std::move(frame);
        } else if (timesOf(frame->lines) == timesOf(lyric->lines)) {
            translation = std::move(frame);
            break;
        }
    }
    if (!lyric)
        return std::nullopt;
    // Of two frames with the same times, the one timed word by word is the
    // lyric whichever comes first (writers order frames by their size).
    if (translation && translation->syllables && !lyric->syllables)
        std::swap(lyric, translation);
    std::vector<TimedText> texts = std::move(lyric->lines);
    if (translation)
        texts.insert(texts.end(), translation->lines.begin(), translation->lines.end());
    EmbeddedLyric found;
    found.tag = QStringLiteral("ID3v2 SYLT");
    found.lyric = lyricOfTimedTexts(std::move(texts), &found.cutShort);
    return found;
}

std::optional<EmbeddedLyric> fromId3(TagLib::ID3v2::Tag* id3, TagLib::MPEG::File* mpeg)
{
    if (!id3)
        return std::nullopt;
    if (auto found = fromSylt(id3, mpeg))
        return found;
    for (TagLib::ID3v2::Frame* f : id3->frameListMap()["USLT"]) {
        if (const auto* uslt = dynamic_cast<const TagLib::ID3v2::UnsynchronizedLyricsFrame*>(f)) {
            if (auto found = fromLrcText(uslt->text(), QStringLiteral("ID3v2 USLT")))
                return found;
        }
    }
    return std::nullopt;
}

std::optional<EmbeddedLyric> fromXiph(const TagLib::Ogg::XiphComment* xiph)
{
    if (!xiph)
        return std::nullopt;
    for (const char* field : {"LYRICS", "UNSYNCEDLYRICS"}) {
        const auto values = xiph->fieldListMap().find(field);
        if (values == xiph->fieldListMap().end())
            continue;
        for (const TagLib::String& value : values->second) {
            if (auto found = fromLrcText(value, QStringLiteral("Vorbis ") + QLatin1String(field)))
                return found;
        }
    }
    return std::nullopt;
}

std::optional<EmbeddedLyric> fromAsf(const TagLib::ASF::Tag* asf)
{
    if (!asf || !asf->contains("WM/Lyrics"))
        return std::nullopt;
    for (const TagLib::ASF::Attribute& a : asf->attribute("WM/Lyrics")) {
        if (auto found = fromLrcText(a.toString(), QStringLiteral("WM/Lyrics")))
            return found;
    }
    return std::nullopt;
}

std::optional<EmbeddedLyric> fromProperties(const TagLib::File* file)
{
    const TagLib::PropertyMap properties = file->properties();
    for (const auto& [key, values] : properties) {
        if (key != "LYRICS" && !key.startsWith("LYRICS:") && key != "UNSYNCEDLYRICS")
            continue;
        for (const TagLib::String& value : values) {
            if (auto found = fromLrcText(value, QStringLiteral("LYRICS")))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<EmbeddedLyric> embeddedLyricOf(TagLib::File& file)
{
    std::optional<EmbeddedLyric> found;
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file))
        found = fromId3(mpeg->hasID3v2Tag() ? mpeg->ID3v2Tag() : nullptr, mpeg);
    else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file))
        found = fromId3(wav->hasID3v2Tag() ? wav->ID3v2Tag() : nullptr, nullptr);
    else if (auto* asf = dynamic_cast<TagLib::ASF::File*>(&file))
        found = fromAsf(asf->tag());
    else
        found = fromXiph(dynamic_cast<TagLib::Ogg::XiphComment*>(file.tag()));
    if (!found)
        found = fromProperties(&file);
    return found;
}

std::optional<EmbeddedLyric> readEmbeddedLyric(const QString& mediaPath)
{
    const TaggedFile tagged(mediaPath);
    if (TagLib::File* file = tagged.file())
        return embeddedLyricOf(*file);
    return std::nullopt;
}

} // namespace cantorel::lyrics
