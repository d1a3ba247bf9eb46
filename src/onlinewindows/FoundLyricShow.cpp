#include "onlinewindows/FoundLyricShow.h"

#include "controller/PlayerController.h"
#include "lyrics/LyricSource.h"
#include "online/FetchedLyric.h"

#include <memory>

namespace cantorel {

bool showLyricOnDisk(PlayerController& player, const QString& mediaPath)
{
    if (!player.hasSong() || player.mediaPath() != mediaPath)
        return false;
    auto table = std::make_unique<lyrics::LyricTable>();
    const lyrics::FoundLyric found = lyrics::loadLyric(mediaPath, *table);
    const auto outcome = found.load.outcome;
    if (outcome != lyrics::LyricLoad::Outcome::LyricOnly && outcome != lyrics::LyricLoad::Outcome::WithTranslation)
        return false;
    player.showLyric(*table, found.origin);
    return true;
}

bool showFoundLyric(PlayerController& player, const QString& mediaPath, const online::WrittenLyric& written,
                    const online::LookupResult& fetched)
{
    using Kind = online::WrittenLyric::Kind;
    if (!player.hasSong() || player.mediaPath() != mediaPath)
        return false;
    if (written.kind == Kind::Synced)
        return showLyricOnDisk(player, mediaPath);
    auto table = std::make_unique<lyrics::LyricTable>();
    if ((written.kind == Kind::Failed || written.kind == Kind::ReadOnly)
        && fetched.outcome == online::LookupResult::Outcome::Synced) {
        // Not kept anywhere: shown for this play, with no file to save an
        // offset into.
        lyrics::fillTable(online::timedLyricOf(fetched.record), *table);
        player.showLyric(*table, {});
        return true;
    }
    return false;
}

} // namespace cantorel
