#include "playlist/PlaylistFile.h"

#include "common/FilePaths.h"
#include "common/RecordForm.h"
#include "common/TextCodec.h"
#include "common/TextFile.h"


namespace cantorel {

QString playlistFileName(const QString& chosen)
{
    return withExtensionRule(chosen, QStringLiteral(".mmr"));
}

bool savePlaylist(const QString& fileName, const QStringList& paths, QString* error)
{
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
    for (const QString& line : splitLines(read.text)) {
        for (const QString& record : parseRecord(line)) {
            if (!record.isEmpty())
                paths->append(record);
        }
    }
    return true;
}

} // namespace cantorel
