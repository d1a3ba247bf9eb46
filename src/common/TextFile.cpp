#include "common/TextFile.h"

#include "common/FileNames.h"
#include "common/TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace cantorel {

TextFileRead readTextFile(const QString& path, qint64 maxBytes)
{
    TextFileRead result;
    const FileFacts facts = fileFacts(path);
    if (!facts.exists) {
        result.status = TextFileRead::Status::Missing;
        result.error = QStringLiteral("There is no such file.");
        return result;
    }
    if (!facts.isFile) {
        result.status = TextFileRead::Status::NotAFile;
        result.error = QStringLiteral("It is a folder, not a file.");
        return result;
    }
    QFile file;
    if (!openForReading(file, path, &result.error)) {
        result.status = TextFileRead::Status::Unreadable;
        return result;
    }
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = TextFileRead::Status::ReadFailed;
        result.error = file.errorString();
        return result;
    }
    if (bytes.size() > maxBytes) {
        result.status = TextFileRead::Status::TooLarge;
        result.error = QStringLiteral("The file is too large (over %1 bytes).").arg(maxBytes);
        return result;
    }
    result.status = TextFileRead::Status::Ok;
    result.text = decodeText(bytes);
    return result;
}

bool writeTextFile(const QString& path, const QString& text, QString* error)
{
    const QByteArray bytes = encodeText(text);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

} // namespace cantorel
