#pragma once
// File names as the programs hold them, and the bytes the file system knows.
//
// A Linux file name is any string of bytes. Qt 6 takes every name as UTF-8:
// QFile::decodeName, QCoreApplication::arguments() and QUrl::toLocalFile()
// turn a byte that is not part of valid UTF-8 into U+FFFD, so the name no
// longer leads back to its file (and may lead to another one), and QDir
// listings leave such names out altogether. The programs therefore hold such
// a name whole: each byte that is not part of valid UTF-8 is held as the lone
// surrogate U+DC80..U+DCFF ("caf\xE9" holds U+DCE9 for the E9) and turns back
// into that byte on the way to the file system. A name that is valid UTF-8 is
// held exactly as Qt holds it (QFile::decodeName / QFile::encodeName).
//
// Qt's own file classes (QFile, QFileInfo, QDir) cannot reach a held byte, so
// whatever hands a path to the system goes through encodeFileName or the
// helpers below.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;
class QUrl;

namespace cantorel {

// Bytes of a name -> the name as held. decodeFileName(encodeFileName(x)) == x
// for every held name, and encodeFileName(decodeFileName(b)) == b for any b.
QString decodeFileName(const QByteArray& bytes);
QByteArray encodeFileName(const QString& path);

// True when the path holds bytes that are not UTF-8: Qt's file classes would
// miss its file, and a UTF-8 text file cannot keep it.
bool holdsForeignBytes(const QString& path);

// argv[1] .. argv[argc - 1] decoded as above (call it after QCoreApplication
// has taken its own options out of argv).
QStringList commandLineArguments(int argc, char** argv);

// The path of a local file: URL (a drop, a dialog), decoded from the URL's
// own bytes as above; "" when the URL is not a local file.
QString localFilePath(const QUrl& url);

// What the file system says about a path, following symbolic links.
struct FileFacts {
    bool exists = false;
    bool isFile = false; // an ordinary file
    bool isDir = false;
    qint64 size = 0; // bytes
    // Which file it is and when it last changed: together with the size,
    // what tells a file from one changed or put in its place.
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0; // since the epoch
};
FileFacts fileFacts(const QString& path);

// What sits at the name itself, a symbolic link not followed.
enum class NameKind { None, Link, File, Other };
NameKind nameKind(const QString& path);

// rename(2) and unlink(2) for held names. False with a reason for the user
// in *error (when given) otherwise.
bool renameFile(const QString& from, const QString& to, QString* error = nullptr);
bool removeFile(const QString& path, QString* error = nullptr);

// access(2) R_OK: the running user may read the file at `path`.
bool isReadable(const QString& path);

// Opens `file` read-only on the file at `path`. False with a reason for the
// user in *error (when given) otherwise.
bool openForReading(QFile& file, const QString& path, QString* error = nullptr);
// Opens `file` for writing on the file at `path`, created (0666 less the
// umask) or emptied. False with a reason for the user in *error otherwise.
bool openForWriting(QFile& file, const QString& path, QString* error = nullptr);

} // namespace cantorel
