#pragma once
// Songs with a lyric pair beside them, for tests on the fake engine.
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "support/FakeAudioEngine.h"
#include "support/TestFiles.h"

#include <utility>
#include <vector>

namespace cantorel::testing {

using LyricLine = std::pair<double, QString>; // time in hundredths, text

// The records of a lyric file holding `lines`.
inline QByteArray lyricRecords(const std::vector<LyricLine>& lines)
{
    QByteArray out;
    for (const auto& [time, text] : lines)
        out += lyrics::lyricRecord(time, lyrics::escapeLine(text)).toUtf8();
    return out;
}

// Writes a song file at `path` (its bytes do not matter to the fake engine,
// which is told its length) with the given lyric and translation; an empty
// list writes no file.
inline QString writeLyricSong(FakeAudioEngine& engine, const QString& path, const std::vector<LyricLine>& lyric,
                              const std::vector<LyricLine>& translation, unsigned lengthMs)
{
    writeFile(path, "audio");
    engine.setMediaLength(path, lengthMs);
    if (!lyric.empty())
        writeFile(lyrics::lyricPathOf(path), lyricRecords(lyric));
    if (!translation.empty())
        writeFile(lyrics::translatedLyricPathOf(path), lyricRecords(translation));
    return path;
}

} // namespace cantorel::testing
