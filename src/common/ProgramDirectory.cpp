#include "common/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace cantorel {

namespace {
QString g_override;

QString perUserDirectory()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString dir = base + QStringLiteral("/Cantorel");
    QDir().mkpath(dir);
    return dir;
}
} // namespace

QString executableDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString programDirectory()
{
    if (!g_override.isEmpty())
        return g_override;
    const QString exe = executableDirectory();
    const QFileInfo info(exe);
    if (info.isDir() && info.isWritable())
        return exe;
    return perUserDirectory();
}

QString bundledDataPath(const QString& relative)
{
    const QString exe = executableDirectory();
    const QStringList candidates = {
        exe + u'/' + relative,
        exe + QStringLiteral("/../share/cantorel/") + relative,
    };
    for (const QString& c : candidates) {
        if (QFileInfo::exists(c))
            return QDir::cleanPath(c);
    }
    return QDir::cleanPath(candidates.first());
}

ScopedProgramDirectory::ScopedProgramDirectory(const QString& path)
    : m_previous(g_override)
{
    g_override = path;
}

ScopedProgramDirectory::~ScopedProgramDirectory()
{
    g_override = m_previous;
}

} // namespace cantorel
