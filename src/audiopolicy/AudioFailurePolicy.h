#pragma once
// What the user is told when the audio engine fails, and what happens next.
// The program makes one and hands it to the windows that play:
// - a failed call on a live engine object shows "FMOD error! (<code>)
//   <text>" with the program's title and ends the program at once, without
//   any window's closing steps;
// - a song the engine refuses to open shows the same message, and the
//   program goes on;
// - another engine version than the one required is reported, and used.
// User-interface thread only.
#include "engine/AudioEngine.h"

class QWidget;

namespace cantorel {

class Prompts;
class ProgramEnd;
namespace engine {
class Transport;
}

class AudioFailurePolicy {
public:
    AudioFailurePolicy(Prompts& prompts, ProgramEnd& end) : m_prompts(prompts), m_end(end) {}

    void callFailed(QWidget* owner, engine::Result code);
    void songRefused(QWidget* owner, engine::Result code);
    void versionMismatch(QWidget* owner, unsigned version);

    // Applies the policy to what `transport` reports of failed calls and of
    // the engine's version, with `owner` owning the messages. (A refused
    // song is the window's to handle: it goes back to its no-song state.)
    void watch(engine::Transport& transport, QWidget* owner);

private:
    Prompts& m_prompts;
    ProgramEnd& m_end;
};

} // namespace cantorel
