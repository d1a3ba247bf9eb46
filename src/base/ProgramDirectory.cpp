#include "base/ProgramDirectory.h"

#include "base/XdgFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef CANTOREL_DATA_FROM_BIN
#define CANTOREL_DATA_FROM_BIN "../share/cantorel"
#endif

namespace cantorel {

QString executableDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString bundledDataPath(const QString& relative)
{
    const QString exe = executableDirectory();
    const QStringList candidates = {
        exe + u'/' + relative,
        exe + QStringLiteral("/" CANTOREL_DATA_FROM_BIN "/") + relative,
    };
    for (const QString& c : candidates) {
        if (QFileInfo::exists(c))
            return QDir::cleanPath(c);
    }
    return QDir::cleanPath(candidates.first());
}

QString configDirectory()
{
    return xdgConfigHome() + QStringLiteral("/cantorel");
}

QString userDataDirectory()
{
    return xdgDataHome() + QStringLiteral("/cantorel");
}

QString cacheDirectory()
{
    return xdgCacheHome() + QStringLiteral("/cantorel");
}

QString runtimeDirectory(QString* problem)
{
    auto fail = [&](const QString& why) {
        if (problem)
            *problem = why;
        return QString();
    };
    QString why;
    const QString base = xdgRuntimeDir(&why);
    if (base.isEmpty())
        return fail(QStringLiteral("There is no runtime folder: XDG_RUNTIME_DIR is not set or not an absolute "
                                   "path, and no private folder could be made instead (%1)")
                        .arg(why));
    if (const QFileInfo info(base); !info.isDir() || !info.isWritable())
        return fail(QStringLiteral("The runtime folder %1 is not a writable folder").arg(base));

    // Only a real folder of this user's is used; the runtime folder is
    // private already, so this guards against mistakes more than attacks.
    const QString folder = base + QStringLiteral("/cantorel");
    if (!makePrivateFolder(folder, problem))
        return QString();
    if (problem)
        problem->clear();
    return folder;
}

QString adoptFormerSettingsFile(const QString& name)
{
    const QString folder = configDirectory();
    const QString path = folder + u'/' + name;
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder))
        return path;
    for (const QString& former : {executableDirectory(), xdgDataHome() + QStringLiteral("/Cantorel")}) {
        const QString old = former + u'/' + name;
        if (QFileInfo(old).isFile()) {
            QFile::copy(old, path);
            break;
        }
    }
    return path;
}

} // namespace cantorel
