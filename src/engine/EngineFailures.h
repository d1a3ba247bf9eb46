#pragma once
// Where an engine connection reports what goes wrong. The connection only
// reports; what the user is shown, and whether the program goes on, is
// decided above it (see audiopolicy/AudioFailurePolicy.h).
#include "engine/AudioEngine.h"

namespace cantorel::engine {

class EngineFailures {
public:
    virtual ~EngineFailures() = default;
    // A call on a live engine object failed: the program cannot go on.
    virtual void callFailed(Result code) = 0;
    // The engine refused to open a song (a broken or vanished file); the
    // connection is left without a song.
    virtual void songRefused(Result code) = 0;
    // The engine is another version than the one required; it is used all
    // the same.
    virtual void versionMismatch(unsigned version) = 0;
};

} // namespace cantorel::engine
