#pragma once
// What the engine tests share: a reference decode of a fixture through the
// plain library calls, comparisons against it, and an engine whose systems
// play into capture outputs that a test drains by hand.
#include "engine/CaptureOutput.h"
#include "engine/FfmpegAudioEngine.h"
#include "engine/FfmpegSupport.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace cantorel::enginetest {

using namespace cantorel::engine;

struct Reference {
    int rate = 0;
    std::vector<float> samples; // interleaved stereo
    // Frames of `samples` stamped before time zero: the pre-roll of a cut.
    std::int64_t leadIn = 0;
    std::int64_t frames() const { return static_cast<std::int64_t>(samples.size() / 2); }
    unsigned lengthMs() const { return rate > 0 ? static_cast<unsigned>(frames() * 1000 / rate) : 0; }
};

// A full decode through the container reader, converted to float stereo at
// `outputRate` (0: the rate of the first decoded audio) the way an output
// at that rate hears it: one converter per input format, the old one
// drained when the format changes.
inline Reference decodeFully(const QString& path, int outputRate = 0)
{
    Reference ref;
    FormatPtr format;
    const int si = openAudioStream(path, &format);
    if (si < 0)
        return ref;
    AVStream* st = format->streams[si];
    const AVCodec* decoder = preferredDecoder(st->codecpar->codec_id);
    CodecPtr codec(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(codec.get(), st->codecpar);
    const AVCodecID id = st->codecpar->codec_id;
    // MPEG audio frames state their own rate; the container's guess for a
    // file whose rate changes may be a later part's.
    if (id == AV_CODEC_ID_MP1 || id == AV_CODEC_ID_MP2 || id == AV_CODEC_ID_MP3)
        codec->sample_rate = 0;
    codec->pkt_timebase = st->time_base;
    avcodec_open2(codec.get(), decoder, nullptr);
    SwrPtr swr;
    int inRate = 0;
    int inFormat = -1;
    AVChannelLayout inLayout {};
    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    auto convert = [&](const uint8_t** in, int count) {
        const int capacity = swr_get_out_samples(swr.get(), count);
        const size_t old = ref.samples.size();
        ref.samples.resize(old + static_cast<size_t>(std::max(capacity, 0)) * 2);
        uint8_t* out[1] = {reinterpret_cast<uint8_t*>(ref.samples.data() + old)};
        const int made = swr_convert(swr.get(), out, capacity, in, count);
        ref.samples.resize(old + static_cast<size_t>(std::max(made, 0)) * 2);
    };
    auto take = [&] {
        while (avcodec_receive_frame(codec.get(), frame.get()) >= 0) {
            if (!ref.rate) {
                ref.rate = outputRate > 0 ? outputRate : frame->sample_rate;
                if (frame->pts != AV_NOPTS_VALUE && frame->pts < 0)
                    ref.leadIn = av_rescale_q(-frame->pts, st->time_base, AVRational {1, ref.rate});
            }
            if (!swr || frame->sample_rate != inRate || frame->format != inFormat
                || av_channel_layout_compare(&frame->ch_layout, &inLayout) != 0) {
                if (swr)
                    convert(nullptr, 0);
                SwrContext* s = nullptr;
                AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
                swr_alloc_set_opts2(&s, &stereo, AV_SAMPLE_FMT_FLT, ref.rate, &frame->ch_layout,
                                    static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
                swr_init(s);
                swr.reset(s);
                inRate = frame->sample_rate;
                inFormat = frame->format;
                av_channel_layout_uninit(&inLayout);
                av_channel_layout_copy(&inLayout, &frame->ch_layout);
            }
            convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == si && avcodec_send_packet(codec.get(), packet.get()) >= 0)
            take();
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(codec.get(), nullptr);
    take();
    if (swr)
        convert(nullptr, 0);
    av_channel_layout_uninit(&inLayout);
    return ref;
}

// Largest difference between `got` and the reference from frame `from` on.
inline float maxDifference(const std::vector<float>& got, const Reference& ref, std::int64_t from)
{
    float worst = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        const size_t r = static_cast<size_t>(from) * 2 + i;
        const float expected = r < ref.samples.size() ? ref.samples[r] : 0.0f;
        worst = std::max(worst, std::fabs(got[i] - expected));
    }
    return worst;
}

inline float peak(const std::vector<float>& samples)
{
    float p = 0;
    for (float s : samples)
        p = std::max(p, std::fabs(s));
    return p;
}

// Waits (at most `limit`) until `done` holds; false when it never did.
template <typename Pred>
bool waitFor(Pred done, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// An engine whose systems play into capture outputs the test drains.
struct Rig {
    explicit Rig(int rate = 44100, SourceOpener opener = openSoundSource)
        : engine(
            [this, rate] {
                auto output = std::make_unique<CaptureOutput>(rate);
                captures.push_back(output.get());
                return output;
            },
            std::move(opener))
    {
        EXPECT_EQ(engine.systemCreate(&system), result::Ok);
        EXPECT_EQ(engine.systemInit(system, 32, 0), result::Ok);
    }
    Handle openPath(const QString& path, unsigned mode = mode::AccurateTime)
    {
        Handle sound = 0;
        EXPECT_EQ(engine.systemCreateStream(system, path, mode, &sound), result::Ok) << path.toStdString();
        return sound;
    }
    Handle open(const QString& name, unsigned mode = mode::AccurateTime)
    {
        return openPath(cantorel::testing::fixturePath("audio/" + name), mode);
    }
    Handle play(Handle sound)
    {
        Handle channel = 0;
        EXPECT_EQ(engine.systemPlaySound(system, kFreeChannel, sound, false, &channel), result::Ok);
        return channel;
    }
    unsigned position(Handle channel)
    {
        unsigned ms = 0;
        EXPECT_EQ(engine.channelGetPosition(channel, &ms, kMilliseconds), result::Ok);
        return ms;
    }
    unsigned length(Handle sound)
    {
        unsigned ms = 0;
        EXPECT_EQ(engine.soundGetLength(sound, &ms, kMilliseconds), result::Ok);
        return ms;
    }
    CaptureOutput& capture() { return *captures.back(); }

    std::vector<CaptureOutput*> captures;
    FfmpegAudioEngine engine;
    Handle system = 0;
};

} // namespace cantorel::enginetest
