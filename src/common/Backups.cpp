#include "common/Backups.h"

#include "common/FileNames.h"

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
    return nameKind(path) != NameKind::None; // a dangling link is in the way too
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
        if (!renameFile(backupPath(path, g - 1), backupPath(path, g), error))
            return QString();
    }
    const QString backup = backupPath(path);
    return renameFile(path, backup, error) ? backup : QString();
}

bool restoreNewestBackup(const QString& path)
{
    const QString newest = backupPath(path);
    if (!present(newest))
        return false;
    if (present(path) && !removeFile(path))
        return false;
    if (!renameFile(newest, path))
        return false;
    for (int g = 1; present(backupPath(path, g)); ++g) {
        if (!renameFile(backupPath(path, g), backupPath(path, g - 1)))
            return false;
    }
    return true;
}

} // namespace cantorel
