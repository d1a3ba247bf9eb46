#include "playlist/SongFilter.h"

#include "base/FileNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace cantorel {

namespace {

using Needles = std::array<const char*, 5>;
constexpr Needles kScanned {".mp3", ".mp2", ".ogg", "wav", ".wma"};
constexpr Needles kDropped {".mp3", ".ogg", ".wav", ".wma", ".mp2"};

bool tailHasAny(const QString& name, const Needles& needles)
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
    return tailHasAny(name, kScanned);
}

bool isScannedSongBytes(QByteArrayView name)
{
    // Six ASCII bytes at the end are the name's last six characters, and
    // the strings are ASCII: the bytes answer without decoding the name.
    const QByteArrayView tail = name.last(std::min<qsizetype>(6, name.size()));
    if (std::any_of(tail.begin(), tail.end(), [](char c) { return uchar(c) >= 0x80; }))
        return isScannedSong(decodeFileName(name.toByteArray()));
    const std::string_view t(tail.data(), size_t(tail.size()));
    return std::any_of(kScanned.begin(), kScanned.end(),
                       [&](const char* n) { return t.find(n) != std::string_view::npos; });
}

bool isDroppedSong(const QString& path)
{
    return tailHasAny(path, kDropped);
}

} // namespace cantorel
