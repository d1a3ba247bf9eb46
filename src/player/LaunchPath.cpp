#include "player/LaunchPath.h"

#include "common/FileNames.h"
#include "common/FilePaths.h"
#include "lyrics/LyricSource.h"

#include <QByteArray>
#include <cerrno>
#include <unistd.h>

namespace cantorel {

QString launchPath(const QString& commandLine, const QString& workingFolder)
{
    QString path = commandLine;
    path.remove(u'"');
    path = cleanChosenPath(path);
    if (path.isEmpty())
        return QString();
    if (!path.startsWith(u'/') && !workingFolder.isEmpty())
        path = workingFolder + (workingFolder.endsWith(u'/') ? QString() : QStringLiteral("/")) + path;
    if (const QString song = lyrics::songOfLrcFile(path); !song.isEmpty())
        return song;
    return path;
}

QString workingFolder()
{
    QByteArray buffer(4096, '\0');
    while (::getcwd(buffer.data(), size_t(buffer.size())) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1 << 20))
            return QString();
        buffer.resize(buffer.size() * 2);
    }
    return decodeFileName(QByteArray(buffer.constData()));
}

} // namespace cantorel
