#include "follow/TrackLyric.h"

#include "controller/LineFollower.h"

namespace cantorel::follow {

TrackLyric::TrackLyric(LyricClock& clock, QObject* parent)
    : QObject(parent), m_table(std::make_unique<lyrics::LyricTable>()),
      m_follower(new LineFollower(*m_table, clock, this))
{
    m_follower->turnOn();
    m_follower->setNoLyrics(true);
    connect(m_follower, &LineFollower::linesChanged, this, &TrackLyric::linesChanged);
}

TrackLyric::~TrackLyric() = default;

lyrics::FoundLyric TrackLyric::load(const QString& songPath)
{
    // A table that no lyric was loaded into is never read.
    lyrics::FoundLyric found;
    if (!songPath.isEmpty())
        found = lyrics::loadLyric(songPath, *m_table);
    const auto outcome = found.load.outcome;
    m_hasLyric =
        outcome == lyrics::LyricLoad::Outcome::LyricOnly || outcome == lyrics::LyricLoad::Outcome::WithTranslation;
    m_follower->setNoLyrics(!m_hasLyric);
    m_follower->showTexts(QString(), QString());
    m_follower->lookUpNow();
    Q_EMIT linesChanged();
    return found;
}

QString TrackLyric::line() const
{
    return m_hasLyric ? m_follower->lines().panes.text1 : QString();
}

QString TrackLyric::translation() const
{
    return hasTranslation() ? m_follower->lines().panes.text2 : QString();
}

void TrackLyric::clockChanged()
{
    m_follower->lookUpNow();
}

} // namespace cantorel::follow
