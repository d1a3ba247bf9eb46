#include "engine/FfmpegAudioEngine.h"

#include "engine/ChannelPlayback.h"
#include "engine/Mixer.h"
#include "engine/SoundSource.h"
#include "engine/StreamOpening.h"

#include <cmath>

namespace cantorel::engine {

namespace {
constexpr int kMaxChannelsLimit = 4093;
}

FfmpegAudioEngine::FfmpegAudioEngine(AudioOutputFactory outputFactory, SourceOpener opener)
    : m_outputFactory(std::move(outputFactory)), m_opener(std::move(opener))
{}

FfmpegAudioEngine::~FfmpegAudioEngine()
{
    for (Handle h : m_systems.handles())
        systemRelease(h);
}

Result FfmpegAudioEngine::systemCreate(Handle* system)
{
    if (!system)
        return result::InvalidParam;
    const Handle h = m_systems.add(std::make_unique<System>());
    if (h == 0)
        return result::Memory;
    *system = h;
    return result::Ok;
}

Result FfmpegAudioEngine::systemGetVersion(Handle system, unsigned* version)
{
    if (!m_systems.find(system))
        return result::InvalidHandle;
    if (!version)
        return result::InvalidParam;
    *version = kRequiredVersion;
    return result::Ok;
}

Result FfmpegAudioEngine::systemInit(Handle handle, int maxChannels, unsigned /*flags*/)
{
    System* system = m_systems.find(handle);
    if (!system)
        return result::InvalidHandle;
    if (system->initialised)
        return result::Initialized;
    if (maxChannels < 1 || maxChannels > kMaxChannelsLimit)
        return result::InvalidParam;
    auto mixer = std::make_unique<Mixer>();
    std::unique_ptr<AudioOutput> output = m_outputFactory ? m_outputFactory() : nullptr;
    if (!output || !output->open(mixer.get()))
        return result::OutputInit;
    system->mixer = std::move(mixer);
    system->output = std::move(output);
    system->slots.assign(static_cast<size_t>(maxChannels), 0);
    system->initialised = true;
    return result::Ok;
}

Result FfmpegAudioEngine::systemCreateStream(Handle handle, const QString& path, unsigned mode, Handle* sound)
{
    System* system = m_systems.find(handle);
    if (!system)
        return result::InvalidHandle;
    if (!sound)
        return result::InvalidParam;
    if (!system->initialised)
        return result::Uninitialized;
    const unsigned openMode = mode & ~mode::NonBlocking;
    auto entry = std::make_unique<Sound>();
    entry->system = handle;
    if (!(mode & mode::NonBlocking)) {
        if (const Result r = m_opener(path, openMode, &entry->source, nullptr); r != result::Ok)
            return r;
    }
    Sound* added = entry.get();
    const Handle h = m_sounds.add(std::move(entry));
    if (h == 0)
        return result::Memory;
    if (mode & mode::NonBlocking) {
        added->opening = StreamOpening::start(m_opener, path, openMode, [listener = system->listener, h] {
            std::lock_guard lock(listener->mutex);
            if (listener->call)
                listener->call(h);
        });
    }
    *sound = h;
    return result::Ok;
}

Result FfmpegAudioEngine::systemSetOpenListener(Handle handle, std::function<void(Handle sound)> listener)
{
    System* system = m_systems.find(handle);
    if (!system)
        return result::InvalidHandle;
    std::lock_guard lock(system->listener->mutex);
    system->listener->call = std::move(listener);
    return result::Ok;
}

FfmpegAudioEngine::Sound* FfmpegAudioEngine::openedSound(Handle handle, Result* failure)
{
    Sound* sound = m_sounds.find(handle);
    if (!sound) {
        *failure = result::InvalidHandle;
        return nullptr;
    }
    if (sound->opening) {
        Result openResult = result::Ok;
        std::shared_ptr<const SoundSource> source;
        switch (sound->opening->state(&openResult, &source)) {
        case OpenState::Loading:
            *failure = result::NotReady;
            return nullptr;
        case OpenState::Failed:
            *failure = openResult;
            return nullptr;
        case OpenState::Ready:
            sound->source = std::move(source);
            sound->opening.reset();
            break;
        }
    }
    return sound;
}

void FfmpegAudioEngine::wakeOutput(Handle handle)
{
    if (System* system = m_systems.find(handle); system && system->output)
        system->output->wake();
}

std::int64_t FfmpegAudioEngine::heardFrame(Handle handle) const
{
    const System* system = m_systems.find(handle);
    return system && system->output ? system->output->clock().heard() : 0;
}

Result FfmpegAudioEngine::systemPlaySound(Handle systemHandle, int channelIndex, Handle soundHandle, bool paused,
                                          Handle* channelOut)
{
    System* system = m_systems.find(systemHandle);
    if (!system)
        return result::InvalidHandle;
    if (!system->initialised)
        return result::Uninitialized;
    Sound* sound = m_sounds.find(soundHandle);
    if (!sound || sound->system != systemHandle)
        return result::InvalidHandle;
    if (Result failure = result::Ok; !openedSound(soundHandle, &failure))
        return failure;
    const int count = static_cast<int>(system->slots.size());
    if (channelIndex < kFreeChannel || channelIndex >= count)
        return result::InvalidParam;

    retireFinished(systemHandle);
    if (sound->channel != 0)
        endChannel(sound->channel, true); // a sound plays on one channel at a time

    int slot = channelIndex;
    if (slot == kFreeChannel) {
        for (int i = 0; i < count && slot < 0; ++i) {
            if (system->slots[static_cast<size_t>(i)] == 0)
                slot = i;
        }
        if (slot < 0) { // all busy: take over the channel that started first
            std::uint64_t oldest = UINT64_MAX;
            for (int i = 0; i < count; ++i) {
                const Channel* c = m_channels.find(system->slots[static_cast<size_t>(i)]);
                if (c && c->started < oldest) {
                    oldest = c->started;
                    slot = i;
                }
            }
            if (slot < 0)
                slot = 0;
        }
    }
    if (const Handle occupant = system->slots[static_cast<size_t>(slot)]; occupant != 0)
        endChannel(occupant, true);

    auto channel = std::make_unique<Channel>();
    channel->system = systemHandle;
    channel->sound = soundHandle;
    channel->slot = slot;
    channel->started = ++m_playCount;
    channel->playback = ChannelPlayback::start(sound->source, system->output->sampleRate(), paused);
    auto playback = channel->playback;
    const Handle h = m_channels.add(std::move(channel));
    if (h == 0) {
        playback->stop();
        return result::Memory;
    }
    system->mixer->add(std::move(playback));
    system->output->wake();
    system->slots[static_cast<size_t>(slot)] = h;
    sound->channel = h;
    if (channelOut)
        *channelOut = h;
    return result::Ok;
}

FfmpegAudioEngine::Channel* FfmpegAudioEngine::liveChannel(Handle handle, Result* failure)
{
    Channel* channel = m_channels.find(handle);
    if (!channel) {
        *failure = result::InvalidHandle;
        return nullptr;
    }
    if (!channel->playback) {
        *failure = result::ChannelStolen;
        return nullptr;
    }
    if (channel->playback->finished(heardFrame(channel->system))) {
        endChannel(handle, false);
        *failure = result::InvalidHandle;
        return nullptr;
    }
    return channel;
}

void FfmpegAudioEngine::endChannel(Handle handle, bool keepAsStolen)
{
    Channel* channel = m_channels.find(handle);
    if (!channel)
        return;
    if (channel->playback) {
        if (System* system = m_systems.find(channel->system)) {
            if (system->mixer)
                system->mixer->remove(channel->playback.get());
            if (static_cast<size_t>(channel->slot) < system->slots.size()
                && system->slots[static_cast<size_t>(channel->slot)] == handle)
                system->slots[static_cast<size_t>(channel->slot)] = 0;
        }
        channel->playback->stop();
        channel->playback.reset();
    }
    if (Sound* sound = m_sounds.find(channel->sound); sound && sound->channel == handle)
        sound->channel = 0;
    if (!keepAsStolen)
        m_channels.take(handle);
}

void FfmpegAudioEngine::retireFinished(Handle system)
{
    const std::int64_t heard = heardFrame(system);
    for (Handle h : m_channels.handles()) {
        Channel* c = m_channels.find(h);
        if (c && c->system == system && c->playback && c->playback->finished(heard))
            endChannel(h, false);
    }
}

Result FfmpegAudioEngine::channelSetPaused(Handle handle, bool paused)
{
    Result failure = result::Ok;
    Channel* channel = liveChannel(handle, &failure);
    if (!channel)
        return failure;
    channel->playback->setPaused(paused);
    if (!paused)
        wakeOutput(channel->system);
    return result::Ok;
}

Result FfmpegAudioEngine::channelSetPosition(Handle handle, unsigned position, unsigned timeUnit)
{
    Result failure = result::Ok;
    Channel* channel = liveChannel(handle, &failure);
    if (!channel)
        return failure;
    const Sound* sound = m_sounds.find(channel->sound);
    if (timeUnit != kMilliseconds || !sound || position >= sound->source->lengthMs())
        return result::InvalidParam;
    channel->playback->seek(position);
    // Even paused: the output drops the audio from before the seek, which
    // makes room for the decoder.
    wakeOutput(channel->system);
    return result::Ok;
}

Result FfmpegAudioEngine::channelGetPosition(Handle handle, unsigned* position, unsigned timeUnit)
{
    Result failure = result::Ok;
    Channel* channel = liveChannel(handle, &failure);
    if (!channel)
        return failure;
    if (!position || timeUnit != kMilliseconds)
        return result::InvalidParam;
    *position = channel->playback->positionMs(heardFrame(channel->system));
    return result::Ok;
}

Result FfmpegAudioEngine::channelSetVolume(Handle handle, float volume)
{
    Result failure = result::Ok;
    Channel* channel = liveChannel(handle, &failure);
    if (!channel)
        return failure;
    if (!std::isfinite(volume) || volume < 0.0f || volume > 1.0f)
        return result::InvalidParam;
    channel->playback->setVolume(volume);
    return result::Ok;
}

Result FfmpegAudioEngine::channelSetMute(Handle handle, bool mute)
{
    Result failure = result::Ok;
    Channel* channel = liveChannel(handle, &failure);
    if (!channel)
        return failure;
    channel->playback->setMute(mute);
    return result::Ok;
}

Result FfmpegAudioEngine::channelGetCurrentSound(Handle handle, Handle* sound)
{
    Result failure = result::Ok;
    Channel* channel = liveChannel(handle, &failure);
    if (!channel)
        return failure;
    if (!sound)
        return result::InvalidParam;
    *sound = channel->sound;
    return result::Ok;
}

Result FfmpegAudioEngine::soundGetLength(Handle handle, unsigned* length, unsigned timeUnit)
{
    Result failure = result::Ok;
    const Sound* sound = openedSound(handle, &failure);
    if (!sound)
        return failure;
    if (!length || timeUnit != kMilliseconds)
        return result::InvalidParam;
    *length = sound->source->lengthMs();
    return result::Ok;
}

Result FfmpegAudioEngine::soundGetOpenState(Handle handle, OpenState* state, Result* openResult)
{
    if (!m_sounds.find(handle))
        return result::InvalidHandle;
    if (!state)
        return result::InvalidParam;
    Result failure = result::Ok;
    if (openedSound(handle, &failure)) {
        *state = OpenState::Ready;
    } else {
        *state = failure == result::NotReady ? OpenState::Loading : OpenState::Failed;
    }
    if (openResult)
        *openResult = *state == OpenState::Failed ? failure : result::Ok;
    return result::Ok;
}

Result FfmpegAudioEngine::soundRelease(Handle handle)
{
    Sound* sound = m_sounds.find(handle);
    if (!sound)
        return result::InvalidHandle;
    if (sound->opening)
        sound->opening->cancel();
    // Its channel ends, and channels it lost to a later play go with it.
    for (Handle h : m_channels.handles()) {
        if (const Channel* c = m_channels.find(h); c && c->sound == handle)
            endChannel(h, false);
    }
    m_sounds.take(handle);
    return result::Ok;
}

void FfmpegAudioEngine::closeSystem(Handle handle, System& system)
{
    for (Handle h : m_channels.handles()) {
        if (const Channel* c = m_channels.find(h); c && c->system == handle)
            endChannel(h, false);
    }
    std::vector<std::shared_ptr<StreamOpening>> openings;
    for (Handle h : m_sounds.handles()) {
        if (const Sound* s = m_sounds.find(h); s && s->system == handle) {
            if (s->opening) {
                s->opening->cancel();
                openings.push_back(s->opening);
            }
            m_sounds.take(h);
        }
    }
    {
        std::lock_guard lock(system.listener->mutex);
        system.listener->call = nullptr;
    }
    // Opens give up within moments; one stuck in a stalled read is left to
    // end by itself.
    const auto deadline = std::chrono::steady_clock::now() + kOpenCancelWait;
    for (const auto& opening : openings)
        opening->waitUntil(deadline);
    if (system.output)
        system.output->close();
    system.output.reset();
    system.mixer.reset();
    system.slots.clear();
    system.initialised = false;
}

Result FfmpegAudioEngine::systemClose(Handle handle)
{
    System* system = m_systems.find(handle);
    if (!system)
        return result::InvalidHandle;
    closeSystem(handle, *system);
    return result::Ok;
}

Result FfmpegAudioEngine::systemRelease(Handle handle)
{
    System* system = m_systems.find(handle);
    if (!system)
        return result::InvalidHandle;
    closeSystem(handle, *system);
    m_systems.take(handle);
    return result::Ok;
}

} // namespace cantorel::engine
