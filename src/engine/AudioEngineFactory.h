#pragma once
// The engine the programs use: FFmpeg decoding, SDL output (falling back to
// SDL's silent driver where there is no sound device).
#include "engine/AudioEngine.h"

#include <memory>

namespace cantorel::engine {

std::unique_ptr<AudioEngine> createAudioEngine();

} // namespace cantorel::engine
