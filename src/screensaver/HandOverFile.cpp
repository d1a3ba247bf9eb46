#include "screensaver/HandOverFile.h"

#include "common/ProgramDirectory.h"
#include "common/RecordForm.h"
#include "common/TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace cantorel::screensaver {

QString handOverPath()
{
    return programDirectory() + QStringLiteral("/hand.txt");
}

bool writeHandOver(const QString& path, const HandOver& handOver, QString* error)
{
    const QString text = RecordWriter().integer(handOver.lyricReceiver).line() + QStringLiteral("\r\n")
        + RecordWriter().integer(handOver.translatedReceiver).line() + QStringLiteral("\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeText(text)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<HandOver> readHandOver(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Small by nature; anything much larger is not a hand-over file.
    const QByteArray bytes = file.read(256);
    if (!file.atEnd() || bytes.count('\n') != 2 || !bytes.endsWith('\n'))
        return std::nullopt;
    const QStringList lines = splitLines(decodeText(bytes));
    if (lines.size() != 2)
        return std::nullopt;
    const auto first = parseInt32(lines[0]);
    const auto second = parseInt32(lines[1]);
    if (!first || !second)
        return std::nullopt;
    return HandOver{*first, *second};
}

} // namespace cantorel::screensaver
