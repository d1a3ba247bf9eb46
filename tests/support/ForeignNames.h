#pragma once
// Files whose names are not UTF-8, made and removed through their bytes: Qt's
// file classes cannot see them, so a QTemporaryDir would leave them behind.
#include "base/FileNames.h"

#include <QFile>
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

    // Creates folder/name holding `contents`; the path as the programs hold it.
    QString make(const QByteArray& name, const QByteArray& contents)
    {
        m_made << m_folder + '/' + name;
        const int fd = ::open(m_made.last().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_TRUE(fd >= 0 && ::write(fd, contents.constData(), size_t(contents.size())) == contents.size());
        ::close(fd);
        return decodeFileName(m_made.last());
    }

private:
    QByteArray m_folder;
    QList<QByteArray> m_made;
};

} // namespace cantorel::testing
