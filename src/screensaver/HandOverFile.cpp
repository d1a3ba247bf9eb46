#include "screensaver/HandOverFile.h"

#include "base/ProgramDirectory.h"
#include "base/RecordForm.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"

namespace cantorel::screensaver {

QString handOverPath(QString* problem)
{
    const QString folder = runtimeDirectory(problem);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/hand.txt");
}

bool writeHandOver(const QString& path, const HandOver& handOver, QString* error)
{
    const QString text = RecordWriter().integer(handOver.lyricReceiver).line() + QStringLiteral("\r\n")
                         + RecordWriter().integer(handOver.translatedReceiver).line() + QStringLiteral("\r\n");
    // A link planted at the name is replaced, never written through.
    return writeTextFile(path, text, error, LinkRule::ReplaceLinks);
}

std::optional<HandOver> readHandOver(const QString& path)
{
    // Small by nature; anything much larger is not a hand-over file.
    const TextFileRead read = readTextFile(path, 256);
    if (!read.ok() || read.text.count(u'\n') != 2 || !read.text.endsWith(u'\n'))
        return std::nullopt;
    const QStringList lines = splitLines(read.text);
    if (lines.size() != 2)
        return std::nullopt;
    const auto first = parseInt32(lines[0]);
    const auto second = parseInt32(lines[1]);
    if (!first || !second)
        return std::nullopt;
    return HandOver {*first, *second};
}

} // namespace cantorel::screensaver
