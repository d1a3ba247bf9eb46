#include "engine/Transport.h"

#include <algorithm>

namespace cantorel::engine {

bool songHasEnded(unsigned positionMs, unsigned lengthMs, unsigned previousLengthMs)
{
    return std::min(positionMs, previousLengthMs) == lengthMs;
}

Transport::Transport(AudioEngine& engine, Modes modes, QObject* parent)
    : QObject(parent), m_modes(modes), m_connection(engine, m_forward)
{
    m_timer.setObjectName(QStringLiteral("cTimer1"));
    m_timer.setInterval(m_modes.positionPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &Transport::tick);
}

Transport::~Transport()
{
    // The engine calls the open listener on its own threads until the
    // system is closed.
    shutdown();
}

bool Transport::start()
{
    if (!m_connection.start())
        return false;
    // Called on an engine thread: only hand the news over to this one.
    return m_connection.setOpenListener([this](Handle sound) {
        QMetaObject::invokeMethod(
            this, [this, sound] { streamOpened(sound); }, Qt::QueuedConnection);
    });
}

void Transport::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_timer.stop();
    m_connection.shutdown();
}

void Transport::setState(bool playing, bool paused, bool stopped)
{
    if (playing == m_playing && paused == m_paused && stopped == m_stopped)
        return;
    m_playing = playing;
    m_paused = paused;
    m_stopped = stopped;
    Q_EMIT stateChanged();
}

Transport::OpenStart Transport::open(const QString& path)
{
    m_timer.stop();
    m_path = path;
    m_opening = false;
    // A refusal has forgotten the song already (Forward::songRefused); a
    // failed release ends the program.
    if (!m_connection.openStream(path, m_modes.openMode | mode::NonBlocking))
        return OpenStart::Refused;
    Result code = result::Ok;
    switch (m_connection.openState(&code)) {
    case OpenState::Ready:
        return OpenStart::Ready;
    case OpenState::Loading:
        m_opening = true;
        return OpenStart::Opening;
    case OpenState::Failed:
        break;
    }
    refuse(code);
    return OpenStart::Refused;
}

void Transport::streamOpened(Handle sound)
{
    if (!m_opening || sound != m_connection.sound())
        return; // an open given up since, or already seen
    Result code = result::Ok;
    const OpenState state = m_connection.openState(&code);
    if (state == OpenState::Loading)
        return;
    m_opening = false;
    if (state == OpenState::Ready)
        Q_EMIT opened();
    else
        refuse(code);
}

void Transport::refuse(Result code)
{
    m_opening = false;
    if (!m_connection.dropStream())
        return; // the program is ending
    forgetSong();
    Q_EMIT songRefused(code == result::Ok ? result::FileBad : code);
}

void Transport::forgetSong()
{
    m_timer.stop();
    m_opening = false;
    m_path.clear();
    m_shown = 0;
    setState(false, false, false);
}

Transport::Outcome Transport::outcomeOf(EngineConnection::ChannelCall call) const
{
    switch (call) {
    case EngineConnection::ChannelCall::Done:
        return Outcome::Done;
    case EngineConnection::ChannelCall::Skipped:
        return Outcome::Nothing;
    case EngineConnection::ChannelCall::Failed:
        break;
    }
    return Outcome::Failed;
}

Transport::Outcome Transport::play(float volume, bool mute)
{
    if (!hasSong() || m_playing)
        return Outcome::Nothing;
    if (!m_connection.play(volume))
        return Outcome::Failed;
    // A ticked Mute box holds for every play.
    if (mute && m_connection.setMute(true) == EngineConnection::ChannelCall::Failed)
        return Outcome::Failed;
    // The song's end is known before the first tick: a seek right after
    // the start is measured against this song, not the last one.
    m_maximum = songLength();
    m_timer.start(m_modes.positionPeriodMs);
    setState(true, m_paused, false);
    return Outcome::Done;
}

Transport::Outcome Transport::togglePause()
{
    if (!m_paused) {
        // A song that has just played out is not paused: the position
        // timer, left running, sees its end.
        const Outcome o = outcomeOf(m_connection.setPaused(true));
        if (o != Outcome::Done)
            return o;
        m_timer.stop();
        setState(m_playing, true, m_stopped);
        return Outcome::Done;
    }
    if (m_connection.setPaused(false) == EngineConnection::ChannelCall::Failed)
        return Outcome::Failed;
    m_timer.start(m_modes.positionPeriodMs);
    setState(m_playing, false, m_stopped);
    return Outcome::Done;
}

Transport::Outcome Transport::stop()
{
    if (!hasSong() || (m_modes.stopOnlyOnce && m_stopped))
        return Outcome::Nothing;
    m_timer.stop();
    if (!m_connection.openStream(m_path, m_modes.stopMode))
        return Outcome::Failed; // refused (the song is forgotten) or ending
    m_shown = 0;
    setState(false, false, true);
    return Outcome::Done;
}

Transport::Outcome Transport::seek(unsigned positionMs)
{
    if (positionMs == m_maximum)
        return Outcome::Nothing; // the end: the position tick sees it
    if (m_modes.forwardOnlySeek && positionMs <= m_shown)
        return Outcome::Nothing;
    const Outcome o = outcomeOf(m_connection.seek(positionMs));
    if (o == Outcome::Done)
        Q_EMIT seeked(positionMs);
    return o;
}

Transport::Outcome Transport::setVolume(float volume)
{
    return outcomeOf(m_connection.setVolume(volume));
}

Transport::Outcome Transport::setMute(bool mute)
{
    return outcomeOf(m_connection.setMute(mute));
}

void Transport::tick()
{
    unsigned length = 0;
    if (!m_connection.readPosition(&m_position, &length))
        return;
    const bool ended = songHasEnded(m_position, length, m_maximum);
    m_shown = std::min(m_position, m_maximum);
    // At the end the slider keeps its maximum; the window stops the song.
    if (!ended)
        m_maximum = length;
    Q_EMIT positionChanged(m_position, length);
    if (ended)
        Q_EMIT this->ended();
}

unsigned Transport::currentPosition()
{
    unsigned length = 0;
    m_connection.readPosition(&m_position, &length);
    return m_position;
}

} // namespace cantorel::engine
