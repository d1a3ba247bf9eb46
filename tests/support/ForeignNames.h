#pragma once
// Files whose names are not UTF-8, made and removed through their bytes: Qt's
// file classes cannot see them, so a QTemporaryDir would leave them behind.
#include "common/FileNames.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace cantorel::testing {

class ForeignNamedFiles {
public:
    explicit ForeignNamedFiles(const QString& folder) : m_folder(QFile::encodeName(folder)) {}
    ~ForeignNamedFiles()
    {
        for (const QByteArray& file : m_made)
            ::unlink(file.constData());
    }
    ForeignNamedFiles(const ForeignNamedFiles&) = delete;
    ForeignNamedFiles& operator=(const ForeignNamedFiles&) = delete;

    // Creates folder/name holding `contents`; the path as the programs hold it.
    QString make(const QByteArray& name, const QByteArray& contents)
    {
        const QByteArray file = m_folder + '/' + name;
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_GE(fd, 0) << "cannot create " << file.constData();
        if (fd >= 0) {
            EXPECT_EQ(::write(fd, contents.constData(), size_t(contents.size())), contents.size());
            ::close(fd);
            m_made << file;
        }
        return decodeFileName(file);
    }
    // A file that something else made in the folder, removed with the rest.
    void adopt(const QString& path) { m_made << encodeFileName(path); }

private:
    QByteArray m_folder;
    QList<QByteArray> m_made;
};

} // namespace cantorel::testing
