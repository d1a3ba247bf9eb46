#include "onlinewindows/MissingLyricLookup.h"

#include "base/FilePaths.h"
#include "controller/PlayerController.h"
#include "online/FetchedLyric.h"
#include "online/FoundLyricFiles.h"
#include "online/OffThread.h"
#include "onlinewindows/FoundLyricShow.h"
#include "onlinewindows/OnlineServices.h"

#include <memory>

namespace cantorel {

MissingLyricLookup::MissingLyricLookup(PlayerController& player, OnlineServices& services, QObject* parent)
    : QObject(parent), m_player(player), m_services(services), m_writes(std::make_unique<online::OffThread>(this))
{
    connect(&m_player, &PlayerController::lyricLoaded, this, &MissingLyricLookup::lyricLoaded);
}

MissingLyricLookup::~MissingLyricLookup() = default;

void MissingLyricLookup::setOn(bool on)
{
    m_on = on;
    if (!on && m_job)
        m_job->cancel();
}

void MissingLyricLookup::lyricLoaded(const lyrics::FoundLyric& found, bool newSong)
{
    if (!newSong)
        return;
    if (m_job)
        m_job->cancel(); // the song it was for has gone
    // A track of another player being followed is not the player's song
    // (its signature comes from the follower).
    if (!m_on || m_player.following() || found.load.outcome != lyrics::LyricLoad::Outcome::NoLyricFile)
        return;
    if (!m_services.lookup()) {
        Q_EMIT noted(m_services.problem());
        return;
    }
    const QString path = m_player.mediaPath();
    const online::SongSignature song = online::signatureOfSong(path, m_player.songLengthMs());
    if (!song.usable())
        return;
    m_job = m_services.lookup()->find(song);
    connect(m_job, &online::LookupJob::finished, this,
            [this, path](const online::LookupResult& r) { answered(path, r); });
}

void MissingLyricLookup::lookUpTrack(const online::SongSignature& song, std::function<bool()> stillWanted)
{
    if (m_job)
        m_job->cancel(); // the track it was for has gone
    if (!m_on || !song.usable())
        return;
    if (!m_services.lookup()) {
        Q_EMIT noted(m_services.problem());
        return;
    }
    m_job = m_services.lookup()->find(song);
    connect(m_job, &online::LookupJob::finished, this,
            [this, title = song.title, stillWanted = std::move(stillWanted)](const online::LookupResult& r) {
                if (m_player.following() && stillWanted())
                    trackAnswered(title, r);
            });
}

void MissingLyricLookup::trackAnswered(const QString& title, const online::LookupResult& result)
{
    using Outcome = online::LookupResult::Outcome;
    switch (result.outcome) {
    case Outcome::Synced: {
        auto table = std::make_unique<lyrics::LyricTable>();
        lyrics::fillTable(online::timedLyricOf(result.record), *table);
        m_player.showLyric(*table, {});
        Q_EMIT noted(tr("Lyric found online for %1").arg(title));
        break;
    }
    case Outcome::Plain:
        Q_EMIT noted(tr("Only a plain lyric was found online for %1").arg(title));
        break;
    case Outcome::Instrumental:
        Q_EMIT noted(tr("%1 is instrumental, says the lyric server.").arg(title));
        break;
    case Outcome::NotFound:
    case Outcome::Failed:
        break;
    }
}

void MissingLyricLookup::answered(const QString& mediaPath, const online::LookupResult& result)
{
    using Outcome = online::LookupResult::Outcome;
    if (m_player.following() || m_player.mediaPath() != mediaPath
        || !(result.found() || result.outcome == Outcome::Instrumental))
        return;
    m_writes->run<online::WrittenLyric>(
        [mediaPath, result] { return online::writeFoundLyric(mediaPath, result, false); },
        [this, mediaPath, result](const online::WrittenLyric& written) { kept(mediaPath, result, written); });
}

void MissingLyricLookup::kept(const QString& mediaPath, const online::LookupResult& result,
                              const online::WrittenLyric& written)
{
    if (m_player.following() || m_player.mediaPath() != mediaPath)
        return; // written beside its song; another song plays now
    const bool shown = showFoundLyric(m_player, mediaPath, written, result);
    switch (written.kind) {
    case online::WrittenLyric::Kind::Synced:
        Q_EMIT noted(tr("Lyric found online: %1").arg(fileNamePart(written.written)));
        break;
    case online::WrittenLyric::Kind::Plain:
        Q_EMIT noted(
            tr("A plain lyric was found online: %1 (the Lyric Maker can time it)").arg(fileNamePart(written.written)));
        break;
    case online::WrittenLyric::Kind::Instrumental:
        Q_EMIT noted(tr("The song is instrumental, says the lyric server."));
        break;
    case online::WrittenLyric::Kind::Failed:
    case online::WrittenLyric::Kind::ReadOnly:
        Q_EMIT noted(shown ? tr("Lyric found online, shown but not kept: %1").arg(written.error)
                           : tr("The lyric found online could not be kept: %1").arg(written.error));
        break;
    case online::WrittenLyric::Kind::HasLyric:
    case online::WrittenLyric::Kind::Nothing:
        break;
    }
}

} // namespace cantorel
