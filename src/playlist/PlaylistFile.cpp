#include "playlist/PlaylistFile.h"

#include "common/FilePaths.h"
#include "common/RecordForm.h"
#include "common/TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace cantorel {

QString playlistFileName(const QString& chosen)
{
    return withExtensionRule(chosen, QStringLiteral(".mmr"));
}

bool savePlaylist(const QString& fileName, const QStringList& paths, QString* error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QString text;
    for (const QString& p : paths)
        text += RecordWriter().text(p).line() + QStringLiteral("\r\n");
    file.write(encodeText(text));
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool loadPlaylist(const QString& fileName, QStringList* paths, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    for (const QString& line : splitLines(decodeText(bytes))) {
        for (const QString& record : parseRecord(line)) {
            if (!record.isEmpty())
                paths->append(record);
        }
    }
    return true;
}

} // namespace cantorel
