#include "playlist/PlaylistFile.h"

#include "base/FilePaths.h"
#include "base/RecordForm.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"

namespace cantorel {

QString playlistFileName(const QString& chosen)
{
    return withExtensionRule(chosen, QStringLiteral(".mmr"));
}

QString unstorablePath(const QStringList& paths)
{
    for (const QString& p : paths) {
        if (p.contains(u'"') || p.contains(u'\n') || p.contains(u'\r') || p.contains(QChar(u'\0')))
            return p;
    }
    return QString();
}

bool savePlaylist(const QString& fileName, const QStringList& paths, QString* error)
{
    if (const QString bad = unstorablePath(paths); !bad.isEmpty()) {
        *error = QStringLiteral("the song %1 has a character in its name that a playlist file cannot hold").arg(bad);
        return false;
    }
    QString text;
    for (const QString& p : paths)
        text += RecordWriter().text(p).line() + QStringLiteral("\r\n");
    return writeTextFile(fileName, text, error);
}

bool loadPlaylist(const QString& fileName, QStringList* paths, QString* error)
{
    const TextFileRead read = readTextFile(fileName);
    if (!read.ok()) {
        *error = read.error;
        return false;
    }
    // A playlist is text: a control character (a NUL above all) means some
    // other kind of file was picked.
    for (const QChar c : read.text) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7f && u <= 0x9f); // Unicode's control characters
        if (control && u != u'\t' && u != u'\r' && u != u'\n') {
            *error = QStringLiteral("it is not a playlist (it is not text with one song path per line)");
            return false;
        }
    }
    QStringList found;
    for (const QString& line : splitLines(read.text)) {
        for (const QString& record : parseRecord(line)) {
            if (!record.isEmpty())
                found.append(record);
        }
    }
    paths->append(found);
    return true;
}

} // namespace cantorel
