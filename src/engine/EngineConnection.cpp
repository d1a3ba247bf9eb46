#include "engine/EngineConnection.h"

#include "engine/EngineFailures.h"

namespace cantorel::engine {

EngineConnection::EngineConnection(AudioEngine& engine, EngineFailures& failures)
    : m_engine(engine), m_failures(failures)
{}

bool EngineConnection::check(Result code)
{
    if (code == result::Ok)
        return true;
    m_failures.callFailed(code);
    return false;
}

bool EngineConnection::start()
{
    if (!check(m_engine.systemCreate(&m_system)))
        return false;
    unsigned version = 0;
    if (!check(m_engine.systemGetVersion(m_system, &version)))
        return false;
    if (version != kRequiredVersion)
        m_failures.versionMismatch(version);
    return check(m_engine.systemInit(m_system, 32, 0));
}

bool EngineConnection::openStream(const QString& path, unsigned streamMode)
{
    if (!dropStream())
        return false;
    Handle sound = 0;
    if (const Result r = m_engine.systemCreateStream(m_system, path, streamMode, &sound); r != result::Ok) {
        m_failures.songRefused(r);
        return false;
    }
    m_sound = sound;
    return true;
}

OpenState EngineConnection::openState(Result* openResult)
{
    OpenState state = OpenState::Failed;
    *openResult = result::Ok;
    if (m_sound == 0 || m_engine.soundGetOpenState(m_sound, &state, openResult) != result::Ok)
        return OpenState::Failed;
    return state;
}

bool EngineConnection::dropStream()
{
    if (m_sound == 0)
        return true;
    const Handle old = m_sound;
    m_sound = 0;
    return check(m_engine.soundRelease(old));
}

bool EngineConnection::setOpenListener(std::function<void(Handle sound)> listener)
{
    return check(m_engine.systemSetOpenListener(m_system, std::move(listener)));
}

bool EngineConnection::play(float volume)
{
    Handle channel = 0;
    m_engine.systemPlaySound(m_system, kFreeChannel, m_sound, false, &channel);
    m_channel = channel;
    return check(m_engine.channelSetVolume(m_channel, volume));
}

EngineConnection::ChannelCall EngineConnection::channelCall(Result code)
{
    if (code == result::Ok)
        return ChannelCall::Done;
    if (code == result::ChannelStolen || code == result::InvalidHandle)
        return ChannelCall::Skipped;
    check(code);
    return ChannelCall::Failed;
}

EngineConnection::ChannelCall EngineConnection::setPaused(bool paused)
{
    return channelCall(m_engine.channelSetPaused(m_channel, paused));
}

EngineConnection::ChannelCall EngineConnection::seek(unsigned positionMs)
{
    const Result r = m_engine.channelSetPosition(m_channel, positionMs, kMilliseconds);
    return r == result::InvalidParam ? ChannelCall::Skipped : channelCall(r);
}

EngineConnection::ChannelCall EngineConnection::setVolume(float volume)
{
    return channelCall(m_engine.channelSetVolume(m_channel, volume));
}

EngineConnection::ChannelCall EngineConnection::setMute(bool mute)
{
    return channelCall(m_engine.channelSetMute(m_channel, mute));
}

bool EngineConnection::readPosition(unsigned* positionMs, unsigned* lengthMs)
{
    *lengthMs = 0;
    if (m_channel == 0)
        return true;
    unsigned position = 0;
    Result r = m_engine.channelGetPosition(m_channel, &position, kMilliseconds);
    if (r == result::Ok)
        *positionMs = position;
    else if (channelCall(r) == ChannelCall::Failed)
        return false;
    Handle sound = 0;
    if (m_engine.channelGetCurrentSound(m_channel, &sound) != result::Ok || sound == 0)
        return true;
    unsigned length = 0;
    r = m_engine.soundGetLength(sound, &length, kMilliseconds);
    if (r == result::Ok)
        *lengthMs = length;
    else if (channelCall(r) == ChannelCall::Failed)
        return false;
    return true;
}

unsigned EngineConnection::streamLength()
{
    unsigned length = 0;
    if (m_sound == 0 || m_engine.soundGetLength(m_sound, &length, kMilliseconds) != result::Ok)
        return 0;
    return length;
}

void EngineConnection::shutdown()
{
    if (!dropStream()) {
        // The program is ending; still, nothing of the engine may call back
        // into an owner that is about to go.
        if (m_system != 0)
            m_engine.systemSetOpenListener(m_system, {});
        return;
    }
    if (m_system != 0) {
        const Handle system = m_system;
        m_system = 0;
        if (!check(m_engine.systemClose(system)))
            return;
        check(m_engine.systemRelease(system));
    }
}

} // namespace cantorel::engine
