#pragma once
// Finds every frame of an MPEG audio file (layers I to III) by reading the
// frame headers alone, without decoding, the way the library's own MPEG
// audio reader would see them: ID3v2 tags skipped, a leading Xing/Info/VBRI
// tag frame taken as a header rather than audio, the encoder delay and
// padding of a LAME-style tag applied as the library trims them, a trailing
// ID3v1 tag ignored. The result is exact enough to read frames straight from
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
    int layer = 0;           // 1, 2 or 3
    bool lsf = false;        // MPEG-2 or 2.5 (low sampling frequencies)
    int sampleRate = 0;
    int channels = 0;
    int frameSize = 0;       // bytes, header included
    int samplesPerFrame = 0;
};

// Decodes a 32-bit frame header; false for anything that is not a usable
// header (bad sync, reserved values, free-format bit rate).
bool parseMpegHeader(std::uint32_t header, MpegHeader* out);

struct MpegFrameSpan {
    std::int64_t offset = 0;
    std::uint32_t size = 0;
};

// The frames of one file and the trimming rules of its full decode. "Raw"
// samples count every decoded sample of every frame from 0; "song" samples
// are what remains after the encoder delay and padding are dropped.
struct MpegAudioIndex {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int sampleRate = 0;
    int channels = 0;
    int samplesPerFrame = 0;
    std::vector<MpegFrameSpan> frames;
    std::int64_t startSkip = 0;   // raw samples [0, startSkip) are dropped
    std::int64_t discardFrom = 0; // raw samples [discardFrom, discardTo) are dropped
    std::int64_t discardTo = 0;

    std::int64_t rawSamples() const
    {
        return static_cast<std::int64_t>(frames.size()) * samplesPerFrame;
    }
    // The number of samples a full decode yields.
    std::int64_t songSamples() const;
    // The song position of raw sample `raw` (raw samples that are dropped map
    // to the song position of the next kept one).
    std::int64_t songFromRaw(std::int64_t raw) const;
    // The raw sample that becomes song sample `song`.
    std::int64_t rawFromSong(std::int64_t song) const;
};

class MpegAudioScanner {
public:
    // Scans `path`. Empty when the file cannot be read or holds no frame.
    // `cancel`, when given and set, stops the scan early (also empty).
    static std::optional<MpegAudioIndex> scan(const QString& path,
                                              const std::atomic<bool>* cancel = nullptr);
};

} // namespace cantorel::engine
