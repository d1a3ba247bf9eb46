#pragma once
// Finds every frame of an MPEG audio file (layers I to III) by reading the
// frame headers alone, without decoding, the way the library's own MPEG
// audio reader would see them: ID3v2 tags skipped, a leading Xing/Info/VBRI
// tag frame taken as a header rather than audio, the encoder delay and
// padding of a LAME-style tag applied as the library trims them (the end
// padding not when the file is much longer than the tag says: files joined
// end to end), a trailing ID3v1 tag ignored. Junk before the first frame is
// skipped however long it is; junk between frames is skipped too. Files
// joined end to end may change rate, channel count or layer part way: every
// part is indexed. The result is exact enough to read frames straight from
// the file and to know which song sample every decoded sample is.
#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace cantorel::engine {

struct MpegHeader {
    int layer = 0;    // 1, 2 or 3
    bool lsf = false; // MPEG-2 or 2.5 (low sampling frequencies)
    int sampleRate = 0;
    int channels = 0;
    int frameSize = 0; // bytes, header included
    int samplesPerFrame = 0;
};

// Decodes a 32-bit frame header; false for anything that is not a usable
// header (bad sync, reserved values, free-format bit rate).
bool parseMpegHeader(std::uint32_t header, MpegHeader* out);

struct MpegFrameSpan {
    std::int64_t offset = 0;
    std::uint32_t size = 0;
};

// A run of frames with the same rate and frame length. The decoder learns a
// new rate only once it has decoded a frame at it, so the first frame of a
// run comes out tagged with the rate before it and lasts accordingly.
struct MpegSegment {
    std::int64_t firstFrame = 0; // index into MpegAudioIndex::frames
    int sampleRate = 0;
    int samplesPerFrame = 0;
    std::int64_t rawStart = 0;    // raw samples before its first frame
    std::int64_t firstLength = 0; // raw samples of its first frame
};

// The frames of one file and the trimming rules of its full decode. "Raw"
// samples count every decoded sample of every frame from 0, at the song rate
// (the rate of the first frame; SongTimeline.h); "song" samples are what
// remains after the encoder delay and padding are dropped.
struct MpegAudioIndex {
    AVCodecID codec = AV_CODEC_ID_NONE; // of the first frame
    int sampleRate = 0;                 // of the first frame: the song rate
    int channels = 0;                   // of the first frame
    int samplesPerFrame = 0;            // of the first frame
    std::vector<MpegFrameSpan> frames;
    std::vector<MpegSegment> segments; // in frame order, the first at frame 0
    std::int64_t startSkip = 0;        // raw samples [0, startSkip) are dropped
    std::int64_t discardFrom = 0;      // raw samples [discardFrom, discardTo) are dropped
    std::int64_t discardTo = 0;

    // Where frame `frame` starts on the raw timeline (frames.size(): the end).
    std::int64_t rawFrameStart(std::int64_t frame) const;
    // The frame that holds raw sample `raw` (the last frame for the end).
    std::int64_t frameAtRaw(std::int64_t raw) const;
    // The rate the decoder tags frame `frame` with when it decodes the frames
    // before it in order (frame 0: the first frame's own rate).
    int taggedRate(std::int64_t frame) const;
    std::int64_t rawSamples() const { return rawFrameStart(static_cast<std::int64_t>(frames.size())); }
    // The number of samples a full decode yields.
    std::int64_t songSamples() const;
    // The song position of raw sample `raw` (raw samples that are dropped map
    // to the song position of the next kept one).
    std::int64_t songFromRaw(std::int64_t raw) const;
    // The raw sample that becomes song sample `song`.
    std::int64_t rawFromSong(std::int64_t song) const;

private:
    const MpegSegment& segmentOf(std::int64_t frame) const;
};

class MpegAudioScanner {
public:
    // Scans `path`. Empty when the file cannot be read or holds no frame.
    // `cancel`, when given and set, stops the scan early (also empty).
    static std::optional<MpegAudioIndex> scan(const QString& path, const std::atomic<bool>* cancel = nullptr);
    // The first audio frame's header alone (after the tags and any junk),
    // without reading on. Empty when there is none.
    static std::optional<MpegHeader> firstFrame(const QString& path);
};

} // namespace cantorel::engine
