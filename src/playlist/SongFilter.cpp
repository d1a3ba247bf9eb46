#include "playlist/SongFilter.h"

namespace cantorel {

namespace {

bool tailHasAny(const QString& name, std::initializer_list<const char*> needles)
{
    const QString tail = name.right(6);
    for (const char* n : needles) {
        if (tail.contains(QLatin1String(n), Qt::CaseSensitive))
            return true;
    }
    return false;
}

} // namespace

bool isScannedSong(const QString& name)
{
    return tailHasAny(name, {".mp3", ".mp2", ".ogg", "wav", ".wma"});
}

bool isDroppedSong(const QString& path)
{
    return tailHasAny(path, {".mp3", ".ogg", ".wav", ".wma", ".mp2"});
}

} // namespace cantorel
