#include "engine/MpegAudioScanner.h"

#include "engine/SongTimeline.h"

#include "base/FileNames.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace cantorel::engine {

namespace {

constexpr int kBitrates[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
};
constexpr int kSampleRates[3] = {44100, 48000, 32000};

// The header bits that stay the same from frame to frame of one stream:
// sync, version, layer, sample rate, and whether it is mono.
constexpr std::uint32_t kSameStreamMask = 0xFFFE0CCF;

constexpr int kReadBlock = 1 << 20;

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

// A window onto a file, refilled in large blocks, so that the scan reads
// the file once from start to end without a system call per frame.
class FileWindow {
public:
    // An empty window when the file cannot be opened.
    explicit FileWindow(const QString& path)
    {
        if (openForReading(m_file, path))
            m_size = m_file.size();
    }

    std::int64_t size() const { return m_size; }

    // At least `n` bytes at `pos`, or null when the file ends before that.
    const unsigned char* get(std::int64_t pos, int n)
    {
        if (pos < 0 || pos + n > m_size)
            return nullptr;
        if (pos < m_start || pos + n > m_start + m_buffer.size()) {
            if (!m_file.seek(pos))
                return nullptr;
            m_buffer = m_file.read(std::max(kReadBlock, n));
            m_start = pos;
            if (m_buffer.size() < n)
                return nullptr;
        }
        return reinterpret_cast<const unsigned char*>(m_buffer.constData()) + (pos - m_start);
    }

private:
    QFile m_file;
    std::int64_t m_size = 0;
    QByteArray m_buffer;
    std::int64_t m_start = 0;
};

bool headerAt(FileWindow& window, std::int64_t pos, std::uint32_t* raw, MpegHeader* header)
{
    const unsigned char* p = window.get(pos, 4);
    if (!p)
        return false;
    *raw = bigEndian32(p);
    return parseMpegHeader(*raw, header);
}

std::int64_t skipId3v2(FileWindow& window)
{
    std::int64_t pos = 0;
    for (;;) {
        const unsigned char* p = window.get(pos, 10);
        if (!p || std::memcmp(p, "ID3", 3) != 0 || p[3] == 0xFF || p[4] == 0xFF || ((p[6] | p[7] | p[8] | p[9]) & 0x80))
            return pos;
        const std::int64_t size =
            (std::int64_t(p[6]) << 21) | (std::int64_t(p[7]) << 14) | (std::int64_t(p[8]) << 7) | std::int64_t(p[9]);
        pos += 10 + size + ((p[5] & 0x10) ? 10 : 0);
    }
}

struct TagInfo {
    bool isTagFrame = false; // the first frame holds the tag, not audio
    std::int64_t startSkip = 0;
    std::int64_t discardFrom = 0;
    std::int64_t discardTo = 0;
};

// Reads a Xing/Info (with its LAME extension) or VBRI tag from the frame at
// `base`, as the library's MPEG audio reader does.
TagInfo readTag(FileWindow& window, std::int64_t base)
{
    TagInfo info;
    std::uint32_t raw = 0;
    MpegHeader header;
    if (!headerAt(window, base, &raw, &header) || header.layer != 3)
        return info;
    const int spf = header.samplesPerFrame;
    std::uint32_t frames = 0;
    std::uint32_t bytes = 0;

    static constexpr int kXingOffset[2][2] = {{32, 17}, {17, 9}};
    std::int64_t pos = base + 4 + kXingOffset[header.lsf ? 1 : 0][header.channels == 1 ? 1 : 0];
    const unsigned char* p = window.get(pos, 8);
    if (p && (std::memcmp(p, "Xing", 4) == 0 || std::memcmp(p, "Info", 4) == 0)) {
        const std::uint32_t flags = bigEndian32(p + 4);
        pos += 8;
        if (flags & 1) {
            if (const unsigned char* q = window.get(pos, 4))
                frames = bigEndian32(q);
            pos += 4;
        }
        if (flags & 2) {
            if (const unsigned char* q = window.get(pos, 4))
                bytes = bigEndian32(q);
            pos += 4;
        }
        // A file much longer than its tag says is files joined end to end:
        // the frame count, and with it the end padding, is not used.
        const std::int64_t rest = std::max<std::int64_t>(0, window.size() - (base + 4));
        if (rest > 0 && bytes > 0 && rest > bytes && rest - bytes > (std::min<std::int64_t>(rest, bytes) >> 4))
            frames = 0;
        if (flags & 4)
            pos += 100;
        if (flags & 8)
            pos += 4;
        // Encoder version (9), revision (1), low pass (1), peak (4), two
        // gains (2 + 2), flags (1), bit rate (1), then the two 12-bit delays.
        if (const unsigned char* lame = window.get(pos, 24)) {
            if (std::memcmp(lame, "LAME", 4) == 0 || std::memcmp(lame, "Lavf", 4) == 0
                || std::memcmp(lame, "Lavc", 4) == 0) {
                const std::uint32_t delays =
                    (std::uint32_t(lame[21]) << 16) | (std::uint32_t(lame[22]) << 8) | lame[23];
                const std::int64_t startPad = delays >> 12;
                const std::int64_t endPad = delays & 4095;
                // 528 + 1: the decoder's own delay, trimmed with the encoder's.
                info.startSkip = startPad + 528 + 1;
                if (frames) {
                    info.discardFrom = -endPad + 528 + 1 + std::int64_t(frames) * spf;
                    info.discardTo = std::int64_t(frames) * spf;
                }
            }
        }
    }
    if (const unsigned char* v = window.get(base + 4 + 32, 18); v && std::memcmp(v, "VBRI", 4) == 0) {
        if (bigEndian32(v + 4) >> 16 == 1) { // version 1
            bytes = bigEndian32(v + 10);
            frames = bigEndian32(v + 14);
        }
    }
    info.isTagFrame = frames != 0 || bytes != 0;
    return info;
}

} // namespace

bool parseMpegHeader(std::uint32_t h, MpegHeader* out)
{
    if ((h & 0xFFE00000u) != 0xFFE00000u)
        return false;
    const int versionBits = (h >> 19) & 3;
    const int layerBits = (h >> 17) & 3;
    const int bitrateIndex = (h >> 12) & 15;
    const int rateIndex = (h >> 10) & 3;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 15 || bitrateIndex == 0 || rateIndex == 3)
        return false;
    MpegHeader m;
    m.layer = 4 - layerBits;
    m.lsf = versionBits != 3;
    const int rateShift = versionBits == 3 ? 0 : (versionBits == 2 ? 1 : 2);
    m.sampleRate = kSampleRates[rateIndex] >> rateShift;
    m.channels = ((h >> 6) & 3) == 3 ? 1 : 2;
    const int padding = (h >> 9) & 1;
    const int kbps = kBitrates[m.lsf ? 1 : 0][m.layer - 1][bitrateIndex];
    switch (m.layer) {
    case 1:
        m.frameSize = (kbps * 12000 / m.sampleRate + padding) * 4;
        m.samplesPerFrame = 384;
        break;
    case 2:
        m.frameSize = kbps * 144000 / m.sampleRate + padding;
        m.samplesPerFrame = 1152;
        break;
    default:
        m.frameSize = kbps * 144000 / (m.sampleRate << (m.lsf ? 1 : 0)) + padding;
        m.samplesPerFrame = m.lsf ? 576 : 1152;
        break;
    }
    if (m.frameSize < 4)
        return false;
    *out = m;
    return true;
}

const MpegSegment& MpegAudioIndex::segmentOf(std::int64_t frame) const
{
    auto it = std::upper_bound(segments.begin(), segments.end(), frame,
                               [](std::int64_t f, const MpegSegment& s) { return f < s.firstFrame; });
    return it == segments.begin() ? segments.front() : *(it - 1);
}

std::int64_t MpegAudioIndex::rawFrameStart(std::int64_t frame) const
{
    if (segments.empty() || frame <= 0)
        return 0;
    const MpegSegment& s = segmentOf(frame);
    if (frame == s.firstFrame)
        return s.rawStart;
    return s.rawStart + s.firstLength
           + songSamplesOf((frame - s.firstFrame - 1) * s.samplesPerFrame, s.sampleRate, sampleRate);
}

std::int64_t MpegAudioIndex::frameAtRaw(std::int64_t raw) const
{
    const auto count = static_cast<std::int64_t>(frames.size());
    if (count == 0 || raw <= 0)
        return 0;
    // The last frame starting at or before `raw`: frame starts rise with
    // the frame number, so a binary search finds it.
    std::int64_t lo = 0;
    std::int64_t hi = count - 1;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo + 1) / 2;
        if (rawFrameStart(mid) <= raw)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int MpegAudioIndex::taggedRate(std::int64_t frame) const
{
    if (segments.empty())
        return sampleRate;
    return frame <= 0 ? sampleRate : segmentOf(frame - 1).sampleRate;
}

std::int64_t MpegAudioIndex::songSamples() const
{
    return songFromRaw(rawSamples());
}

std::int64_t MpegAudioIndex::songFromRaw(std::int64_t raw) const
{
    auto overlap = [raw](std::int64_t from, std::int64_t to) {
        return std::max<std::int64_t>(0, std::min(raw, to) - std::max<std::int64_t>(0, from));
    };
    std::int64_t dropped = overlap(0, startSkip);
    if (discardTo > discardFrom) {
        dropped += overlap(discardFrom, discardTo);
        dropped -=
            std::max<std::int64_t>(0, std::min({raw, startSkip, discardTo}) - std::max<std::int64_t>(0, discardFrom));
    }
    return raw - dropped;
}

std::int64_t MpegAudioIndex::rawFromSong(std::int64_t song) const
{
    // songFromRaw is monotonic: find the first raw sample that maps to `song`
    // and is kept.
    std::int64_t lo = 0;
    std::int64_t hi = rawSamples();
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (songFromRaw(mid + 1) <= song)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

namespace {

// Where the audio of a file begins: past its ID3v2 tags, its tag frame and
// any junk.
struct AudioStart {
    std::int64_t pos = 0;  // the first audio frame
    std::int64_t end = 0;  // the end of the frames (before an ID3v1 tag)
    std::uint32_t raw = 0; // its header
    MpegHeader header;
    TagInfo tag;
};

// Whether the frame at `pos` is followed by a frame of the same stream, or
// is the file's last and ends with it.
bool confirmedAt(FileWindow& window, std::int64_t pos, std::uint32_t raw, const MpegHeader& h, std::int64_t end)
{
    const std::int64_t next = pos + h.frameSize;
    std::uint32_t raw2 = 0;
    MpegHeader h2;
    if (headerAt(window, next, &raw2, &h2))
        return (raw & kSameStreamMask) == (raw2 & kSameStreamMask);
    return next <= end && next + 4 > end;
}

std::optional<AudioStart> findAudioStart(FileWindow& window)
{
    AudioStart start;
    start.end = window.size();
    if (start.end >= 128) {
        if (const unsigned char* tail = window.get(start.end - 128, 3); tail && std::memcmp(tail, "TAG", 3) == 0)
            start.end -= 128;
    }
    std::int64_t pos = skipId3v2(window);
    start.tag = readTag(window, pos);
    if (start.tag.isTagFrame) {
        std::uint32_t raw = 0;
        MpegHeader header;
        headerAt(window, pos, &raw, &header);
        pos += header.frameSize;
    }
    // The first frame: a valid header followed by a second one of the same
    // stream, after any amount of junk or padding. A sync word that junk
    // happens to hold is not taken for audio.
    for (; pos + 4 <= start.end; ++pos) {
        if (headerAt(window, pos, &start.raw, &start.header)
            && confirmedAt(window, pos, start.raw, start.header, start.end)) {
            start.pos = pos;
            return start;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<MpegHeader> MpegAudioScanner::firstFrame(const QString& path)
{
    FileWindow window(path);
    const auto start = findAudioStart(window);
    if (!start)
        return std::nullopt;
    return start->header;
}

std::optional<MpegAudioIndex> MpegAudioScanner::scan(const QString& path, const std::atomic<bool>* cancel)
{
    FileWindow window(path);
    const auto start = findAudioStart(window);
    if (!start)
        return std::nullopt;
    const MpegHeader& first = start->header;
    const std::int64_t end = start->end;
    std::int64_t pos = start->pos;

    MpegAudioIndex index;
    index.codec = first.layer == 1 ? AV_CODEC_ID_MP1 : (first.layer == 2 ? AV_CODEC_ID_MP2 : AV_CODEC_ID_MP3);
    index.sampleRate = first.sampleRate;
    index.channels = first.channels;
    index.samplesPerFrame = first.samplesPerFrame;
    index.startSkip = start->tag.startSkip;
    index.discardFrom = start->tag.discardFrom;
    index.discardTo = start->tag.discardTo;
    index.frames.reserve(static_cast<size_t>(std::max<std::int64_t>(0, (end - pos) / 200)));
    index.segments.push_back({0, first.sampleRate, first.samplesPerFrame, 0, first.samplesPerFrame});

    // Frames of the stream being read follow one another; junk between
    // them is skipped. A frame of another stream (files joined end to end:
    // another rate, channel count or layer) is taken when the frame after it
    // confirms it.
    constexpr std::uint32_t kStreamMask = kSameStreamMask & ~std::uint32_t(0xC0); // mode aside
    std::uint32_t streamBits = start->raw & kStreamMask;
    int sinceCancelCheck = 0;
    while (pos + 4 <= end) {
        if (cancel && ++sinceCancelCheck == 4096) {
            sinceCancelCheck = 0;
            if (cancel->load(std::memory_order_relaxed))
                return std::nullopt;
        }
        std::uint32_t raw = 0;
        MpegHeader h;
        if (!headerAt(window, pos, &raw, &h)) {
            ++pos;
            continue;
        }
        if ((raw & kStreamMask) != streamBits) {
            if (!confirmedAt(window, pos, raw, h, end)) {
                ++pos;
                continue;
            }
            streamBits = raw & kStreamMask;
        }
        const MpegSegment& current = index.segments.back();
        if (h.sampleRate != current.sampleRate || h.samplesPerFrame != current.samplesPerFrame) {
            const auto number = static_cast<std::int64_t>(index.frames.size());
            index.segments.push_back({number, h.sampleRate, h.samplesPerFrame, index.rawFrameStart(number),
                                      songSamplesOf(h.samplesPerFrame, current.sampleRate, index.sampleRate)});
        }
        // A cut-off last frame is still decoded (its missing part as silence).
        const std::int64_t size = std::min<std::int64_t>(h.frameSize, end - pos);
        index.frames.push_back({pos, static_cast<std::uint32_t>(size)});
        pos += h.frameSize;
    }
    if (index.frames.empty())
        return std::nullopt;
    return index;
}

} // namespace cantorel::engine
