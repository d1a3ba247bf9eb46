#include "editor/LyricTextFile.h"

#include "base/FilePaths.h"
#include "base/FileReplace.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"
#include "lyrics/LyricDecoding.h"

namespace cantorel::editor {

LyricTextRead readLyricText(const QString& path)
{
    LyricTextRead result;
    const lyrics::LyricFileRead read = lyrics::readLyricFile(path);
    if (!read.ok()) {
        result.error = read.error;
        return result;
    }
    result.lines = splitLines(read.text);
    result.encoding = read.encoding;
    result.ok = true;
    return result;
}

LyricTextWrite writeLyricText(const QString& path, const QStringList& lines, lyrics::FileEncoding encoding)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    LyricTextWrite result;
    // A line holding half of a character (a file name that is not valid
    // UTF-8, pasted in) fits no encoding; it is refused, not mangled.
    if (!textFileBytes(text, &result.error))
        return result;
    const lyrics::EncodedText encoded = lyrics::encodeForFile(text, encoding);
    if (!replaceFile(path, encoded.bytes, LinkRule::FollowLinks, &result.error))
        return result; // a failure always says why
    result.encoding = encoded.used;
    result.fellBack = encoded.fellBack;
    return result;
}

QString lyricSaveName(const QString& chosen)
{
    return withExtensionRule(cleanChosenPath(chosen), QStringLiteral(".txt"));
}

} // namespace cantorel::editor
