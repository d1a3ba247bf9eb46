#include "common/FilePaths.h"

#include "common/FileNames.h"

#include <QFileInfo>

namespace cantorel {

bool ordinaryFileExists(const QString& path)
{
    return !path.isEmpty() && fileFacts(path).isFile;
}

QString existingFileName(const QString& path)
{
    return ordinaryFileExists(path) ? fileNamePart(path) : QString();
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
