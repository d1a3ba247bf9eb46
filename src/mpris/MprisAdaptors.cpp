#include "mpris/MprisAdaptors.h"

#include "mpris/MprisService.h"

namespace cantorel::mpris {

MprisRoot::MprisRoot(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{}

QString MprisRoot::identity() const
{
    return QStringLiteral("Cantorel");
}

QString MprisRoot::desktopEntry() const
{
    return QStringLiteral(CANTOREL_APP_ID);
}

QStringList MprisRoot::supportedUriSchemes() const
{
    return {QStringLiteral("file")};
}

QStringList MprisRoot::supportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"),       QStringLiteral("audio/mp2"),   QStringLiteral("audio/x-vorbis+ogg"),
            QStringLiteral("audio/ogg"),        QStringLiteral("audio/x-wav"), QStringLiteral("audio/x-ms-wma"),
            QStringLiteral("application/x-lrc")};
}

void MprisRoot::Raise()
{
    m_service.raise();
}
void MprisRoot::Quit()
{
    m_service.quit();
}

MprisPlayer::MprisPlayer(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{}

QString MprisPlayer::playbackStatus() const
{
    return m_service.playbackStatus();
}
QVariantMap MprisPlayer::metadata() const
{
    return m_service.metadata();
}
double MprisPlayer::volume() const
{
    return m_service.volume();
}
void MprisPlayer::setVolume(double volume)
{
    m_service.setVolume(volume);
}
QString MprisPlayer::loopStatus() const
{
    return m_service.loopStatus();
}
void MprisPlayer::setLoopStatus(const QString& status)
{
    m_service.setLoopStatus(status);
}
bool MprisPlayer::shuffle() const
{
    return m_service.shuffle();
}
void MprisPlayer::setShuffle(bool shuffle)
{
    m_service.setShuffle(shuffle);
}
qlonglong MprisPlayer::position() const
{
    return m_service.positionUs();
}
bool MprisPlayer::canGoNext() const
{
    return m_service.canGoNext();
}
bool MprisPlayer::canGoPrevious() const
{
    return m_service.canGoPrevious();
}
bool MprisPlayer::canPlay() const
{
    return m_service.canPlay();
}
bool MprisPlayer::canPause() const
{
    return m_service.canPause();
}
bool MprisPlayer::canSeek() const
{
    return m_service.canSeek();
}

void MprisPlayer::Next()
{
    m_service.next();
}
void MprisPlayer::Previous()
{
    m_service.previous();
}
void MprisPlayer::Pause()
{
    m_service.pause();
}
void MprisPlayer::PlayPause()
{
    m_service.playPause();
}
void MprisPlayer::Stop()
{
    m_service.stop();
}
void MprisPlayer::Play()
{
    m_service.play();
}
void MprisPlayer::Seek(qlonglong Offset)
{
    m_service.seek(Offset);
}
void MprisPlayer::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    m_service.setPosition(TrackId, Position);
}
void MprisPlayer::OpenUri(const QString& Uri)
{
    m_service.openUri(Uri);
}

} // namespace cantorel::mpris
