#pragma once
// Whole files for tests: write some bytes, read them back.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace cantorel::testing {

// Creates (or empties) `path` and writes `bytes`; a file that cannot be
// written fails the test.
inline void writeFile(const QString& path, const QByteArray& bytes = QByteArray())
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return;
    }
    f.write(bytes);
}

// The bytes of `path`, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace cantorel::testing
