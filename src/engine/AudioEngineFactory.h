#pragma once
// The engine the programs use: FFmpeg decoding, SDL output (falling back to
// SDL's silent driver where there is no sound device).
#include "engine/AudioEngine.h"

#include <memory>

namespace cantorel::engine {

std::unique_ptr<AudioEngine> createAudioEngine();

// An engine that opens no sound device (its systems never play anything
// out): for tools that only open songs and measure them.
std::unique_ptr<AudioEngine> createDevicelessEngine();

} // namespace cantorel::engine
