#include "base/FilePaths.h"

#include "base/FileNames.h"

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
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString cleanChosenPath(const QString& path)
{
    QString p = path;
    p.remove(QChar(u'\0'));
    if (!p.isEmpty() && p.trimmed() != p && fileFacts(p).exists)
        return p;
    return p.trimmed();
}

QString withExtensionRule(const QString& name, const QString& ext)
{
    // The rule is about the file's name: the folders on the way keep theirs.
    const QString path = cleanChosenPath(name);
    const qsizetype slash = path.lastIndexOf(u'/') + 1;
    QString file = path.mid(slash);
    file.remove(ext, Qt::CaseSensitive);
    return path.left(slash) + file + ext;
}

} // namespace cantorel
