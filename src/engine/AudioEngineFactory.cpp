#include "engine/AudioEngineFactory.h"

#include "engine/CaptureOutput.h"
#include "engine/FfmpegAudioEngine.h"
#include "engine/SdlAudioOutput.h"

namespace cantorel::engine {

std::unique_ptr<AudioEngine> createAudioEngine()
{
    return std::make_unique<FfmpegAudioEngine>([] { return std::make_unique<SdlAudioOutput>(); });
}

std::unique_ptr<AudioEngine> createDevicelessEngine()
{
    return std::make_unique<FfmpegAudioEngine>([] { return std::make_unique<CaptureOutput>(); });
}

} // namespace cantorel::engine
