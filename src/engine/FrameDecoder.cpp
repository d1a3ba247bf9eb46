#include "engine/FrameDecoder.h"

#include "base/FileNames.h"

#include <algorithm>
#include <cstring>

namespace cantorel::engine {

namespace {

constexpr int kMpegChunk = 256 * 1024;

// Frames decoded before a seek target so that the decoder's state (the bit
// reservoir, the filter bank's history) is the same as in a full decode.
int mpegPrerollFrames(AVCodecID codec)
{
    return codec == AV_CODEC_ID_MP3 ? 24 : 2;
}

} // namespace

FrameDecoder::FrameDecoder(std::shared_ptr<const SoundSource> source, const std::atomic<bool>* cancel)
    : m_source(std::move(source)), m_cancel(cancel), m_packet(av_packet_alloc()), m_clock(m_source->sampleRate)
{}

FrameDecoder::~FrameDecoder() = default;

bool FrameDecoder::openCodec(AVCodecID id, const AVCodecParameters* parameters, int sampleRate, int channels)
{
    const AVCodec* decoder = preferredDecoder(id);
    if (!decoder)
        return false;
    m_codec.reset(avcodec_alloc_context3(decoder));
    if (!m_codec)
        return false;
    if (parameters) {
        if (avcodec_parameters_to_context(m_codec.get(), parameters) < 0)
            return false;
    } else {
        m_codec->sample_rate = sampleRate;
        av_channel_layout_default(&m_codec->ch_layout, channels);
    }
    m_codec->pkt_timebase = AVRational {1, sampleRate > 0 ? sampleRate : 1};
    if (m_format)
        m_codec->pkt_timebase = m_format->streams[m_stream]->time_base;
    return avcodec_open2(m_codec.get(), decoder, nullptr) >= 0;
}

bool FrameDecoder::open()
{
    if (!m_packet)
        return false;
    if (m_source->mpeg) {
        m_mpeg = m_source->fileIndexes->mpeg();
        if (!m_mpeg) {
            auto index = MpegAudioScanner::scan(m_source->path, m_cancel);
            if (!index)
                return false;
            m_mpeg = std::make_shared<const MpegAudioIndex>(std::move(*index));
            m_source->fileIndexes->setMpeg(m_mpeg);
        }
        m_songEnd = m_mpeg->songSamples();
        m_source->noteExactLength(m_songEnd);
        if (!openForReading(m_file, m_source->path))
            return false;
        return openCodec(m_mpeg->codec, nullptr, m_mpeg->sampleRate, m_mpeg->channels);
    }
    m_index = m_source->fileIndexes->packets();
    if (m_index) {
        m_songEnd = m_index->totalSamples;
        m_source->noteExactLength(m_songEnd);
    }
    if (!openContainer())
        return false;
    return openCodec(m_format->streams[m_stream]->codecpar->codec_id, m_format->streams[m_stream]->codecpar,
                     m_source->sampleRate, m_source->channels);
}

bool FrameDecoder::openContainer()
{
    m_stream = openAudioStream(m_source->path, &m_format, m_cancel);
    m_packetNumber = 0;
    m_cursor = 0;
    m_clock.reset(0);
    m_placeFirst = true;
    return m_stream >= 0;
}

bool FrameDecoder::seek(std::int64_t sample)
{
    m_ready.clear();
    m_drained = false;
    m_ended = false;
    m_dropUntil = std::max<std::int64_t>(0, sample);
    const bool ok = m_source->mpeg ? seekMpeg(m_dropUntil) : seekContainer(m_dropUntil);
    if (!ok)
        m_ended = true;
    return ok;
}

bool FrameDecoder::seekMpeg(std::int64_t sample)
{
    if (!m_codec)
        return false;
    const std::int64_t raw = m_mpeg->rawFromSong(sample);
    const std::int64_t frame = m_mpeg->frameAtRaw(raw);
    m_nextFrame = std::max<std::int64_t>(0, frame - mpegPrerollFrames(m_mpeg->codec));
    if (m_mpeg->segments.size() > 1) {
        // The decoder tags a frame with the rate of the frame decoded before
        // it; a fresh decoder that knows that rate tags them as a full
        // decode from the start would.
        if (!openCodec(m_mpeg->codec, nullptr, m_mpeg->taggedRate(m_nextFrame), m_mpeg->channels))
            return false;
    } else {
        avcodec_flush_buffers(m_codec.get());
    }
    // Decoding may have reached the end before this seek back; the end test
    // must not still see it.
    m_cursor = 0;
    return true;
}

bool FrameDecoder::ensurePacketIndex()
{
    if (!m_index)
        m_index = m_source->fileIndexes->packets(); // another channel may have built it meanwhile
    if (m_index) {
        m_source->noteExactLength(m_index->totalSamples);
        return true;
    }
    FormatPtr scanFormat;
    const int stream = openAudioStream(m_source->path, &scanFormat, m_cancel);
    if (stream < 0 || stream != m_stream)
        return false;
    auto index = PacketIndexer::scan(m_source->path, scanFormat.get(), stream, m_cancel);
    if (!index)
        return false;
    m_index = std::make_shared<const PacketIndex>(std::move(*index));
    m_source->fileIndexes->setPackets(m_index);
    m_source->noteExactLength(m_index->totalSamples);
    return true;
}

bool FrameDecoder::seekContainer(std::int64_t sample)
{
    if (!m_codec || !m_format || !ensurePacketIndex())
        return false;
    m_songEnd = m_index->totalSamples;
    avcodec_flush_buffers(m_codec.get());
    m_rewound = false;
    const AVStream* stream = m_format->streams[m_stream];
    const std::int64_t preroll = isPcm(stream->codecpar->codec_id) ? 0 : m_source->sampleRate / 4;
    const int packet = std::max(0, m_index->packetEndingBy(sample - preroll));
    if (m_index->sequential)
        return seekByCounting(packet);
    const std::int64_t pts = m_index->packets[static_cast<size_t>(packet)].pts;
    if (packet == 0 || pts == AV_NOPTS_VALUE
        || av_seek_frame(m_format.get(), m_stream, pts, AVSEEK_FLAG_BACKWARD) < 0) {
        m_rewound = true;
        return openContainer();
    }
    m_seekPacket = packet;
    m_packetNumber = -1;
    return true;
}

bool FrameDecoder::seekByCounting(std::int64_t packet)
{
    // Read the packets before `packet` without decoding them, except those
    // that carry decoder headers: the decoder then reads that link of the
    // stream as a full decode does.
    if (!openContainer())
        return false;
    m_rewound = true;
    FramePtr discard(av_frame_alloc());
    if (!discard)
        return false;
    for (std::int64_t number = 0; number < packet;) {
        if (av_read_frame(m_format.get(), m_packet.get()) < 0)
            return false;
        if (m_packet->stream_index == m_stream) {
            if (m_index->isSetupPacket(number) && avcodec_send_packet(m_codec.get(), m_packet.get()) >= 0) {
                while (avcodec_receive_frame(m_codec.get(), discard.get()) >= 0)
                    av_frame_unref(discard.get());
            }
            ++number;
        }
        av_packet_unref(m_packet.get());
    }
    avcodec_flush_buffers(m_codec.get());
    m_packetNumber = packet;
    return true;
}

bool FrameDecoder::next(DecodedRun* run)
{
    for (;;) {
        while (m_ready.empty()) {
            if (m_ended || !feed()) {
                m_ended = true;
                return false;
            }
        }
        Pending& p = m_ready.front();
        int offset = p.offset;
        int count = p.count;
        std::int64_t start = p.songStart;
        std::int64_t length = p.songLength;
        // Song samples to samples of this frame (the same at the song rate).
        auto samplesOf = [&p](std::int64_t song) {
            return p.songLength == p.count || p.songLength <= 0 ? song : song * p.count / p.songLength;
        };
        if (start < m_dropUntil) {
            const std::int64_t skipSong = std::min(length, m_dropUntil - start);
            const auto skip = static_cast<int>(std::min<std::int64_t>(count, samplesOf(skipSong)));
            offset += skip;
            count -= skip;
            start += skipSong;
            length -= skipSong;
        }
        if (start + length > m_songEnd)
            count = static_cast<int>(
                std::min<std::int64_t>(count, samplesOf(std::max<std::int64_t>(0, m_songEnd - start))));
        m_current = std::move(p.frame);
        m_ready.pop_front();
        if (count <= 0)
            continue;
        run->frame = m_current.get();
        run->offset = offset;
        run->count = count;
        return true;
    }
}

bool FrameDecoder::feed()
{
    if (m_cancel && m_cancel->load(std::memory_order_relaxed))
        return false;
    return m_source->mpeg ? feedMpeg() : feedContainer();
}

bool FrameDecoder::readMpegFrame(const MpegFrameSpan& span, AVPacket* packet)
{
    if (span.offset < m_chunkStart || span.offset + span.size > m_chunkStart + m_chunk.size()) {
        if (!m_file.seek(span.offset))
            return false;
        m_chunk = m_file.read(std::max<std::int64_t>(kMpegChunk, span.size));
        m_chunkStart = span.offset;
        if (m_chunk.size() < static_cast<int>(span.size))
            return false;
    }
    if (av_new_packet(packet, static_cast<int>(span.size)) < 0)
        return false;
    std::memcpy(packet->data, m_chunk.constData() + (span.offset - m_chunkStart), span.size);
    return true;
}

bool FrameDecoder::feedMpeg()
{
    const auto& frames = m_mpeg->frames;
    if (m_nextFrame >= static_cast<std::int64_t>(frames.size()) || m_cursor >= m_songEnd) {
        if (m_drained)
            return false;
        m_drained = true;
        avcodec_send_packet(m_codec.get(), nullptr);
        receiveMpegFrames(static_cast<std::int64_t>(frames.size()) - 1);
        return !m_ready.empty();
    }
    const std::int64_t number = m_nextFrame++;
    if (!readMpegFrame(frames[static_cast<size_t>(number)], m_packet.get()))
        return false; // the file changed under us
    const int sent = avcodec_send_packet(m_codec.get(), m_packet.get());
    av_packet_unref(m_packet.get());
    if (sent >= 0)
        receiveMpegFrames(number);
    return true;
}

void FrameDecoder::receiveMpegFrames(std::int64_t frameNumber)
{
    // The decoder gives one frame per packet, covering its packet's span of
    // the raw timeline.
    const std::int64_t rawStart = m_mpeg->rawFrameStart(frameNumber);
    const std::int64_t rawEnd = m_mpeg->rawFrameStart(frameNumber + 1);
    for (;;) {
        FramePtr frame(av_frame_alloc());
        if (!frame || avcodec_receive_frame(m_codec.get(), frame.get()) < 0)
            return;
        std::int64_t keepFrom = std::max(rawStart, m_mpeg->startSkip);
        std::int64_t keepTo = rawEnd;
        if (m_mpeg->discardTo > m_mpeg->discardFrom && rawStart < m_mpeg->discardTo && rawEnd > m_mpeg->discardFrom)
            keepTo = std::max(rawStart, std::min(keepTo, m_mpeg->discardFrom));
        if (keepTo <= keepFrom)
            continue;
        const std::int64_t rawLength = rawEnd - rawStart;
        const std::int64_t samples = frame->nb_samples;
        auto samplesOf = [&](std::int64_t raw) { return rawLength == samples ? raw : raw * samples / rawLength; };
        Pending p;
        p.offset = static_cast<int>(samplesOf(keepFrom - rawStart));
        p.count = static_cast<int>(samplesOf(keepTo - rawStart)) - p.offset;
        p.songStart = m_mpeg->songFromRaw(keepFrom);
        p.songLength = keepTo - keepFrom;
        m_cursor = p.songStart + p.songLength;
        p.frame = std::move(frame);
        m_ready.push_back(std::move(p));
    }
}

bool FrameDecoder::feedContainer()
{
    const int read = av_read_frame(m_format.get(), m_packet.get());
    if (read < 0) {
        if (m_drained)
            return false;
        m_drained = true;
        avcodec_send_packet(m_codec.get(), nullptr);
        receiveFrames(std::nullopt);
        if (!m_index) // decoded from the start to the end
            m_source->noteExactLength(m_cursor);
        return !m_ready.empty();
    }
    if (m_packet->stream_index != m_stream) {
        av_packet_unref(m_packet.get());
        return true;
    }
    std::optional<std::int64_t> endSample;
    if (m_index) {
        // Which packet of the index this is: the next one in file order, or
        // after a seek the one with this timestamp.
        const std::int64_t pts = m_packet->pts;
        const auto& packets = m_index->packets;
        const auto size = static_cast<std::int64_t>(packets.size());
        std::int64_t number = m_packetNumber;
        const bool inOrder =
            number >= 0 && number < size
            && (m_index->sequential || pts == AV_NOPTS_VALUE || packets[static_cast<size_t>(number)].pts == pts);
        if (!inOrder && pts != AV_NOPTS_VALUE) {
            if (const int found = m_index->packetWithPts(pts); found >= 0)
                number = found;
        }
        if (number < 0 || number >= size) {
            av_packet_unref(m_packet.get()); // not placed yet: wait for a known packet
            return true;
        }
        if (m_packetNumber < 0 && number > m_seekPacket && packets[static_cast<size_t>(number)].endSample > m_dropUntil
            && !m_rewound) {
            // The container's seek landed past the target: start over.
            av_packet_unref(m_packet.get());
            m_rewound = true;
            avcodec_flush_buffers(m_codec.get());
            return openContainer();
        }
        endSample = packets[static_cast<size_t>(number)].endSample;
        m_packetNumber = number + 1;
    }
    const int sent = avcodec_send_packet(m_codec.get(), m_packet.get());
    av_packet_unref(m_packet.get());
    if (sent >= 0)
        receiveFrames(endSample);
    return true;
}

void FrameDecoder::receiveFrames(std::optional<std::int64_t> endSample)
{
    std::deque<Pending> got;
    SongCursor placed(m_source->sampleRate);
    SongCursor& clock = endSample ? placed : m_clock;
    for (;;) {
        FramePtr frame(av_frame_alloc());
        if (!frame || avcodec_receive_frame(m_codec.get(), frame.get()) < 0)
            break;
        if (m_placeFirst && !endSample) // no index places it: its timestamp does
            m_clock.reset(
                firstFrameSongStart(frame.get(), m_format->streams[m_stream]->time_base, m_source->sampleRate));
        m_placeFirst = false;
        Pending p;
        p.count = frame->nb_samples;
        p.songStart = clock.position();
        p.songLength = clock.advance(p.count, frame->sample_rate);
        p.frame = std::move(frame);
        got.push_back(std::move(p));
    }
    // With the index, the frames end where their packet ends.
    const std::int64_t shift = endSample ? *endSample - placed.position() : 0;
    for (Pending& p : got) {
        p.songStart += shift;
        m_ready.push_back(std::move(p));
    }
    m_cursor = clock.position() + shift;
    if (endSample)
        m_clock.reset(m_cursor);
    else
        m_source->noteDecoded(m_cursor);
}

} // namespace cantorel::engine
