#pragma once
// Replacing a file's whole contents so that a failure never costs the old
// file. The new bytes go to a temporary file beside the target; they are
// written, flushed to the disk (fdatasync) and the file closed, each step
// checked. Only then is the temporary renamed over the target, and the folder
// flushed so that the rename itself lasts. A failure before the rename removes
// the temporary file and leaves the target exactly as it was.
//
// (QSaveFile is not used: in Qt 6.4 its commit() ignores a write error that
// only shows when its buffer is flushed, and renames the short file over the
// target anyway.)
#include <QByteArray>
#include <QString>

namespace cantorel {

// What a symbolic link at the target's name means.
enum class LinkRule {
    // A user's document: a link the user made is followed, so the file it
    // points at gets the new contents and the link stays a link.
    FollowLinks,
    // A file of the programs' own ("hand.txt", "setting.txt"): whatever sits at
    // the name, a link included, is replaced by an ordinary file. The file a
    // link points at is never opened, so a link planted there cannot make the
    // programs overwrite another file.
    ReplaceLinks,
};

// Replaces the contents of the file at `path` (see FileNames.h for how a path
// becomes bytes) with `bytes`, creating the file when missing; an existing
// file keeps its permission bits. True when the new contents are in place and
// on the disk. False with a reason for the user in *error (when given)
// otherwise: nothing on disk has changed, unless the reason says that only
// the folder's flush after the rename failed.
bool replaceFile(const QString& path, const QByteArray& bytes, LinkRule links = LinkRule::FollowLinks,
                 QString* error = nullptr);

// The system calls of a replacement, in order.
enum class ReplaceStep { Create, Write, Sync, Close, Rename, SyncFolder };

// For tests: while one lives, `step` of every replacement fails with the
// system error number `errorNumber` as if the call had failed (the real call
// is still made where it must be, so nothing leaks). Nesting restores the
// previous one. Main thread only.
class ScopedReplaceFault {
public:
    ScopedReplaceFault(ReplaceStep step, int errorNumber);
    ~ScopedReplaceFault();
    ScopedReplaceFault(const ScopedReplaceFault&) = delete;
    ScopedReplaceFault& operator=(const ScopedReplaceFault&) = delete;

private:
    int m_previousStep;
    int m_previousError;
};

} // namespace cantorel
