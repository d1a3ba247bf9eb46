#include "player/LyricNudge.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QWidget>

namespace cantorel {

LyricNudge::LyricNudge(lyrics::LyricTable& shown, QWidget& window, std::function<QString()> mediaPath, QObject* parent)
    : QObject(parent), m_shown(shown), m_mediaPath(std::move(mediaPath)), m_base(std::make_unique<lyrics::LyricTable>())
{
    struct Entry {
        const char* name;
        QString text;
        QKeySequence keys;
        void (LyricNudge::*slot)();
    };
    const Entry entries[] = {
        {"mn_earlier", tr("Lyric 0.1 s earlier"), QKeySequence(Qt::ALT | Qt::Key_Left), &LyricNudge::earlier},
        {"mn_later", tr("Lyric 0.1 s later"), QKeySequence(Qt::ALT | Qt::Key_Right), &LyricNudge::later},
        {"mn_saveoffset", tr("Save offset into the lyric"), QKeySequence(Qt::ALT | Qt::Key_S), &LyricNudge::save},
    };
    for (const Entry& e : entries) {
        auto* action = new QAction(e.text, &window);
        action->setObjectName(QLatin1String(e.name));
        action->setShortcut(e.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        connect(action, &QAction::triggered, this, e.slot);
        m_actions << action;
    }
}

LyricNudge::~LyricNudge() = default;

void LyricNudge::reset(const lyrics::LyricOrigin& origin)
{
    *m_base = m_shown;
    m_origin = origin;
    m_offsetMs = 0;
}

void LyricNudge::clear()
{
    m_origin = lyrics::LyricOrigin();
    m_offsetMs = 0;
}

void LyricNudge::earlier()
{
    move(lyrics::kOffsetStepMs);
}

void LyricNudge::later()
{
    move(-lyrics::kOffsetStepMs);
}

void LyricNudge::move(qint64 deltaMs)
{
    if (!hasLyric())
        return;
    m_offsetMs = lyrics::boundedOffset(m_offsetMs + deltaMs);
    lyrics::applyOffset(*m_base, m_offsetMs, m_shown);
    Q_EMIT moved(lyrics::offsetText(m_offsetMs));
}

void LyricNudge::save()
{
    saveWith(ReadOnlyRule::Refuse);
}

void LyricNudge::saveReplacingReadOnly()
{
    saveWith(ReadOnlyRule::Replace);
}

void LyricNudge::saveWith(ReadOnlyRule readOnly)
{
    if (!hasLyric())
        return;
    const QString mediaPath = m_mediaPath();
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
