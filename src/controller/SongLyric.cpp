#include "controller/SongLyric.h"

#include "base/FilePaths.h"
#include "controller/LineFollower.h"
#include "controller/LiveOffset.h"
#include "lyrics/LyricFiles.h"

namespace cantorel {

using lyrics::LyricLoad;

namespace {

bool holdsLyric(LyricLoad::Outcome outcome)
{
    return outcome == LyricLoad::Outcome::LyricOnly || outcome == LyricLoad::Outcome::WithTranslation;
}

// What the user is told of a lyric file that could not be read: the open
// names the error as it always has, a reload says what went wrong.
QString failureText(const lyrics::FoundLyric& found, bool newSong)
{
    if (newSong && found.load.error == LyricLoad::Error::FileNotFound)
        return QStringLiteral("File Not Found");
    if (newSong && found.load.error == LyricLoad::Error::DiskNotReady)
        return QStringLiteral("Disk Not Ready");
    return found.errorText;
}

// The lyric in place, as a load would have reported it.
lyrics::FoundLyric inPlace(const lyrics::LyricTable& table, const lyrics::LyricOrigin& origin)
{
    lyrics::FoundLyric found;
    found.origin = origin;
    found.load.outcome = table.noTranslation ? LyricLoad::Outcome::LyricOnly : LyricLoad::Outcome::WithTranslation;
    return found;
}

} // namespace

SongLyric::SongLyric(LyricClock& clock, QObject* parent)
    : QObject(parent), m_ownClock(clock), m_table(std::make_unique<lyrics::LyricTable>()),
      m_follower(new LineFollower(*m_table, clock, this)), m_offset(new LiveOffset(*m_table, this))
{
    connect(m_follower, &LineFollower::linesChanged, this, &SongLyric::linesChanged);
    connectOffset();
}

SongLyric::~SongLyric() = default;

void SongLyric::connectOffset()
{
    connect(m_offset, &LiveOffset::moved, this, [this](const QString& said) {
        Q_EMIT tableChanged();
        m_follower->lookUpNow();
        Q_EMIT offsetMoved(said);
    });
    connect(m_offset, &LiveOffset::reloaded, this, [this](const lyrics::LyricOrigin& origin) {
        m_lyricPath = origin.path;
        Q_EMIT lyricLoaded(inPlace(*m_table, origin), false);
    });
    connect(m_offset, &LiveOffset::saveFailed, this, [this](const QString& reason) {
        Q_EMIT message(
            {UserMessage::Kind::Warning, tr("The offset could not be kept in the lyric: %1").arg(reason), {}});
    });
    connect(m_offset, &LiveOffset::readOnlyRefused, this, &SongLyric::offsetNeedsReadOnlyReplace);
}

const lyrics::LyricOrigin& SongLyric::origin() const
{
    return m_offset->origin();
}

const LyricLines& SongLyric::lines() const
{
    return m_follower->lines();
}

// ---------------------------------------------------------------- loading

void SongLyric::leaveSong()
{
    if (m_table->noTranslation)
        m_follower->setTwoPanes(true);
}

void SongLyric::beginSong()
{
    m_currentLine = 1;
    m_table->lineCount = 1;
}

SongLyric::Load SongLyric::load(const QString& mediaPath, lyrics::FoundLyric* foundOut)
{
    m_elsewhere = false;
    // The lyric pair beside the song, else an LRC file, else one embedded in
    // the song (lyrics/LyricSource.h); a new song starts at offset 0.
    m_lyricPath = lyrics::lyricPathOf(mediaPath);
    m_offset->clear();
    const lyrics::FoundLyric found = lyrics::loadLyric(mediaPath, *m_table);
    if (foundOut)
        *foundOut = found;
    if (found.load.outcome == LyricLoad::Outcome::NoLyricFile) {
        Q_EMIT lyricLoaded(found, true);
        return Load::None;
    }
    m_lyricPath = found.origin.path;
    m_found = true;
    m_currentLine = m_table->lineCount;
    const bool adopted = adopt(found, true);
    Q_EMIT lyricLoaded(found, true);
    if (!adopted)
        return Load::Failed;
    m_loaded = true;
    return Load::Loaded;
}

lyrics::FoundLyric SongLyric::showSongOf(const QString& songPath)
{
    leaveSong();
    beginSong();
    lyrics::FoundLyric found;
    if (songPath.isEmpty())
        Q_EMIT lyricLoaded(found, true);
    if (songPath.isEmpty() || load(songPath, &found) != Load::Loaded) {
        forget();
        Q_EMIT tableChanged();
        return found;
    }
    songStarts();
    showCurrentLine();
    Q_EMIT tableChanged();
    m_follower->lookUpNow();
    return found;
}

bool SongLyric::adopt(const lyrics::FoundLyric& found, bool newSong)
{
    if (!holdsLyric(found.load.outcome)) {
        if (found.load.outcome == LyricLoad::Outcome::Failed) {
            if (const QString text = failureText(found, newSong); !text.isEmpty())
                Q_EMIT message({UserMessage::Kind::Plain, text, {}});
        }
        return false;
    }
    m_offset->reset(found.origin);
    m_follower->setTwoPanes(found.load.outcome == LyricLoad::Outcome::WithTranslation);
    return true;
}

void SongLyric::reload(const QString& mediaPath)
{
    if (mediaPath.isEmpty())
        return;
    const lyrics::FoundLyric found = lyrics::loadLyric(mediaPath, *m_table);
    // Read in the encoding chosen, the file may hold no lyric any more.
    const bool adopted = adopt(found, false);
    Q_EMIT lyricLoaded(found, false);
    if (!adopted)
        return;
    m_elsewhere = false;
    m_lyricPath = found.origin.path;
    Q_EMIT tableChanged();
    m_follower->lookUpNow();
}

void SongLyric::show(const lyrics::LyricTable& table, const lyrics::LyricOrigin& origin)
{
    *m_table = table;
    m_elsewhere = true;
    m_lyricPath = origin.path;
    m_loaded = true;
    m_found = true;
    m_noLyrics = false;
    m_follower->setNoLyrics(false);
    const lyrics::FoundLyric found = inPlace(table, origin);
    adopt(found, false);
    Q_EMIT lyricLoaded(found, false);
    Q_EMIT tableChanged();
    m_follower->turnOn();
    m_follower->lookUpNow();
}

void SongLyric::forget()
{
    m_follower->lineTimer().stop();
    m_loaded = false;
    m_found = false;
    m_noLyrics = true;
    m_follower->setNoLyrics(true);
    m_offset->clear();
    m_lyricPath.clear();
    m_follower->setTwoPanes(true);
    showPlaceholders();
}

// ---------------------------------------------------------------- lines

void SongLyric::songStarts()
{
    m_noLyrics = !m_elsewhere && !ordinaryFileExists(m_lyricPath);
    m_follower->setNoLyrics(m_noLyrics);
}

void SongLyric::showCurrentLine()
{
    m_follower->turnOn();
    // Right after a load the current line is one past the last, which shows
    // as the empty text until the lookup puts the first line in place.
    const int n = m_table->loadedLines();
    const bool inTable = m_currentLine >= 1 && m_currentLine <= n;
    if (!m_noLyrics)
        m_follower->showLine(inTable ? m_table->lines[m_currentLine] : QString(), inTable ? m_currentLine : -1);
}

void SongLyric::showPlaceholders()
{
    m_follower->showTexts(QStringLiteral("Normal Lyrics"), QStringLiteral("Translated Lyrics"));
}

void SongLyric::showStopped()
{
    m_follower->setTips(QStringLiteral("Lyrics"), QStringLiteral("Tranalated Lyrics"));
}

void SongLyric::lookUpNow()
{
    m_follower->lookUpNow();
}

void SongLyric::emphasise()
{
    m_follower->emphasise();
}

bool SongLyric::rulesOn() const
{
    return m_follower->isOn();
}

QTimer& SongLyric::lineTimer()
{
    return m_follower->lineTimer();
}

void SongLyric::follow(LyricClock* clock)
{
    m_follower->setClock(clock ? *clock : m_ownClock);
    m_follower->lookUpNow();
}

// ---------------------------------------------------------------- offset

void SongLyric::earlier()
{
    m_offset->earlier();
}

void SongLyric::later()
{
    m_offset->later();
}

void SongLyric::saveOffset(const QString& mediaPath)
{
    m_offset->save(mediaPath);
}

void SongLyric::saveOffsetReplacingReadOnly(const QString& mediaPath)
{
    m_offset->saveReplacingReadOnly(mediaPath);
}

qint64 SongLyric::offsetMs() const
{
    return m_offset->offsetMs();
}

} // namespace cantorel
