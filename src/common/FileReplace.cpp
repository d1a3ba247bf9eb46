#include "common/FileReplace.h"

#include "common/FileNames.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cantorel {

namespace {

// The injected fault, if any: a ReplaceStep as int (-1 for none) and errno.
int g_faultStep = -1;
int g_faultError = 0;

// True when `step` is to fail; errno is then set as the call would set it.
bool injected(ReplaceStep step)
{
    if (g_faultStep != int(step))
        return false;
    errno = g_faultError;
    return true;
}

const QString kUnchanged = QStringLiteral(" Nothing on disk was changed.");

QString failedBecause(const char* what, int errorNumber)
{
    return QStringLiteral("%1: %2.").arg(QLatin1String(what), qt_error_string(errorNumber)) + kUnchanged;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

// Follows symbolic links from *path to the name that finally holds the file
// (which need not exist yet). False with errno set when a link cannot be read
// or the chain does not end.
bool followLinks(QByteArray* path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path->constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        QByteArray target(4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(path->constData(), target.data(), target.size());
        if (n < 0)
            return false;
        if (n >= target.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        target.truncate(n);
        *path = target.startsWith('/') ? target : folderOf(*path) + '/' + target;
    }
    errno = ELOOP;
    return false;
}

// Creates a new, empty temporary file beside `target`; its descriptor, or -1
// with errno set.
int createTemporary(const QByteArray& target, QByteArray* temporary)
{
    // A hidden name from the target's own, short enough for any file system.
    const QByteArray name = target.mid(target.lastIndexOf('/') + 1).left(200);
    const QByteArray prefix = folderOf(target) + "/." + name + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (injected(ReplaceStep::Create))
            return -1;
        *temporary = prefix + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
        const int fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = injected(ReplaceStep::Write) ? -1 : ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Flushes the folder's entries (the rename) to the disk. A folder that cannot
// be opened for it, or a file system without the call, has nothing to flush.
bool syncFolder(const QByteArray& folder)
{
    if (injected(ReplaceStep::SyncFolder))
        return false;
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes, LinkRule links, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QByteArray target = encodeFileName(path);
    if (target.isEmpty())
        return fail(QStringLiteral("No file name was given.") + kUnchanged);
    if (links == LinkRule::FollowLinks && !followLinks(&target))
        return fail(failedBecause("Its link cannot be followed", errno));

    struct stat old {};
    const bool hadOld = ::lstat(target.constData(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode))
        return fail(QStringLiteral("It is a folder, not a file.") + kUnchanged);
    if (hadOld && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return fail(QStringLiteral("It is not an ordinary file.") + kUnchanged);

    QByteArray temporary;
    const int fd = createTemporary(target, &temporary);
    if (fd < 0)
        return fail(failedBecause("No new file can be made in its folder", errno));
    auto abandon = [&](const char* what, int errorNumber) {
        ::unlink(temporary.constData());
        return fail(failedBecause(what, errorNumber));
    };

    if (hadOld && S_ISREG(old.st_mode)) {
        // Best effort: the new file takes the old one's permissions (and,
        // where allowed, its owner), as an edit in place would keep them.
        [[maybe_unused]] const int moded = ::fchmod(fd, old.st_mode & 07777);
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (!writeAll(fd, bytes)) {
        const int e = errno;
        ::close(fd);
        return abandon("The file cannot be written", e);
    }
    if (injected(ReplaceStep::Sync) || ::fdatasync(fd) != 0) {
        const int e = errno;
        ::close(fd);
        return abandon("The file cannot be flushed to the disk", e);
    }
    // The descriptor is gone whatever close() says.
    if (const int closed = ::close(fd); injected(ReplaceStep::Close) || closed != 0)
        return abandon("The file cannot be closed", errno);
    if (injected(ReplaceStep::Rename) || ::rename(temporary.constData(), target.constData()) != 0)
        return abandon("The old file cannot be replaced", errno);
    if (!syncFolder(folderOf(target))) {
        return fail(QStringLiteral("The new contents are in place, but the folder could not be flushed "
                                   "to the disk (%1), so they may not survive a power cut.")
                        .arg(qt_error_string(errno)));
    }
    return true;
}

ScopedReplaceFault::ScopedReplaceFault(ReplaceStep step, int errorNumber)
    : m_previousStep(g_faultStep), m_previousError(g_faultError)
{
    g_faultStep = int(step);
    g_faultError = errorNumber;
}

ScopedReplaceFault::~ScopedReplaceFault()
{
    g_faultStep = m_previousStep;
    g_faultError = m_previousError;
}

} // namespace cantorel
