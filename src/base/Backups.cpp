#include "base/Backups.h"

#include "base/FileNames.h"
#include "base/FileReplace.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace cantorel {

QString backupPath(const QString& path, int generation)
{
    QString name = path + QStringLiteral(".bak");
    if (generation > 0)
        name += u'.' + QString::number(generation);
    return name;
}

namespace {

bool present(const QString& path)
{
    return nameKind(path) != NameKind::None; // a dangling link is in the way too
}

// Moves generations 0.. up by one, oldest first, so that no rename ever lands
// on an existing name; afterwards <path>.bak is free. On failure the
// generations already moved go back down.
bool shiftUp(const QString& path, QString* error)
{
    int free = 0;
    while (present(backupPath(path, free)))
        ++free;
    for (int g = free; g > 0; --g) {
        if (!renameFile(backupPath(path, g - 1), backupPath(path, g), error)) {
            for (int back = g + 1; back <= free; ++back)
                renameFile(backupPath(path, back), backupPath(path, back - 1));
            return false;
        }
    }
    return true;
}

// Moves generations 1.. down by one, youngest first, into a free <path>.bak.
bool shiftDown(const QString& path)
{
    for (int g = 1; present(backupPath(path, g)); ++g) {
        if (!renameFile(backupPath(path, g), backupPath(path, g - 1)))
            return false;
    }
    return true;
}

bool failed(QString* error, int errorNumber)
{
    if (error)
        *error = qt_error_string(errorNumber);
    return false;
}

// Copies what is left to read from `in` to `out`. False with errno set.
bool copyBytes(int in, int out)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0 && errno != EINTR)
                return false;
            done += w > 0 ? w : 0;
        }
    }
}

// A new file at `to` with the bytes and permission bits of `from`, flushed.
bool copyFile(const QByteArray& from, const QByteArray& to, QString* error)
{
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failed(error, errno);
    struct stat st {};
    const int out =
        ::fstat(in, &st) == 0 ? ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600) : -1;
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return failed(error, e);
    }
    bool ok = copyBytes(in, out) && ::fchmod(out, st.st_mode & 07777) == 0 && ::fdatasync(out) == 0;
    int e = errno;
    ::close(in);
    if (::close(out) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        ::unlink(to.constData());
        return failed(error, e);
    }
    return true;
}

// <path>.bak as a second name of the file at `path`, or a copy of it.
bool linkOrCopy(const FileSystemCalls& calls, const QString& path, const QString& backup, QString* error)
{
    const QByteArray from = encodeFileName(path);
    const QByteArray to = encodeFileName(backup);
    if (calls.link(from.constData(), to.constData()) == 0)
        return true;
    switch (errno) {
    case EPERM:  // the file system has no hard links (FAT, some network ones)
    case EMLINK: // the file has as many names as it may
    case EOPNOTSUPP:
    case ENOSYS:
        return copyFile(from, to, error);
    default:
        return failed(error, errno);
    }
}

// The existing backups one generation up, then `make` puts the newest
// backup at <path>.bak; undone when it fails.
QString newBackup(const QString& path, QString* error,
                  const std::function<bool(const QString&, const QString&, QString*)>& make)
{
    if (!shiftUp(path, error))
        return QString();
    const QString backup = backupPath(path);
    if (make(path, backup, error))
        return backup;
    shiftDown(path);
    return QString();
}

} // namespace

QString keepBackup(const QString& path, QString* error, const FileSystemCalls& calls)
{
    return newBackup(path, error, [&calls](const QString& from, const QString& to, QString* why) {
        return linkOrCopy(calls, from, to, why);
    });
}

QString moveToBackup(const QString& path, QString* error)
{
    return newBackup(path, error, renameFile);
}

bool restoreNewestBackup(const QString& path)
{
    const QString newest = backupPath(path);
    return present(newest) && renameFile(newest, path) && shiftDown(path);
}

bool dropNewestBackup(const QString& path)
{
    const QString newest = backupPath(path);
    return present(newest) && removeFile(newest) && shiftDown(path);
}

} // namespace cantorel
