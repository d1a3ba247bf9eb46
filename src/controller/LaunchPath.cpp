#include "controller/LaunchPath.h"

#include "base/FileNames.h"
#include "lyrics/LyricSource.h"

#include <QByteArray>
#include <QUrl>
#include <cerrno>
#include <unistd.h>

namespace cantorel {

namespace {

QString inFolder(const QString& path, const QString& folder)
{
    if (path.isEmpty() || path.startsWith(u'/') || folder.isEmpty())
        return path;
    return folder + (folder.endsWith(u'/') ? QString() : QStringLiteral("/")) + path;
}

bool namesSomething(const QString& path, const QString& folder)
{
    return !path.isEmpty() && fileFacts(inFolder(path, folder)).exists;
}

} // namespace

QString typedPath(const QString& argument, const QString& workingFolder)
{
    QString path = argument;
    path.remove(QChar(u'\0'));
    if (namesSomething(path, workingFolder))
        return path;
    path = path.trimmed();
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"')) {
        path = path.mid(1, path.size() - 2);
        if (namesSomething(path, workingFolder))
            return path;
        path = path.trimmed();
    }
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return localFilePath(QUrl(path));
    return path;
}

QString songToOpen(const QString& path)
{
    if (const QString song = lyrics::songOfLrcFile(path); !song.isEmpty())
        return song;
    return path;
}

QString launchPath(const QString& argument, const QString& workingFolder)
{
    return songToOpen(inFolder(typedPath(argument, workingFolder), workingFolder));
}

QStringList launchPaths(const QStringList& arguments, const QString& workingFolder)
{
    if (arguments.size() > 1 && !namesSomething(typedPath(arguments.first(), workingFolder), workingFolder)) {
        const QString words = arguments.join(u' ');
        if (namesSomething(words, workingFolder))
            return {launchPath(words, workingFolder)};
    }
    QStringList paths;
    for (const QString& argument : arguments) {
        if (QString path = launchPath(argument, workingFolder); !path.isEmpty())
            paths << path;
    }
    return paths;
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
