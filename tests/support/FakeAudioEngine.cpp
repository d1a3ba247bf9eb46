#include "support/FakeAudioEngine.h"

#include <algorithm>

#include <QFileInfo>

namespace cantorel::testing {

using namespace engine;

Result FakeAudioEngine::scheduled(const QString& call)
{
    return m_failures.take(call); // Ok (0) when none is scheduled
}

Result FakeAudioEngine::logged(const QString& call, const QString& details)
{
    log << (details.isEmpty() ? call : call + QLatin1Char(' ') + details);
    return scheduled(call);
}

void FakeAudioEngine::endChannel(Handle channel)
{
    const auto it = m_channels.find(channel);
    if (it == m_channels.end())
        return;
    const auto s = m_sounds.find(it->sound);
    if (s != m_sounds.end() && s->channel == channel)
        s->channel = 0;
    m_channels.erase(it);
}

void FakeAudioEngine::advance(unsigned ms)
{
    QList<Handle> ended;
    for (auto it = m_channels.begin(); it != m_channels.end(); ++it) {
        if (it->paused) {
            it->drained = std::min(m_outputDelayMs, it->drained + ms);
            continue;
        }
        const unsigned length = m_sounds.value(it->sound).length;
        it->position += ms;
        if (it->position >= length) {
            it->position = length;
            ended.append(it.key());
        }
    }
    for (Handle h : ended)
        endChannel(h);
}

void FakeAudioEngine::setChannelPosition(Handle channel, unsigned ms)
{
    if (m_channels.contains(channel))
        m_channels[channel].position = ms; // as if it had played there
}

void FakeAudioEngine::finishChannel(Handle channel)
{
    endChannel(channel);
}

bool FakeAudioEngine::channelPaused(Handle channel) const
{
    return m_channels.value(channel).paused;
}
bool FakeAudioEngine::channelMuted(Handle channel) const
{
    return m_channels.value(channel).muted;
}
float FakeAudioEngine::channelVolume(Handle channel) const
{
    return m_channels.value(channel).volume;
}
unsigned FakeAudioEngine::channelPosition(Handle channel) const
{
    return m_channels.value(channel).position;
}
QString FakeAudioEngine::soundPath(Handle sound) const
{
    return m_sounds.value(sound).path;
}
unsigned FakeAudioEngine::soundMode(Handle sound) const
{
    return m_sounds.value(sound).mode & ~engine::mode::NonBlocking;
}

Result FakeAudioEngine::systemCreate(Handle* system)
{
    if (const Result r = logged(QStringLiteral("systemCreate")); r != result::Ok)
        return r;
    *system = m_next++;
    m_systems.insert(*system, false);
    return result::Ok;
}

Result FakeAudioEngine::systemGetVersion(Handle system, unsigned* version)
{
    if (const Result r = logged(QStringLiteral("getVersion")); r != result::Ok)
        return r;
    if (!m_systems.contains(system))
        return result::InvalidHandle;
    *version = m_version;
    return result::Ok;
}

Result FakeAudioEngine::systemInit(Handle system, int maxChannels, unsigned flags)
{
    const QString details = QStringLiteral("%1 %2").arg(maxChannels).arg(flags);
    if (const Result r = logged(QStringLiteral("init"), details); r != result::Ok)
        return r;
    if (!m_systems.contains(system))
        return result::InvalidHandle;
    if (m_systems.value(system))
        return result::Initialized;
    m_systems[system] = true;
    return result::Ok;
}

Result FakeAudioEngine::systemCreateStream(Handle system, const QString& path, unsigned mode, Handle* sound)
{
    const QString details = QStringLiteral("%1 0x%2").arg(path).arg(mode, 0, 16);
    if (const Result r = logged(QStringLiteral("createStream"), details); r != result::Ok)
        return r;
    const bool nonBlocking = (mode & mode::NonBlocking) != 0;
    if (nonBlocking && !m_systems.value(system))
        return m_systems.contains(system) ? result::Uninitialized : result::InvalidHandle;
    // What opening the file gives.
    Result outcome = result::Ok;
    unsigned length = 0;
    if (m_refused.contains(path))
        outcome = m_refused.value(path);
    else if (!m_systems.value(system))
        outcome = result::Uninitialized;
    else if (m_lengths.contains(path))
        length = m_lengths.value(path);
    else if (QFileInfo(path).isFile())
        length = kDefaultLengthMs;
    else
        outcome = result::FileNotFound;
    if (!nonBlocking && outcome != result::Ok)
        return outcome;
    *sound = m_next++;
    Sound entry {system, path, mode, length, 0};
    if (nonBlocking) {
        entry.state = OpenState::Loading;
        entry.openResult = outcome;
    }
    m_sounds.insert(*sound, entry);
    m_lastSound = *sound;
    if (nonBlocking && !m_holdOpens)
        completeOpen(*sound);
    return result::Ok;
}

Result FakeAudioEngine::systemSetOpenListener(Handle system, std::function<void(Handle sound)> listener)
{
    if (const Result r = logged(QStringLiteral("setOpenListener")); r != result::Ok)
        return r;
    if (!m_systems.contains(system))
        return result::InvalidHandle;
    m_listeners[system] = std::move(listener);
    return result::Ok;
}

void FakeAudioEngine::completeOpen(Handle sound)
{
    if (m_sounds.contains(sound))
        completeOpen(sound, m_sounds[sound].openResult);
}

void FakeAudioEngine::completeOpen(Handle sound, Result openResult)
{
    const auto it = m_sounds.find(sound);
    if (it == m_sounds.end() || it->state != OpenState::Loading)
        return;
    it->state = openResult == result::Ok ? OpenState::Ready : OpenState::Failed;
    it->openResult = openResult;
    if (it->length == 0 && openResult == result::Ok)
        it->length = kDefaultLengthMs;
    const auto listener = m_listeners.value(it->system);
    if (listener)
        listener(sound);
}

QList<FakeAudioEngine::Handle> FakeAudioEngine::loadingSounds() const
{
    QList<Handle> out;
    for (auto it = m_sounds.begin(); it != m_sounds.end(); ++it) {
        if (it->state == OpenState::Loading)
            out.append(it.key());
    }
    return out;
}

Result FakeAudioEngine::readiness(Handle sound) const
{
    const auto it = m_sounds.find(sound);
    if (it == m_sounds.end())
        return result::InvalidHandle;
    switch (it->state) {
    case OpenState::Loading:
        return result::NotReady;
    case OpenState::Failed:
        return it->openResult;
    case OpenState::Ready:
        break;
    }
    return result::Ok;
}

Result FakeAudioEngine::soundGetOpenState(Handle sound, OpenState* state, Result* openResult)
{
    if (const Result r = scheduled(QStringLiteral("getOpenState")); r != result::Ok)
        return r;
    if (!m_sounds.contains(sound))
        return result::InvalidHandle;
    if (!state)
        return result::InvalidParam;
    const Sound& s = m_sounds[sound];
    *state = s.state;
    if (openResult)
        *openResult = s.state == OpenState::Failed ? s.openResult : result::Ok;
    return result::Ok;
}

Result FakeAudioEngine::systemPlaySound(Handle system, int, Handle sound, bool paused, Handle* channel)
{
    if (const Result r = logged(QStringLiteral("playSound")); r != result::Ok)
        return r;
    if (!m_systems.contains(system) || !m_sounds.contains(sound))
        return result::InvalidHandle;
    if (const Result ready = readiness(sound); ready != result::Ok)
        return ready;
    if (m_sounds[sound].channel != 0)
        endChannel(m_sounds[sound].channel);
    *channel = m_next++;
    m_channels.insert(*channel, Channel {sound, 0, 0, 1.0f, paused, false});
    m_sounds[sound].channel = *channel;
    m_lastChannel = *channel;
    return result::Ok;
}

Result FakeAudioEngine::systemClose(Handle system)
{
    if (const Result r = logged(QStringLiteral("systemClose")); r != result::Ok)
        return r;
    if (!m_systems.contains(system))
        return result::InvalidHandle;
    const auto sounds = m_sounds.keys();
    for (Handle s : sounds) {
        if (m_sounds[s].system == system) {
            endChannel(m_sounds[s].channel);
            m_sounds.remove(s);
        }
    }
    m_listeners.remove(system);
    m_systems[system] = false;
    return result::Ok;
}

Result FakeAudioEngine::systemRelease(Handle system)
{
    if (const Result r = logged(QStringLiteral("systemRelease")); r != result::Ok)
        return r;
    if (!m_systems.remove(system))
        return result::InvalidHandle;
    m_listeners.remove(system);
    return result::Ok;
}

Result FakeAudioEngine::channelSetPaused(Handle channel, bool paused)
{
    if (const Result r = logged(QStringLiteral("setPaused"), QString::number(paused ? 1 : 0)); r != result::Ok)
        return r;
    if (!m_channels.contains(channel))
        return result::InvalidHandle;
    Channel& c = m_channels[channel];
    if (c.paused && !paused) {
        // What the device played out while paused was handed out before:
        // from here new audio runs ahead by the whole delay again.
        c.position += c.drained;
        c.drained = 0;
    }
    c.paused = paused;
    return result::Ok;
}

Result FakeAudioEngine::channelSetPosition(Handle channel, unsigned position, unsigned timeUnit)
{
    if (const Result r = logged(QStringLiteral("setPosition"), QString::number(position)); r != result::Ok)
        return r;
    if (timeUnit != kMilliseconds)
        return result::InvalidParam;
    if (!m_channels.contains(channel))
        return result::InvalidHandle;
    if (position >= m_sounds.value(m_channels[channel].sound).length)
        return result::InvalidParam;
    m_channels[channel].position = position;
    m_channels[channel].seekedTo = position;
    m_channels[channel].drained = 0;
    return result::Ok;
}

Result FakeAudioEngine::channelGetPosition(Handle channel, unsigned* position, unsigned timeUnit)
{
    if (const Result r = scheduled(QStringLiteral("getPosition")); r != result::Ok)
        return r;
    if (timeUnit != kMilliseconds)
        return result::InvalidParam;
    if (!m_channels.contains(channel))
        return result::InvalidHandle;
    // What the listener hears: the audio handed out, less what the device
    // still holds (never before where the last seek put the song).
    const Channel& c = m_channels[channel];
    *position = c.position - std::min(m_outputDelayMs - c.drained, c.position - c.seekedTo);
    return result::Ok;
}

Result FakeAudioEngine::channelSetVolume(Handle channel, float volume)
{
    const QString details = QStringLiteral("%1").arg(double(volume));
    if (const Result r = logged(QStringLiteral("setVolume"), details); r != result::Ok)
        return r;
    if (!m_channels.contains(channel))
        return result::InvalidHandle;
    if (!(volume >= 0.0f && volume <= 1.0f))
        return result::InvalidParam;
    m_channels[channel].volume = volume;
    return result::Ok;
}

Result FakeAudioEngine::channelSetMute(Handle channel, bool mute)
{
    if (const Result r = logged(QStringLiteral("setMute"), QString::number(mute ? 1 : 0)); r != result::Ok)
        return r;
    if (!m_channels.contains(channel))
        return result::InvalidHandle;
    m_channels[channel].muted = mute;
    return result::Ok;
}

Result FakeAudioEngine::channelGetCurrentSound(Handle channel, Handle* sound)
{
    if (const Result r = scheduled(QStringLiteral("getCurrentSound")); r != result::Ok)
        return r;
    if (!m_channels.contains(channel))
        return result::InvalidHandle;
    *sound = m_channels[channel].sound;
    return result::Ok;
}

Result FakeAudioEngine::soundGetLength(Handle sound, unsigned* length, unsigned timeUnit)
{
    if (const Result r = scheduled(QStringLiteral("getLength")); r != result::Ok)
        return r;
    if (timeUnit != kMilliseconds)
        return result::InvalidParam;
    if (const Result ready = readiness(sound); ready != result::Ok)
        return ready;
    *length = m_sounds[sound].length;
    return result::Ok;
}

Result FakeAudioEngine::soundRelease(Handle sound)
{
    if (const Result r = logged(QStringLiteral("soundRelease")); r != result::Ok)
        return r;
    if (!m_sounds.contains(sound))
        return result::InvalidHandle;
    endChannel(m_sounds[sound].channel);
    m_sounds.remove(sound);
    return result::Ok;
}

} // namespace cantorel::testing
