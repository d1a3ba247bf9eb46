#include "engine/SdlAudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace cantorel::engine {

namespace {

std::mutex g_sdlMutex;
int g_users = 0;       // outputs holding the audio subsystem
int g_openDevices = 0; // devices open through it
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
    m_rendered = 0;
    m_piece.store({});
    m_idlePieces = 0;
    {
        std::lock_guard rest(m_restMutex);
        m_closing = false;
    }
    if (!acquireSubsystem()) {
        reportFallback(SDL_GetError());
        startSilentClock();
        return true;
    }
    m_subsystem = true;

    SDL_AudioSpec want {};
    want.freq = kPreferredRate;
    want.format = AUDIO_F32SYS;
    want.channels = kOutputChannels;
    want.samples = kBufferFrames;
    want.callback = &SdlAudioOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have {};
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
    // The silent driver plays nothing: a piece counts as heard while it is
    // being consumed. A real device still holds about one buffer.
    const char* driver = SDL_GetCurrentAudioDriver();
    m_lead = driver && std::strcmp(driver, "dummy") == 0 ? 0 : have.samples;
    ++g_openDevices;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlAudioOutput::startSilentClock()
{
    m_rate = kPreferredRate;
    m_lead = 0;
    m_clockRunning = true;
    m_clock = std::thread([this] {
        // Consumes audio in real time, a piece at each piece's time.
        std::vector<float> scratch(static_cast<size_t>(kBufferFrames) * kOutputChannels);
        auto start = std::chrono::steady_clock::now();
        std::int64_t pieces = 0;
        std::unique_lock lock(m_clockMutex);
        while (m_clockRunning) {
            lock.unlock();
            if (restWhileIdle()) { // played on from now, not caught up
                start = std::chrono::steady_clock::now();
                pieces = 0;
            }
            renderPiece(scratch.data(), kBufferFrames);
            ++pieces;
            lock.lock();
            const auto due = start + std::chrono::microseconds(pieces * kBufferFrames * 1000000 / m_rate);
            m_clockStop.wait_until(lock, due, [this] { return !m_clockRunning; });
        }
    });
}

void SdlAudioOutput::renderPiece(float* out, int frames)
{
    // A wake() from here on ends the rest that this piece may lead to.
    m_wakesSeen = m_wakes.load(std::memory_order_acquire);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    bool playing = false;
    if (m_source)
        playing = m_source->render(out, frames, m_rendered);
    else
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(frames) * kOutputChannels);
    m_idlePieces = playing ? 0 : m_idlePieces + 1;
    m_rendered += frames;
    m_piece.store({m_rendered, std::chrono::duration_cast<std::chrono::nanoseconds>(now).count(), frames, m_lead});
}

OutputClock SdlAudioOutput::clock() const
{
    const Piece piece = m_piece.load();
    if (piece.rendered == 0)
        return {};
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    // The device plays on in real time from where it was when the piece
    // was handed out, and not past the piece (a late piece underruns).
    const std::int64_t played = std::clamp<std::int64_t>((now - piece.at) * m_rate / 1000000000, 0, piece.frames);
    const std::int64_t heard = std::max<std::int64_t>(0, piece.rendered - piece.frames - piece.lead + played);
    return {piece.rendered, piece.rendered - heard};
}

bool SdlAudioOutput::restWhileIdle()
{
    if (m_idlePieces < kIdlePiecesBeforeRest)
        return false;
    std::unique_lock lock(m_restMutex);
    const auto woken = [this] { return m_closing || m_wakes.load(std::memory_order_acquire) != m_wakesSeen; };
    const bool rested = !woken();
    if (rested) {
        m_resting.store(true);
        m_restCondition.wait(lock, woken);
        m_resting.store(false);
    }
    m_idlePieces = 0;
    return rested;
}

void SdlAudioOutput::wake()
{
    {
        std::lock_guard lock(m_restMutex);
        m_wakes.fetch_add(1, std::memory_order_release);
    }
    m_restCondition.notify_all();
}

void SdlAudioOutput::close()
{
    // A resting callback holds the device: it must return before the device
    // can close.
    {
        std::lock_guard lock(m_restMutex);
        m_closing = true;
    }
    m_restCondition.notify_all();
    if (m_clock.joinable()) {
        {
            std::lock_guard lock(m_clockMutex);
            m_clockRunning = false;
        }
        m_clockStop.notify_all();
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
    output->restWhileIdle();
    const int frames = length / static_cast<int>(sizeof(float) * kOutputChannels);
    output->renderPiece(reinterpret_cast<float*>(stream), frames);
}

} // namespace cantorel::engine
