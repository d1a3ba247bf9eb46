#include "lyrics/LyricFiles.h"

#include "base/FilePaths.h"
#include "base/RecordForm.h"

namespace cantorel::lyrics {

QString lyricPathOf(const QString& mediaPath)
{
    return mediaPath + QStringLiteral("-lyric.txt");
}

QString translatedLyricPathOf(const QString& mediaPath)
{
    return mediaPath + QStringLiteral("-Tlyric.txt");
}

bool hasLyric(const QString& mediaPath)
{
    return ordinaryFileExists(lyricPathOf(mediaPath));
}

bool hasTranslation(const QString& mediaPath)
{
    return ordinaryFileExists(translatedLyricPathOf(mediaPath));
}

QString lyricRecord(double timeCentis, const QString& escapedText)
{
    return RecordWriter().number(timeCentis).text(escapedText).line() + QStringLiteral("\r\n");
}

} // namespace cantorel::lyrics
