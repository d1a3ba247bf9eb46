#pragma once
// Converts decoded frames of any sample format, rate and channel layout to
// the output's format: interleaved 32-bit float stereo at the output rate.
// The converter is rebuilt whenever the input format changes (a chained
// stream, an MPEG audio file whose rate changes), after handing on what the
// old one still holds, so that no audio is lost at the change. Used by one
// decoding thread.
#include "engine/FfmpegSupport.h"

#include <vector>

namespace cantorel::engine {

class Resampler {
public:
    explicit Resampler(int outputRate);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // Appends samples [offset, offset + count) of `frame`, converted, to
    // `out` (two floats per output frame). False when the frame's format
    // cannot be converted.
    bool convert(const AVFrame* frame, int offset, int count, std::vector<float>* out);
    // Appends what the converter still holds (its filter delay); at the end
    // of a stream.
    void drain(std::vector<float>* out);
    // Forgets held samples, after a seek.
    void reset();

private:
    bool configure(const AVFrame* frame, std::vector<float>* out);

    int m_outputRate;
    SwrPtr m_swr;
    int m_inFormat = -1;
    int m_inRate = 0;
    AVChannelLayout m_inLayout {};
};

} // namespace cantorel::engine
