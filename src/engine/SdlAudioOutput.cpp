#include "engine/SdlAudioOutput.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <vector>
#include <cstring>
#include <mutex>

namespace cantorel::engine {

namespace {

std::mutex g_sdlMutex;
int g_users = 0;        // outputs holding the audio subsystem
int g_openDevices = 0;  // devices open through it
bool g_reported = false;

void reportFallback(const char* reason)
{
    if (g_reported)
        return;
    g_reported = true;
    std::fprintf(stderr, "cantorel: no sound device (%s); playing silently\n", reason);
}

// Starts the audio subsystem, with the silent driver when no other works.
bool acquireSubsystem()
{
    if (g_users > 0) {
        ++g_users;
        return true;
    }
    // SDL would otherwise take SIGINT and SIGTERM for itself and turn them
    // into quit events nobody reads: the program could not be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        const std::string reason = SDL_GetError();
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        reportFallback(reason.c_str());
    }
    ++g_users;
    return true;
}

void releaseSubsystem()
{
    if (g_users > 0 && --g_users == 0)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SDL_AudioDeviceID openDevice(SDL_AudioSpec* want, SDL_AudioSpec* have)
{
    return SDL_OpenAudioDevice(nullptr, 0, want, have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
}

} // namespace

SdlAudioOutput::~SdlAudioOutput()
{
    close();
}

bool SdlAudioOutput::open(AudioSource* source)
{
    close();
    std::lock_guard lock(g_sdlMutex);
    m_source = source;
    if (!acquireSubsystem()) {
        reportFallback(SDL_GetError());
        startSilentClock();
        return true;
    }
    m_subsystem = true;

    SDL_AudioSpec want{};
    want.freq = kPreferredRate;
    want.format = AUDIO_F32SYS;
    want.channels = kOutputChannels;
    want.samples = 1024;
    want.callback = &SdlAudioOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    SDL_AudioDeviceID device = openDevice(&want, &have);
    if (device == 0 && g_openDevices == 0) {
        // The driver started but has no device to offer: start over on the
        // silent driver (nothing else of ours uses the subsystem now).
        const std::string reason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            reportFallback(reason.c_str());
            device = openDevice(&want, &have);
        } else {
            --g_users;
            m_subsystem = false;
        }
    }
    if (device == 0) {
        // No device at all, or the silent driver's only device is taken by
        // another system: play silently on a clock of our own.
        reportFallback(SDL_GetError());
        if (m_subsystem)
            releaseSubsystem();
        m_subsystem = false;
        startSilentClock();
        return true;
    }
    m_device = device;
    m_rate = have.freq;
    ++g_openDevices;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlAudioOutput::startSilentClock()
{
    m_rate = kPreferredRate;
    m_clockRunning.store(true);
    m_clock = std::thread([this] {
        // Consumes audio in real time, in pieces of about 10 ms.
        std::vector<float> scratch;
        const auto start = std::chrono::steady_clock::now();
        std::int64_t handed = 0;
        while (m_clockRunning.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - start);
            const std::int64_t due = elapsed.count() * m_rate / 1000000;
            const int frames = static_cast<int>(std::min<std::int64_t>(due - handed, m_rate));
            if (frames <= 0)
                continue;
            scratch.resize(static_cast<size_t>(frames) * kOutputChannels);
            m_source->render(scratch.data(), frames);
            handed += frames;
        }
    });
}

void SdlAudioOutput::close()
{
    if (m_clock.joinable()) {
        m_clockRunning.store(false);
        m_clock.join();
    }
    std::lock_guard lock(g_sdlMutex);
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device); // waits for a running callback
        m_device = 0;
        --g_openDevices;
    }
    if (m_subsystem) {
        releaseSubsystem();
        m_subsystem = false;
    }
    m_source = nullptr;
}

void SdlAudioOutput::callback(void* self, std::uint8_t* stream, int length)
{
    auto* output = static_cast<SdlAudioOutput*>(self);
    const int frames = length / static_cast<int>(sizeof(float) * kOutputChannels);
    if (output->m_source)
        output->m_source->render(reinterpret_cast<float*>(stream), frames);
    else
        std::memset(stream, 0, static_cast<size_t>(length));
}

} // namespace cantorel::engine
