#include "maker/LyricStreams.h"

#include "common/Backups.h"
#include "common/FileNames.h"
#include "common/TextCodec.h"
#include "common/TextFile.h"
#include "lyrics/LyricFiles.h"


#include <unistd.h>

namespace cantorel::maker {

namespace {

// Reads and decodes a whole text file.
FileError readText(const QString& path, QString* text)
{
    const TextFileRead read = readTextFile(path);
    switch (read.status) {
    case TextFileRead::Status::Ok:
        *text = read.text;
        return FileError::None;
    case TextFileRead::Status::Missing: return FileError::FileNotFound;
    case TextFileRead::Status::ReadFailed: return FileError::DiskNotReady;
    default: return FileError::Other;
    }
}

} // namespace

QString fileErrorMessage(FileError error)
{
    switch (error) {
    case FileError::FileNotFound: return QStringLiteral("File Not Found");
    case FileError::DiskNotReady: return QStringLiteral("Disk Not Ready");
    case FileError::None:
    case FileError::Other: break;
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

FileError LyricTarget::create(const QString& path)
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
    if (const FileFacts facts = fileFacts(path); facts.exists) {
        if (!facts.isFile)
            return FileError::Other;
        if (facts.size > 0) {
            // Keep the lyric that is there, with every older backup.
            if (moveToBackup(path).isEmpty())
                return FileError::Other;
            m_keptOld = true;
        } else {
            m_wasThere = true;
        }
    }

    if (!openForWriting(m_file, path)) {
        if (m_keptOld) {
            restoreNewestBackup(path);
            m_keptOld = false;
        }
        return FileError::Other;
    }
    return FileError::None;
}

FileError LyricTarget::setAside(const QString& path)
{
    m_setAside = false;
    const FileFacts facts = fileFacts(path);
    if (!facts.exists)
        return FileError::None;
    if (!facts.isFile)
        return FileError::Other;
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
    if (!m_file.isOpen())
        return Write::NotOpen;
    const QByteArray bytes = encodeText(lyrics::lyricRecord(timeCentis, escapedText));
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
            restoreNewestBackup(m_path);
        } else if (!m_wasThere) {
            removeFile(m_path);
        }
    }
    m_keptOld = false;
    m_wasThere = false;
}

} // namespace cantorel::maker
