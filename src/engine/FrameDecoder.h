#pragma once
// Decodes one sound for playback, on the thread that plays it: reads the
// file (MPEG audio frame by frame through the scan index, anything else
// through the container reader), decodes, and hands out runs of decoded
// samples tagged with their place on the song's timeline (SongTimeline.h).
// Seeking is exact to the sample: decoding restarts a little before the
// target, from a point the index knows, and the samples before the target
// are dropped. Every mode puts the same sample at the same song time: the
// song starts at time zero, with the first sample a full decode gives unless
// that is pre-roll stamped before zero, which is never handed out
// (firstFrameSongStart).
//
// Without an index (the estimate modes, until the file has been indexed:
// by their first seek, or by any open or channel of the same file before)
// it tells the sound how far decoding has come, and its exact length once
// decoding reaches the end or an index is known (SoundSource::noteDecoded,
// noteExactLength). An index it builds is kept with the sound's file for
// the next channel and the next open (SoundSource::fileIndexes).
#include "engine/FfmpegSupport.h"
#include "engine/SongTimeline.h"
#include "engine/SoundSource.h"

#include <QFile>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

namespace cantorel::engine {

// Samples [offset, offset + count) of `frame`, the next ones of the song.
struct DecodedRun {
    const AVFrame* frame = nullptr;
    int offset = 0;
    int count = 0;
};

class FrameDecoder {
public:
    // `cancel`, when set by another thread, makes long work (an index scan)
    // give up.
    FrameDecoder(std::shared_ptr<const SoundSource> source, const std::atomic<bool>* cancel);
    ~FrameDecoder();
    FrameDecoder(const FrameDecoder&) = delete;
    FrameDecoder& operator=(const FrameDecoder&) = delete;

    // Opens the file and the decoder. False when the file can no longer be
    // read or decoded.
    bool open();
    // Makes song sample `sample` the next one handed out. False when the
    // position cannot be reached; the stream then counts as ended.
    bool seek(std::int64_t sample);
    // The next run of samples; false at the end of the stream. The run stays
    // valid until the next call.
    bool next(DecodedRun* run);

private:
    struct Pending {
        FramePtr frame;
        int offset = 0;
        int count = 0;
        std::int64_t songStart = 0;
        std::int64_t songLength = 0; // song samples the `count` samples cover
    };

    bool openCodec(AVCodecID id, const AVCodecParameters* parameters, int sampleRate, int channels);
    bool feed();
    bool feedMpeg();
    bool feedContainer();
    bool openContainer();
    bool ensurePacketIndex();
    bool seekMpeg(std::int64_t sample);
    bool seekContainer(std::int64_t sample);
    bool seekByCounting(std::int64_t packet);
    bool readMpegFrame(const MpegFrameSpan& span, AVPacket* packet);
    // Takes every frame the decoder has ready; with `endSample` (its
    // packet's place in the index, below 0 for pre-roll) the frames end
    // there, otherwise they follow on from the cursor.
    void receiveFrames(std::optional<std::int64_t> endSample);
    void receiveMpegFrames(std::int64_t frameNumber);

    std::shared_ptr<const SoundSource> m_source;
    const std::atomic<bool>* m_cancel;
    CodecPtr m_codec;
    PacketPtr m_packet;
    std::deque<Pending> m_ready;
    FramePtr m_current;
    std::int64_t m_dropUntil = 0; // song samples before this are not handed out
    std::int64_t m_songEnd = INT64_MAX;
    std::int64_t m_cursor = 0; // song sample after the last received frame
    SongCursor m_clock;        // places frames that no index places
    bool m_placeFirst = true;  // the next frame is the stream's first
    bool m_drained = false;    // the decoder has been flushed at the end
    bool m_ended = false;

    // MPEG audio.
    std::shared_ptr<const MpegAudioIndex> m_mpeg;
    QFile m_file;
    QByteArray m_chunk;
    std::int64_t m_chunkStart = 0;
    std::int64_t m_nextFrame = 0;

    // Other formats.
    FormatPtr m_format;
    int m_stream = -1;
    std::shared_ptr<const PacketIndex> m_index;
    std::int64_t m_packetNumber = 0; // index entry of the next packet; -1 while unknown
    std::int64_t m_seekPacket = 0;
    bool m_rewound = false;
};

} // namespace cantorel::engine
