#include "common/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#ifndef CANTOREL_DATA_FROM_BIN
#define CANTOREL_DATA_FROM_BIN "../share/cantorel"
#endif

namespace cantorel {

namespace {

// The XDG folder, or its usual place in the home folder when unset.
QString xdgBase(QStandardPaths::StandardLocation location, const char* fallback)
{
    const QString base = QStandardPaths::writableLocation(location);
    return base.isEmpty() ? QDir::homePath() + QLatin1String(fallback) : base;
}

QString dataBase()
{
    return xdgBase(QStandardPaths::GenericDataLocation, "/.local/share");
}

} // namespace

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
    return xdgBase(QStandardPaths::GenericConfigLocation, "/.config") + QStringLiteral("/cantorel");
}

QString userDataDirectory()
{
    return dataBase() + QStringLiteral("/cantorel");
}

QString runtimeDirectory(QString* problem)
{
    auto fail = [&](const QString& why) {
        if (problem)
            *problem = why;
        return QString();
    };
    const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        return fail(QStringLiteral("There is no runtime folder: XDG_RUNTIME_DIR is not set or names no usable "
                                   "folder, and no private folder could be made in %1")
                        .arg(QDir::tempPath()));
    if (const QFileInfo info(base); !info.isDir() || !info.isWritable())
        return fail(QStringLiteral("The runtime folder %1 is not a writable folder").arg(base));

    const QString folder = base + QStringLiteral("/cantorel");
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return fail(QStringLiteral("Cannot make %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    // Only a real folder of this user's is used; the runtime folder is
    // private already, so this guards against mistakes more than attacks.
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return fail(QStringLiteral("%1 is not a folder of this user's").arg(folder));
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(name.constData(), S_IRWXU) != 0)
        return fail(QStringLiteral("%1 is open to other users").arg(folder));
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
    for (const QString& former : {executableDirectory(), dataBase() + QStringLiteral("/Cantorel")}) {
        const QString old = former + u'/' + name;
        if (QFileInfo(old).isFile()) {
            QFile::copy(old, path);
            break;
        }
    }
    return path;
}

} // namespace cantorel
