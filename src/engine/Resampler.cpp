#include "engine/Resampler.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace cantorel::engine {

Resampler::Resampler(int outputRate) : m_outputRate(outputRate)
{}

Resampler::~Resampler()
{
    av_channel_layout_uninit(&m_inLayout);
}

bool Resampler::configure(const AVFrame* frame, std::vector<float>* out)
{
    AVChannelLayout layout {};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels <= 0)
        av_channel_layout_default(&layout, std::max(1, frame->ch_layout.nb_channels));
    else if (av_channel_layout_copy(&layout, &frame->ch_layout) < 0)
        return false;

    if (m_swr && frame->format == m_inFormat && frame->sample_rate == m_inRate
        && av_channel_layout_compare(&layout, &m_inLayout) == 0) {
        av_channel_layout_uninit(&layout);
        return true;
    }
    drain(out);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* swr = nullptr;
    if (swr_alloc_set_opts2(&swr, &stereo, AV_SAMPLE_FMT_FLT, m_outputRate, &layout,
                            static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr)
            < 0
        || swr_init(swr) < 0) {
        swr_free(&swr);
        av_channel_layout_uninit(&layout);
        m_swr.reset();
        return false;
    }
    m_swr.reset(swr);
    m_inFormat = frame->format;
    m_inRate = frame->sample_rate;
    av_channel_layout_uninit(&m_inLayout);
    m_inLayout = layout;
    return true;
}

bool Resampler::convert(const AVFrame* frame, int offset, int count, std::vector<float>* out)
{
    if (count <= 0)
        return true;
    if (frame->sample_rate <= 0 || !configure(frame, out))
        return false;
    const AVSampleFormat format = static_cast<AVSampleFormat>(frame->format);
    const int bytes = av_get_bytes_per_sample(format);
    const int channels = m_inLayout.nb_channels;
    const uint8_t* in[64] = {};
    if (av_sample_fmt_is_planar(format)) {
        for (int c = 0; c < channels && c < 64; ++c)
            in[c] = frame->extended_data[c] + static_cast<size_t>(offset) * bytes;
    } else {
        in[0] = frame->extended_data[0] + static_cast<size_t>(offset) * bytes * channels;
    }
    const int capacity = swr_get_out_samples(m_swr.get(), count);
    if (capacity < 0)
        return false;
    const size_t old = out->size();
    out->resize(old + static_cast<size_t>(capacity) * 2);
    uint8_t* dst[1] = {reinterpret_cast<uint8_t*>(out->data() + old)};
    const int made = swr_convert(m_swr.get(), dst, capacity, in, count);
    out->resize(old + static_cast<size_t>(std::max(0, made)) * 2);
    return made >= 0;
}

void Resampler::drain(std::vector<float>* out)
{
    if (!m_swr)
        return;
    const int capacity = swr_get_out_samples(m_swr.get(), 0);
    if (capacity <= 0)
        return;
    const size_t old = out->size();
    out->resize(old + static_cast<size_t>(capacity) * 2);
    uint8_t* dst[1] = {reinterpret_cast<uint8_t*>(out->data() + old)};
    const int made = swr_convert(m_swr.get(), dst, capacity, nullptr, 0);
    out->resize(old + static_cast<size_t>(std::max(0, made)) * 2);
}

void Resampler::reset()
{
    // A fresh converter has no history: the next frame starts clean.
    m_swr.reset();
    m_inFormat = -1;
}

} // namespace cantorel::engine
