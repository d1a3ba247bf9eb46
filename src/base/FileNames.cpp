#include "base/FileNames.h"

#include <algorithm>

#include "base/TextCodec.h"

#include <QFile>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cantorel {

namespace {

constexpr char16_t kFirstHeldByte = 0xDC80; // U+DC80 holds byte 0x80
constexpr char16_t kLastHeldByte = 0xDCFF;

// The lone low surrogate at i that holds a byte, or 0. A low surrogate right
// after a high one is half of a character, not a held byte.
int heldByteAt(const QString& s, qsizetype i)
{
    const char16_t c = s.at(i).unicode();
    if (c < kFirstHeldByte || c > kLastHeldByte)
        return -1;
    if (i > 0 && s.at(i - 1).isHighSurrogate())
        return -1;
    return c - 0xDC00;
}

} // namespace

QString decodeFileName(const QByteArray& bytes)
{
    // Most names are plain ASCII: nothing to decode.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype run = 0; // start of the valid UTF-8 not yet appended
    qsizetype i = 0;
    while (i < n) {
        char32_t cp = 0;
        const int len = utf8SequenceAt(p + i, n - i, &cp);
        if (len > 0) {
            i += len;
            continue;
        }
        out += QFile::decodeName(bytes.mid(run, i - run));
        out += QChar(char16_t(0xDC00 + p[i]));
        run = ++i;
    }
    if (run == 0)
        return QFile::decodeName(bytes);
    out += QFile::decodeName(bytes.mid(run));
    return out;
}

QByteArray encodeFileName(const QString& path)
{
    QByteArray out;
    qsizetype run = 0; // start of the characters not yet encoded
    for (qsizetype i = 0; i < path.size(); ++i) {
        const int byte = heldByteAt(path, i);
        if (byte < 0)
            continue;
        out += QFile::encodeName(path.mid(run, i - run));
        out += char(byte);
        run = i + 1;
    }
    if (run == 0)
        return QFile::encodeName(path);
    out += QFile::encodeName(path.mid(run));
    return out;
}

bool holdsForeignBytes(const QString& path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (heldByteAt(path, i) >= 0)
            return true;
    }
    return false;
}

QStringList commandLineArguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << decodeFileName(QByteArray(argv[i]));
    return args;
}

QString localFilePath(const QUrl& url)
{
    if (!url.isLocalFile())
        return QString();
    if (!url.host().isEmpty())
        return url.toLocalFile(); // a share on another host: //host/path
    return decodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

FileFacts fileFacts(const QString& path)
{
    FileFacts facts;
    const QByteArray name = encodeFileName(path);
    struct stat st {};
    if (name.isEmpty() || ::stat(name.constData(), &st) != 0)
        return facts;
    facts.exists = true;
    facts.isFile = S_ISREG(st.st_mode);
    facts.isDir = S_ISDIR(st.st_mode);
    facts.size = st.st_size;
    facts.device = st.st_dev;
    facts.inode = st.st_ino;
    facts.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return facts;
}

bool isReadable(const QString& path)
{
    const QByteArray name = encodeFileName(path);
    return !name.isEmpty() && ::access(name.constData(), R_OK) == 0;
}

NameKind nameKind(const QString& path)
{
    const QByteArray name = encodeFileName(path);
    struct stat st {};
    if (name.isEmpty() || ::lstat(name.constData(), &st) != 0)
        return NameKind::None;
    if (S_ISLNK(st.st_mode))
        return NameKind::Link;
    return S_ISREG(st.st_mode) ? NameKind::File : NameKind::Other;
}

namespace {

bool succeeded(int status, QString* error)
{
    if (status != 0 && error)
        *error = qt_error_string(errno);
    return status == 0;
}

} // namespace

bool renameFile(const QString& from, const QString& to, QString* error)
{
    return succeeded(::rename(encodeFileName(from).constData(), encodeFileName(to).constData()), error);
}

bool removeFile(const QString& path, QString* error)
{
    return succeeded(::unlink(encodeFileName(path).constData()), error);
}

namespace {

// Qt opens a name it can reach; a held byte needs the name's own bytes.
bool openHeld(QFile& file, const QString& path, QIODevice::OpenMode mode, int flags, QString* error)
{
    if (!holdsForeignBytes(path)) {
        file.setFileName(path);
        if (file.open(mode))
            return true;
        if (error)
            *error = file.errorString();
        return false;
    }
    const int fd = ::open(encodeFileName(path).constData(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (error)
            *error = qt_error_string(errno);
        return false;
    }
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace

bool openForReading(QFile& file, const QString& path, QString* error)
{
    return openHeld(file, path, QIODevice::ReadOnly, O_RDONLY, error);
}

bool openForWriting(QFile& file, const QString& path, QString* error)
{
    return openHeld(file, path, QIODevice::WriteOnly | QIODevice::Truncate, O_WRONLY | O_CREAT | O_TRUNC, error);
}

} // namespace cantorel
