#include "maker/LyricStreams.h"

#include "base/Backups.h"
#include "base/FileNames.h"
#include "base/TextCodec.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace cantorel::maker {

namespace {

// Reads and decodes a whole plain lyric, in the encoding the player reads
// lyric files in (chosen for the file, else guessed).
FileError readText(const QString& path, QString* text)
{
    const lyrics::LyricFileRead read = lyrics::readLyricFile(path);
    switch (read.status) {
    case TextFileRead::Status::Ok:
        *text = read.text;
        return FileError::None;
    case TextFileRead::Status::Missing:
        return FileError::FileNotFound;
    case TextFileRead::Status::ReadFailed:
        return FileError::DiskNotReady;
    default:
        return FileError::Other;
    }
}

} // namespace

QString fileErrorMessage(FileError error)
{
    switch (error) {
    case FileError::FileNotFound:
        return QStringLiteral("File Not Found");
    case FileError::DiskNotReady:
        return QStringLiteral("Disk Not Ready");
    case FileError::None:
    case FileError::ReadOnly:
    case FileError::Other:
        break;
    }
    return QString();
}

// ---------------------------------------------------------------- sources

FileError LineSource::open(const QString& path)
{
    close();
    m_path = path;
    QString text;
    const FileError error = readText(path, &text);
    if (error != FileError::None)
        return error;
    m_lines = splitLines(text);
    m_open = true;
    return FileError::None;
}

void LineSource::close()
{
    m_open = false;
    m_lines.clear();
    m_next = 0;
}

std::optional<QString> LineSource::readLine()
{
    if (exhausted())
        return std::nullopt;
    return m_lines.at(m_next++);
}

std::optional<int> countLines(const QString& path, FileError* error)
{
    QString text;
    *error = readText(path, &text);
    if (*error != FileError::None)
        return std::nullopt;
    return int(splitLines(text).size());
}

// ---------------------------------------------------------------- targets

LyricTarget::~LyricTarget()
{
    close();
}

FileError LyricTarget::create(const QString& path, ReadOnlyRule readOnly)
{
    close();
    m_path = path;
    m_records = 0;
    m_keptOld = false;
    m_wasThere = false;

    // Through the name's own bytes, so that a song whose name is not UTF-8
    // records too.
    if (path.contains(u'/') && !fileFacts(path.left(path.lastIndexOf(u'/') + 1)).isDir)
        return FileError::FileNotFound;
    m_target = linkedFile(path);
    if (m_target.isEmpty())
        return FileError::Other;
    const FileFacts facts = fileFacts(m_target);
    const bool writeProtected = facts.exists && isWriteProtected(m_target);
    if (facts.exists) {
        if (!facts.isFile)
            return FileError::Other;
        if (writeProtected && readOnly == ReadOnlyRule::Refuse)
            return FileError::ReadOnly;
        if (facts.size > 0) {
            // Keep the lyric that is there, with every older backup.
            if (keepBackup(m_target).isEmpty())
                return FileError::Other;
            m_keptOld = true;
        } else {
            m_wasThere = true;
        }
    }
    const FileError error = putEmptyFileInPlace(writeProtected);
    if (error != FileError::None && m_keptOld) {
        restoreNewestBackup(m_target);
        m_keptOld = false;
    }
    return error;
}

FileError LyricTarget::putEmptyFileInPlace(bool writeProtected)
{
    if (m_keptOld) {
        StagedFile empty;
        if (!empty.stage(m_target, QByteArray()) || (!empty.commit() && !empty.isInPlace()))
            return FileError::Other;
    }
    const QByteArray name = encodeFileName(m_target);
    struct stat st {};
    // A read-only lyric the user said to replace opens for writing all the
    // same, and then stays as read-only as they made it.
    const bool lift =
        writeProtected && ::stat(name.constData(), &st) == 0 && ::chmod(name.constData(), st.st_mode | S_IWUSR) == 0;
    const bool opened = openForWriting(m_file, m_target);
    if (lift) {
        [[maybe_unused]] const int restored = ::chmod(name.constData(), st.st_mode & 07777);
    }
    return opened ? FileError::None : FileError::Other;
}

FileError LyricTarget::setAside(const QString& path, ReadOnlyRule readOnly)
{
    m_setAside = false;
    const FileFacts facts = fileFacts(path);
    if (!facts.exists)
        return FileError::None;
    if (!facts.isFile)
        return FileError::Other;
    if (readOnly == ReadOnlyRule::Refuse && isWriteProtected(path))
        return FileError::ReadOnly;
    m_path = path;
    if (moveToBackup(path).isEmpty())
        return FileError::Other;
    m_setAside = true;
    return FileError::None;
}

void LyricTarget::putBack()
{
    if (m_setAside && nameKind(m_path) == NameKind::None)
        restoreNewestBackup(m_path);
    m_setAside = false;
}

LyricTarget::Write LyricTarget::write(double timeCentis, const QString& escapedText)
{
    return writeText(lyrics::lyricRecord(timeCentis, escapedText));
}

LyricTarget::Write LyricTarget::writeText(const QString& text)
{
    if (!m_file.isOpen())
        return Write::NotOpen;
    const QByteArray bytes = encodeText(text);
    if (m_file.write(bytes) != bytes.size() || !m_file.flush())
        return Write::Failed;
    // Past the page cache too, so a power cut keeps every confirmed line.
    if (::fdatasync(m_file.handle()) != 0)
        return Write::Failed;
    ++m_records;
    return Write::Done;
}

void LyricTarget::close()
{
    if (!m_file.isOpen())
        return;
    m_file.close();
    if (m_records == 0) {
        if (m_keptOld) {
            restoreNewestBackup(m_target);
        } else if (!m_wasThere) {
            removeFile(m_target);
        }
    }
    m_keptOld = false;
    m_wasThere = false;
}

} // namespace cantorel::maker
