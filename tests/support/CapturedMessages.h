#pragma once
// What the code under test reports with qWarning() and the like.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>

namespace cantorel::testing {

// Collects what the code under test reports with qWarning() and the like
// while it lives, instead of printing it.
class CapturedMessages {
public:
    CapturedMessages() : m_previous(qInstallMessageHandler(&collect)) { s_current = this; }
    ~CapturedMessages()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    bool contains(const QString& part) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(part); });
    }
    QStringList lines;

private:
    static void collect(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (s_current)
            s_current->lines << message;
    }
    static inline CapturedMessages* s_current = nullptr;
    QtMessageHandler m_previous;
};

} // namespace cantorel::testing
