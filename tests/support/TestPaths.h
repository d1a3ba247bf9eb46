#pragma once
// Where tests find the committed fixtures and the built programs.
#include <QString>

namespace cantorel::testing {

inline QString sourcePath(const QString& relative)
{
    return QStringLiteral(CANTOREL_SOURCE_DIR "/") + relative;
}

inline QString fixturePath(const QString& relative)
{
    return sourcePath(QStringLiteral("tests/fixtures/") + relative);
}

inline QString binPath(const QString& relative)
{
    return QStringLiteral(CANTOREL_BIN_DIR "/") + relative;
}

} // namespace cantorel::testing
