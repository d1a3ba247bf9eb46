#include "editor/LyricTextFile.h"

#include "common/FilePaths.h"
#include "common/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace cantorel::editor {

LyricTextRead readLyricText(const QString& path)
{
    LyricTextRead result;
    const QFileInfo info(path);
    if (info.isDir()) {
        result.error = QStringLiteral("It is a folder, not a file.");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.size() > kLyricTextMaxBytes) {
        result.error = QStringLiteral("The file is too large for a lyric (%1 bytes).").arg(file.size());
        return result;
    }
    const QByteArray bytes = file.read(kLyricTextMaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (bytes.size() > kLyricTextMaxBytes) {
        result.error = QStringLiteral("The file is too large for a lyric.");
        return result;
    }
    result.lines = splitLines(decodeText(bytes));
    result.ok = true;
    return result;
}

QString writeLyricText(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeText(line);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString lyricSaveName(const QString& chosen)
{
    return withExtensionRule(cleanChosenPath(chosen), QStringLiteral(".txt"));
}

} // namespace cantorel::editor
