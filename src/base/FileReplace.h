#pragma once
// Replacing a file's whole contents so that a failure never costs the old
// file. The new bytes go to a temporary file beside the target; they are
// written, flushed to the disk (fdatasync) and the file closed, each step
// checked. Only then is the temporary renamed over the target, and the folder
// flushed so that the rename itself lasts. A failure before the rename removes
// the temporary file and leaves the target exactly as it was. At no instant
// is the target missing: rename(2) swaps the old file for the new one at once.
// A process killed before its rename leaves its hidden temporary behind; the
// first replace in that folder by a later process removes it (the
// temporary's name says which process wrote it, and one still running keeps
// its own).
//
// (QSaveFile is not used: in Qt 6.4 its commit() ignores a write error that
// only shows when its buffer is flushed, and renames the short file over the
// target anyway.)
#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace cantorel {

// The system calls that change the disk in a replacement (and in a backup,
// Backups.h), as a seam: the real calls by default, or a test's own that
// fail where it wants them to. Each behaves as its system call: a result,
// or -1 with errno set. Stateless: any thread.
class FileSystemCalls {
public:
    // The real calls, shared by everyone.
    static const FileSystemCalls& real();

    virtual ~FileSystemCalls() = default;
    // open(2) of a new file only: O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC |
    // O_NOFOLLOW, with `mode`.
    virtual int createNew(const char* path, mode_t mode) const;
    virtual ssize_t write(int fd, const void* bytes, size_t size) const;
    virtual int dataSync(int fd) const; // fdatasync(2)
    virtual int close(int fd) const;    // the descriptor is gone whatever it says
    virtual int rename(const char* from, const char* to) const;
    virtual int link(const char* from, const char* to) const;
    // Flushes the entries of `folder` (a rename) to the disk: 0, also when
    // the folder cannot be opened for it or its file system has nothing to
    // flush; -1 with errno set when the flush failed.
    virtual int syncFolder(const char* folder) const;
};

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

// What a file the user has made read-only means to a replacement of one of
// their documents.
enum class ReadOnlyRule {
    Refuse,  // it is left as it is, and the user is told
    Replace, // the user said to replace it anyway; it stays read-only
};

// Replaces the contents of the file at `path` (see FileNames.h for how a path
// becomes bytes) with `bytes`, creating the file when missing; an existing
// file keeps its permission bits. True when the new contents are in place and
// on the disk. False with a reason for the user in *error (when given)
// otherwise: nothing on disk has changed, unless the reason says that only
// the folder's flush after the rename failed. The disk is changed through
// `calls`.
bool replaceFile(const QString& path, const QByteArray& bytes, LinkRule links = LinkRule::FollowLinks,
                 QString* error = nullptr, const FileSystemCalls& calls = FileSystemCalls::real());

// The name that finally holds the file at `path`: symbolic links followed,
// relative ones from the folder of the link (the file itself need not exist).
// "" with a reason for the user in *error when a link cannot be read or its
// chain does not end.
QString linkedFile(const QString& path, QString* error = nullptr);

// True when there is a file at `path` (links followed) that the user keeps
// from being changed: none of its write permission bits is set, or the
// running user may not write it. A file on a read-only file system is not
// counted: nothing could replace it anyway, and the attempt says why.
bool isWriteProtected(const QString& path);

// The two halves of replaceFile, for changes of several files that must all
// be ready before any of them is put in place.
class StagedFile {
public:
    // The disk is changed through `calls`, which must outlive the file.
    explicit StagedFile(const FileSystemCalls& calls = FileSystemCalls::real()) : m_calls(&calls) {}
    ~StagedFile(); // discards a file still staged
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes `bytes` to a new temporary file beside `target`, which names the
    // file itself (links already followed, see linkedFile), and flushes and
    // closes it. The new file takes the permission bits (and, where allowed,
    // the owner) of the file at `target` when there is one. False with a
    // reason for the user in *error otherwise; nothing is left on disk then.
    bool stage(const QString& target, const QByteArray& bytes, QString* error = nullptr);
    // Renames the staged file over the target, then flushes the folder. False
    // with a reason in *error when the rename failed (the staged file is then
    // discarded and the target is as it was) or only the flush did (the new
    // contents are in place; the reason says so).
    bool commit(QString* error = nullptr);
    // Removes the temporary file, if one is staged.
    void discard();
    bool isStaged() const { return !m_temporary.isEmpty(); }
    // The last commit() put the new file in place (even if the folder's
    // flush then failed).
    bool isInPlace() const { return m_inPlace; }

private:
    const FileSystemCalls* m_calls;
    QByteArray m_target;
    QByteArray m_temporary;
    bool m_inPlace = false;
};

} // namespace cantorel
