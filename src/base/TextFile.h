#pragma once
// Whole text files: read and decoded (see TextCodec.h), or written as UTF-8
// through a temporary file renamed over the target (see FileReplace.h), so a
// failure never leaves a file half written or empty.
#include "base/FileReplace.h"

#include <QString>

#include <functional>
#include <optional>

namespace cantorel {

// Files larger than this are refused unread: no text the programs keep
// comes near it, and a wrong file picked by mistake must not stall them.
constexpr qint64 kTextFileMaxBytes = qint64(16) * 1024 * 1024;

struct TextFileRead {
    enum class Status {
        Ok,
        Missing,    // nothing at that path
        NotAFile,   // a folder, or something else that is not a file
        Unreadable, // it could not be opened
        ReadFailed, // it opened, but reading it failed
        TooLarge,
    };
    Status status = Status::Missing;
    QString text;  // the decoded text when Ok
    QString error; // why it failed, for the user; empty when Ok
    bool ok() const { return status == Status::Ok; }
};

TextFileRead readTextFile(const QString& path, qint64 maxBytes = kTextFileMaxBytes);
// The same, with the bytes decoded by `decode` instead (the lyric files know
// more encodings than the programs' other files).
TextFileRead readTextFile(const QString& path, const std::function<QString(const QByteArray&)>& decode,
                          qint64 maxBytes = kTextFileMaxBytes);

// True when the whole text is on the disk. False with a reason for the user
// in *error (when given) otherwise; the old file, if any, is then as it was
// unless the reason says otherwise (see replaceFile). A text that holds a
// file name UTF-8 cannot hold (see FileNames.h) is refused unwritten.
bool writeTextFile(const QString& path, const QString& text, QString* error = nullptr,
                   LinkRule links = LinkRule::FollowLinks);

// The bytes writeTextFile writes for `text`, or nullopt with a reason for the
// user in *error when the text cannot be written (see above).
std::optional<QByteArray> textFileBytes(const QString& text, QString* error = nullptr);

} // namespace cantorel
