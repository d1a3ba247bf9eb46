#pragma once
// An environment variable set for a test's scope.
#include <QByteArray>
#include <QtGlobal>

namespace cantorel::testing {

// Sets an environment variable (unsets it for a null value) for a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnvironment() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace cantorel::testing
