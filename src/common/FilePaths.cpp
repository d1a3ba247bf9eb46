#include "common/FilePaths.h"

#include <QFileInfo>

namespace cantorel {

bool ordinaryFileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString existingFileName(const QString& path)
{
    return ordinaryFileExists(path) ? QFileInfo(path).fileName() : QString();
}

QString fileNamePart(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString cleanChosenPath(const QString& path)
{
    QString p = path;
    p.remove(QChar(u'\0'));
    return p.trimmed();
}

QString withExtensionRule(const QString& name, const QString& ext)
{
    QString n = cleanChosenPath(name);
    n.remove(ext, Qt::CaseSensitive);
    return n + ext;
}

} // namespace cantorel
