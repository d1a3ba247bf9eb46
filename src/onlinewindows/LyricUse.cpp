#include "onlinewindows/LyricUse.h"

#include "base/FilePaths.h"
#include "common/Prompts.h"
#include "lyrics/LyricFileReplacement.h"
#include "online/FetchedLyric.h"
#include "onlinewindows/FoundLyricShow.h"

namespace cantorel {

namespace {

using Kind = online::WrittenLyric::Kind;

QString saidOf(const online::WrittenLyric& w, bool shown)
{
    switch (w.kind) {
    case Kind::Synced:
        return shown ? QObject::tr("%1 written; the player shows it.").arg(fileNamePart(w.written))
                     : QObject::tr("%1 written.").arg(fileNamePart(w.written));
    case Kind::Plain:
        return QObject::tr("%1 written. A plain lyric has no times: \"Make timed lyric from it\" times it.")
            .arg(fileNamePart(w.written));
    case Kind::Instrumental:
        return QObject::tr("The song is instrumental: nothing was written.");
    case Kind::HasLyric:
        return QObject::tr("Nothing was written: the song keeps its lyric (%1).").arg(w.existing);
    case Kind::Failed:
    case Kind::ReadOnly:
        return shown ? QObject::tr("Shown, but not kept: %1").arg(w.error)
                     : QObject::tr("Nothing was written: %1").arg(w.error);
    case Kind::Nothing:
        break;
    }
    return QObject::tr("The record holds no lyric.");
}

} // namespace

LyricUse useRecord(Prompts& prompts, QWidget* owner, PlayerController& player, const QString& mediaPath,
                   const online::LrclibRecord& record)
{
    online::LookupResult result;
    result.outcome = online::outcomeOf(record);
    result.record = record;
    LyricUse use;
    use.written = online::writeFoundLyric(mediaPath, result, false);
    // A plain lyric can only take the place of a plain text.
    const bool replaceable = result.outcome == online::LookupResult::Outcome::Synced
                             || use.written.existing == fileNamePart(online::plainTargetOf(mediaPath));
    if (use.written.kind == Kind::HasLyric && replaceable) {
        const QString question = QObject::tr("%1 already has a lyric (%2). Replace it? What it has now is kept as "
                                             "a backup.")
                                     .arg(fileNamePart(mediaPath), use.written.existing);
        if (prompts.message(owner, question, Prompts::Buttons::YesNo, Prompts::Icon::Question) == Prompts::Answer::Yes)
            use.written = online::writeFoundLyric(mediaPath, result, true);
    }
    if (use.written.kind == Kind::ReadOnly
        && confirmReplacingReadOnlyLyric(prompts, owner, use.written.readOnly.value(0)))
        use.written = online::writeFoundLyric(mediaPath, result, true, ReadOnlyRule::Replace);
    use.shown = showFoundLyric(player, mediaPath, use.written, result);
    use.said = saidOf(use.written, use.shown);
    return use;
}

QString writeMakerSource(Prompts& prompts, QWidget* owner, const QString& mediaPath, const online::LrclibRecord& record,
                         QString* why)
{
    const QString target = online::plainTargetOf(mediaPath);
    if (!confirmReplacing(prompts, owner, target))
        return QString();
    const lyrics::ReplacementResult r =
        lyrics::replaceFiles({{target, online::plainFileText(online::plainLinesOf(record))}});
    if (!r.ok && why)
        *why = r.error;
    return r.ok ? target : QString();
}

} // namespace cantorel
