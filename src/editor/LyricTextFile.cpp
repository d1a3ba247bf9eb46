#include "editor/LyricTextFile.h"

#include "base/FilePaths.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"

namespace cantorel::editor {

LyricTextRead readLyricText(const QString& path)
{
    LyricTextRead result;
    const TextFileRead read = readTextFile(path);
    if (!read.ok()) {
        result.error = read.error;
        return result;
    }
    result.lines = splitLines(read.text);
    result.ok = true;
    return result;
}

QString writeLyricText(const QString& path, const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    QString error;
    return writeTextFile(path, text, &error) ? QString() : error; // a failure always says why
}

QString lyricSaveName(const QString& chosen)
{
    return withExtensionRule(cleanChosenPath(chosen), QStringLiteral(".txt"));
}

} // namespace cantorel::editor
