#include "controller/LiveOffset.h"

#include <QFileInfo>

namespace cantorel {

LiveOffset::LiveOffset(lyrics::LyricTable& shown, QObject* parent)
    : QObject(parent), m_shown(shown), m_base(std::make_unique<lyrics::LyricTable>())
{}

LiveOffset::~LiveOffset() = default;

void LiveOffset::reset(const lyrics::LyricOrigin& origin)
{
    *m_base = m_shown;
    m_origin = origin;
    m_offsetMs = 0;
}

void LiveOffset::clear()
{
    m_origin = lyrics::LyricOrigin();
    m_offsetMs = 0;
}

void LiveOffset::earlier()
{
    move(lyrics::kOffsetStepMs);
}

void LiveOffset::later()
{
    move(-lyrics::kOffsetStepMs);
}

void LiveOffset::move(qint64 deltaMs)
{
    if (!hasLyric())
        return;
    m_offsetMs = lyrics::boundedOffset(m_offsetMs + deltaMs);
    lyrics::applyOffset(*m_base, m_offsetMs, m_shown);
    Q_EMIT moved(lyrics::offsetText(m_offsetMs));
}

void LiveOffset::save(const QString& mediaPath)
{
    saveWith(mediaPath, ReadOnlyRule::Refuse);
}

void LiveOffset::saveReplacingReadOnly(const QString& mediaPath)
{
    saveWith(mediaPath, ReadOnlyRule::Replace);
}

void LiveOffset::saveWith(const QString& mediaPath, ReadOnlyRule readOnly)
{
    if (!hasLyric())
        return;
    const lyrics::OffsetSave saved = lyrics::saveOffsetIntoLyric(mediaPath, m_origin, m_offsetMs, readOnly);
    if (!saved.ok && !saved.readOnly.isEmpty()) {
        QStringList names;
        for (const QString& path : saved.readOnly)
            names << QFileInfo(path).fileName();
        Q_EMIT readOnlyRefused(tr("The lyric file %1 is read-only. Replace it anyway to keep the offset?")
                                   .arg(names.join(QStringLiteral(", "))));
        return;
    }
    if (!saved.ok) {
        Q_EMIT saveFailed(saved.error);
        return;
    }
    // The lyric as it is now on disk (its source may have changed: an
    // embedded lyric is kept as an LRC file beside the song).
    const lyrics::FoundLyric found = lyrics::loadLyric(mediaPath, m_shown);
    using Outcome = lyrics::LyricLoad::Outcome;
    if (found.load.outcome == Outcome::LyricOnly || found.load.outcome == Outcome::WithTranslation) {
        reset(found.origin);
        Q_EMIT reloaded(found.origin);
    }
    QString said = tr("Offset kept in %1").arg(QFileInfo(saved.written).fileName());
    if (!saved.notes.isEmpty())
        said += QStringLiteral(" (") + saved.notes.join(QStringLiteral("; ")) + u')';
    Q_EMIT moved(said);
}

} // namespace cantorel
