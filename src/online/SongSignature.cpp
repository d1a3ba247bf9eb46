#include "online/SongSignature.h"

#include "lyrics/SongTags.h"

#include <QFileInfo>

namespace cantorel::online {

int SongSignature::durationSeconds() const
{
    return lengthMs > 0 ? int((lengthMs + 500) / 1000) : 0;
}

QString cleanSignatureField(const QString& text)
{
    QString clean;
    clean.reserve(qMin(text.size(), qsizetype(kMaxSignatureFieldChars) * 2));
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            continue;
        clean.append(c);
        if (clean.size() > kMaxSignatureFieldChars * 2)
            break;
    }
    return clean.trimmed().left(kMaxSignatureFieldChars);
}

NamedSong songOfFileName(const QString& mediaPath)
{
    const QString name = QFileInfo(mediaPath).completeBaseName();
    const qsizetype dash = name.indexOf(QLatin1String(" - "));
    if (dash < 0)
        return {QString(), cleanSignatureField(name)};
    return {cleanSignatureField(name.left(dash)), cleanSignatureField(name.mid(dash + 3))};
}

SongSignature signatureOfSong(const QString& mediaPath, qint64 lengthMs)
{
    const lyrics::SongTags tags = lyrics::readSongTags(mediaPath);
    SongSignature s {cleanSignatureField(tags.title), cleanSignatureField(tags.artist), cleanSignatureField(tags.album),
                     lengthMs};
    if (s.title.isEmpty() || s.artist.isEmpty()) {
        const NamedSong named = songOfFileName(mediaPath);
        if (s.title.isEmpty())
            s.title = named.title;
        if (s.artist.isEmpty())
            s.artist = named.artist;
    }
    return s;
}

} // namespace cantorel::online
