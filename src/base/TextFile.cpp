#include "base/TextFile.h"

#include "base/FileNames.h"
#include "base/TextCodec.h"

#include <QFile>

namespace cantorel {

namespace {

// The first line (from 1) holding a surrogate without its partner, which UTF-8
// cannot encode, or 0.
qsizetype lineWithLoneSurrogate(const QString& text)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n')
            ++line;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return line;
    }
    return 0;
}

} // namespace

TextFileRead readTextFile(const QString& path, qint64 maxBytes)
{
    return readTextFile(path, decodeText, maxBytes);
}

TextFileRead readTextFile(const QString& path, const std::function<QString(const QByteArray&)>& decode, qint64 maxBytes)
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
    result.text = decode(bytes);
    return result;
}

std::optional<QByteArray> textFileBytes(const QString& text, QString* error)
{
    if (const qsizetype line = lineWithLoneSurrogate(text)) {
        if (error) {
            *error = QStringLiteral("Line %1 holds a file name that is not valid UTF-8, which a text "
                                    "file cannot keep: %2. Nothing on disk was changed.")
                         .arg(line)
                         .arg(QString::fromUtf8(splitLines(text).value(line - 1).toUtf8())); // lone halves as "?"
        }
        return std::nullopt;
    }
    return encodeText(text);
}

bool writeTextFile(const QString& path, const QString& text, QString* error, LinkRule links)
{
    const std::optional<QByteArray> bytes = textFileBytes(text, error);
    return bytes && replaceFile(path, *bytes, links, error);
}

} // namespace cantorel
