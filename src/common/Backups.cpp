#include "common/Backups.h"

#include <QFile>
#include <QFileInfo>

namespace cantorel {

QString backupPath(const QString& path, int generation)
{
    QString name = path + QStringLiteral(".bak");
    if (generation > 0)
        name += u'.' + QString::number(generation);
    return name;
}

namespace {

bool present(const QString& path)
{
    // A dangling link is still a name in the way.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString moveToBackup(const QString& path, QString* error)
{
    // The first free generation, then shift every older one up by one,
    // oldest first, so that no rename ever lands on an existing name.
    int free = 0;
    while (present(backupPath(path, free)))
        ++free;
    for (int g = free; g > 0; --g) {
        QFile older(backupPath(path, g - 1));
        if (!older.rename(backupPath(path, g))) {
            if (error)
                *error = older.errorString();
            return QString();
        }
    }
    QFile file(path);
    const QString backup = backupPath(path);
    if (!file.rename(backup)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    return backup;
}

bool restoreNewestBackup(const QString& path)
{
    const QString newest = backupPath(path);
    if (!present(newest))
        return false;
    if (present(path) && !QFile::remove(path))
        return false;
    if (!QFile::rename(newest, path))
        return false;
    for (int g = 1; present(backupPath(path, g)); ++g) {
        if (!QFile::rename(backupPath(path, g), backupPath(path, g - 1)))
            return false;
    }
    return true;
}

} // namespace cantorel
