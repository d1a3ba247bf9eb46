#include "common/MediaFiles.h"

namespace cantorel {

QList<Prompts::FileFilter> mediaFileFilters()
{
    return {
        {QStringLiteral("Mp3 files (*.mp3)"), QStringLiteral("*.mp3")},
        {QStringLiteral("Mp2 files (*.mp2)"), QStringLiteral("*.mp2")},
        {QStringLiteral("Ogg files(*.ogg)"), QStringLiteral("*.ogg")},
        {QStringLiteral("Wave (*.wav)"), QStringLiteral("*.wav")},
        {QStringLiteral("Windows media audio files (*.wma)"), QStringLiteral("*.wma")},
    };
}

bool isPlayerSongPath(const QString& path)
{
    const QString tail = path.right(4).toLower();
    return tail == QLatin1String(".mp3") || tail == QLatin1String(".mp2") || tail == QLatin1String(".ogg")
           || tail == QLatin1String(".wav") || tail == QLatin1String(".wma");
}

} // namespace cantorel
