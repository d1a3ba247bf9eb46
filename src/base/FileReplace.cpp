#include "base/FileReplace.h"

#include "base/FileNames.h"

#include <QRandomGenerator>
#include <QSet>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace cantorel {

namespace {

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

// The temporaries of `target` are hidden files beside it, named from its own
// name (short enough for any file system) as ".NAME.PID-RANDOM.tmp", PID
// the process that writes it: one left by a process that was killed can be
// told from one still being written.
QByteArray temporaryStart(const QByteArray& target)
{
    return '.' + target.mid(target.lastIndexOf('/') + 1).left(200) + '.';
}

// Creates a new, empty temporary file beside `target`; its descriptor, or -1
// with errno set.
int createTemporary(const FileSystemCalls& calls, const QByteArray& target, QByteArray* temporary)
{
    const QByteArray prefix = folderOf(target) + '/' + temporaryStart(target) + QByteArray::number(::getpid()) + '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = prefix + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
        const int fd = calls.createNew(temporary->constData(), 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The process that wrote `entry`, a temporary as createTemporary names them
// (".NAME.PID-RANDOM.tmp"), or 0 for any other name.
pid_t writerOf(const QByteArray& entry)
{
    if (!entry.startsWith('.') || !entry.endsWith(".tmp"))
        return 0;
    const QByteArray stem = entry.chopped(4);
    const qsizetype dot = stem.lastIndexOf('.');
    const QByteArray middle = stem.mid(dot + 1);
    const qsizetype dash = middle.indexOf('-');
    const QByteArray random = middle.mid(dash + 1);
    if (dot < 2 || dash <= 0 || random.isEmpty() || random.size() > 8)
        return 0;
    for (const char c : random) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return 0;
    }
    bool ok = false;
    const qlonglong pid = middle.left(dash).toLongLong(&ok);
    return ok && pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? pid_t(pid) : 0;
}

// Removes the temporaries that killed processes left in the folder of
// `target`: named as createTemporary names them, ordinary files of this
// user, written by a process that runs no more. Anything else is left as it
// is. Once per folder in a process's life: its first replace there.
void sweepLeftovers(const QByteArray& target)
{
    static std::mutex guard;
    static QSet<QByteArray> swept;
    const QByteArray folderName = folderOf(target);
    {
        const std::lock_guard<std::mutex> lock(guard);
        if (swept.contains(folderName))
            return;
        swept.insert(folderName);
    }
    DIR* folder = ::opendir(folderName.constData());
    if (!folder)
        return;
    // NOLINTNEXTLINE(concurrency-mt-unsafe): the stream is this sweep's own
    while (const dirent* e = ::readdir(folder)) {
        const pid_t writer = writerOf(QByteArray(e->d_name));
        if (writer == 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(folder), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid())
            ::unlinkat(::dirfd(folder), e->d_name, 0);
    }
    ::closedir(folder);
}

bool writeAll(const FileSystemCalls& calls, int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = calls.write(fd, p, size_t(left));
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

} // namespace

const FileSystemCalls& FileSystemCalls::real()
{
    static const FileSystemCalls calls;
    return calls;
}

int FileSystemCalls::createNew(const char* path, mode_t mode) const
{
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
}

ssize_t FileSystemCalls::write(int fd, const void* bytes, size_t size) const
{
    return ::write(fd, bytes, size);
}

int FileSystemCalls::dataSync(int fd) const
{
    return ::fdatasync(fd);
}

int FileSystemCalls::close(int fd) const
{
    return ::close(fd);
}

int FileSystemCalls::rename(const char* from, const char* to) const
{
    return ::rename(from, to);
}

int FileSystemCalls::link(const char* from, const char* to) const
{
    return ::link(from, to);
}

int FileSystemCalls::syncFolder(const char* folder) const
{
    // A folder that cannot be opened for it, or a file system without the
    // call, has nothing to flush.
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok ? 0 : -1;
}

bool replaceFile(const QString& path, const QByteArray& bytes, LinkRule links, QString* error,
                 const FileSystemCalls& calls)
{
    QString target = path;
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("No file name was given.") + kUnchanged;
        return false;
    }
    if (links == LinkRule::FollowLinks && (target = linkedFile(path, error)).isEmpty())
        return false;
    StagedFile staged(calls);
    return staged.stage(target, bytes, error) && staged.commit(error);
}

QString linkedFile(const QString& path, QString* error)
{
    QByteArray name = encodeFileName(path);
    if (!followLinks(&name)) {
        if (error)
            *error = failedBecause("Its link cannot be followed", errno);
        return QString();
    }
    return decodeFileName(name);
}

bool isWriteProtected(const QString& path)
{
    const QByteArray name = encodeFileName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true; // also for root, whom access() lets write anything
    return ::access(name.constData(), W_OK) != 0 && errno != EROFS;
}

StagedFile::~StagedFile()
{
    discard();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_calls(other.m_calls), m_target(std::exchange(other.m_target, {})),
      m_temporary(std::exchange(other.m_temporary, {})), m_inPlace(other.m_inPlace)
{}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_calls = other.m_calls;
        m_target = std::exchange(other.m_target, {});
        m_temporary = std::exchange(other.m_temporary, {});
        m_inPlace = other.m_inPlace;
    }
    return *this;
}

bool StagedFile::stage(const QString& target, const QByteArray& bytes, QString* error)
{
    discard();
    m_inPlace = false;
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QByteArray name = encodeFileName(target);
    if (name.isEmpty())
        return fail(QStringLiteral("No file name was given.") + kUnchanged);
    struct stat old {};
    const bool hadOld = ::lstat(name.constData(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode))
        return fail(QStringLiteral("It is a folder, not a file.") + kUnchanged);
    if (hadOld && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return fail(QStringLiteral("It is not an ordinary file.") + kUnchanged);

    QByteArray temporary;
    const int fd = createTemporary(*m_calls, name, &temporary);
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
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    if (!writeAll(*m_calls, fd, bytes)) {
        const int e = errno;
        m_calls->close(fd);
        return abandon("The file cannot be written", e);
    }
    if (m_calls->dataSync(fd) != 0) {
        const int e = errno;
        m_calls->close(fd);
        return abandon("The file cannot be flushed to the disk", e);
    }
    // The descriptor is gone whatever close() says.
    if (m_calls->close(fd) != 0)
        return abandon("The file cannot be closed", errno);
    m_target = name;
    m_temporary = temporary;
    return true;
}

bool StagedFile::commit(QString* error)
{
    if (!isStaged()) {
        if (error)
            *error = QStringLiteral("No new contents were ready.") + kUnchanged;
        return false;
    }
    if (m_calls->rename(m_temporary.constData(), m_target.constData()) != 0) {
        const int e = errno;
        discard();
        if (error)
            *error = failedBecause("The old file cannot be replaced", e);
        return false;
    }
    m_temporary.clear();
    m_inPlace = true;
    // Temporaries killed replaces left in this folder go now.
    sweepLeftovers(m_target);
    if (m_calls->syncFolder(folderOf(m_target).constData()) != 0) {
        if (error) {
            *error = QStringLiteral("The new contents are in place, but the folder could not be flushed "
                                    "to the disk (%1), so they may not survive a power cut.")
                         .arg(qt_error_string(errno));
        }
        return false;
    }
    return true;
}

void StagedFile::discard()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

} // namespace cantorel
