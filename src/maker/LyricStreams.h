#pragma once
// The files of a recording: plain-text lyric sources read line by line, and
// the timed lyric files written record by record.
//
// Neither class ever throws or ends the program: a stream that failed to
// open reads as exhausted and ignores writes, so a recording whose
// preparation went wrong cannot bring the window down.
// Everything here runs on the user-interface thread.
#include "base/FileReplace.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace cantorel::maker {

// Why a file step failed, as far as the user is told.
enum class FileError {
    None,
    FileNotFound, // the file (or its folder) is not there
    DiskNotReady, // the device failed while reading or writing
    ReadOnly,     // a lyric the user made read-only, left as it is
    Other,        // anything else (no permission, a folder in the way)
};

// "File Not Found", "Disk Not Ready", or "" for the failures that are not
// reported by a message of their own (ReadOnly: the window asks instead).
QString fileErrorMessage(FileError error);

// A plain-text lyric, one lyric line per text line (CR LF, LF or CR), read
// in the encoding it is written in, as the player reads lyric files
// (lyrics/LyricDecoding.h: GBK, Big5, Shift-JIS, Windows-1251, UTF-16 ...).
// The whole file is decoded at open; lines are then handed out one by one.
class LineSource {
public:
    FileError open(const QString& path);
    void close();
    bool isOpen() const { return m_open; }
    const QString& path() const { return m_path; }

    // True when no line is left (always true for a source that is not open).
    bool exhausted() const { return !m_open || m_next >= m_lines.size(); }
    // The next line, or nullopt when the source is exhausted.
    std::optional<QString> readLine();

private:
    QString m_path;
    QStringList m_lines;
    qsizetype m_next = 0;
    bool m_open = false;
};

// Number of lines of a plain-text lyric, counted as LineSource reads them;
// nullopt with `error` set when the file cannot be read.
std::optional<int> countLines(const QString& path, FileError* error);

// A timed lyric file being recorded (the lyric pair's files, or an LRC file
// when the words are timed). Creating it keeps an existing lyric as
// its newest backup (<path>.bak; older backups are kept, numbered, see
// base/Backups.h), so a re-recording abandoned half-way loses nothing; the
// new file starts empty and takes the old one's place in one rename, with its
// permission bits, so the name never stands empty-handed. A link at the name
// is followed: its file is recorded into (the backups sit beside it) and the
// link stays. Every record is flushed to the disk as soon as it is written.
//
// A target can also be only set aside: the translation of an earlier
// recording, when the new one has none, goes to its backups too, so that the
// pair on disk always belongs together.
class LyricTarget {
public:
    enum class Write { Done, NotOpen, Failed };

    ~LyricTarget();

    // ReadOnly (nothing changed) for a read-only lyric, unless `readOnly`
    // says to replace it; the new file is then read-only too.
    FileError create(const QString& path, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);
    bool isOpen() const { return m_file.isOpen(); }
    const QString& path() const { return m_path; }
    // Records written since create.
    int records() const { return m_records; }

    // Appends one record (time in hundredths of a second, text already
    // escaped) and flushes it to the disk. NotOpen when the file never
    // opened (nothing happens); Failed when the write did not reach the file.
    Write write(double timeCentis, const QString& escapedText);
    // Appends `text` (whole lines, CR LF ended) as UTF-8, flushed the same
    // way; each call counts as a record.
    Write writeText(const QString& text);

    // Closes the file. A target that received no record leaves the disk as
    // it found it: the kept lyric goes back in place, and a file that did
    // not exist before is removed.
    void close();

    // Moves an existing file at `path` to its backups without creating a new
    // one (nothing happens when there is none); ReadOnly as for create.
    FileError setAside(const QString& path, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);
    bool isSetAside() const { return m_setAside; }
    // Puts a file that was set aside back in place; or, with keep(), leaves
    // it in the backups for good.
    void putBack();
    void keep() { m_setAside = false; }

private:
    FileError putEmptyFileInPlace(bool writeProtected);

    QString m_path;
    QString m_target; // the file itself: m_path with links followed
    QFile m_file;
    int m_records = 0;
    bool m_keptOld = false;  // the old lyric was moved to the backup
    bool m_wasThere = false; // an (empty) file was there before
    bool m_setAside = false; // setAside() moved a file away
};

} // namespace cantorel::maker
