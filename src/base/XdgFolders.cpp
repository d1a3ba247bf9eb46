#include "base/XdgFolders.h"

#include <QDebug>
#include <QFile>
#include <QMutex>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cantorel {

namespace {

// `folder` + `name`, without a doubled slash when `folder` is the root.
QString joined(const QString& folder, const char* name)
{
    return (folder.endsWith(u'/') ? folder.chopped(1) : folder) + u'/' + QLatin1String(name);
}

void reportIgnored(const char* variable, const QString& value, const QString& used)
{
    static QMutex mutex;
    static QSet<QByteArray> reported;
    const QMutexLocker lock(&mutex);
    if (reported.contains(variable))
        return;
    reported.insert(variable);
    qWarning().noquote() << QStringLiteral("%1=%2 is not an absolute path and is ignored; %3 is used instead")
                                .arg(QLatin1String(variable), value,
                                     used.isEmpty() ? QStringLiteral("a default") : used);
}

// The variable's value when it is absolute; "" otherwise, a relative value
// reported as ignored in favour of `fallback`.
QString absoluteVariable(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    if (value.startsWith(u'/'))
        return value;
    if (!value.isEmpty())
        reportIgnored(variable, value, fallback);
    return QString();
}

struct PasswordEntry {
    QString home;
    QString name;
};

PasswordEntry passwordEntry()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? int(size) : 16384, '\0');
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), size_t(buffer.size()), &found) != 0 || !found)
        return {};
    return {QFile::decodeName(found->pw_dir), QFile::decodeName(found->pw_name)};
}

} // namespace

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (home.startsWith(u'/'))
        return home;
    const QString entry = passwordEntry().home;
    return entry.startsWith(u'/') ? entry : QStringLiteral("/");
}

QString xdgConfigHome()
{
    const QString fallback = joined(homeFolder(), ".config");
    const QString set = absoluteVariable("XDG_CONFIG_HOME", fallback);
    return set.isEmpty() ? fallback : set;
}

QString xdgDataHome()
{
    const QString fallback = joined(homeFolder(), ".local/share");
    const QString set = absoluteVariable("XDG_DATA_HOME", fallback);
    return set.isEmpty() ? fallback : set;
}

QString xdgCacheHome()
{
    const QString fallback = joined(homeFolder(), ".cache");
    const QString set = absoluteVariable("XDG_CACHE_HOME", fallback);
    return set.isEmpty() ? fallback : set;
}

QString xdgRuntimeDir(QString* problem)
{
    const QString tmp = absoluteVariable("TMPDIR", QStringLiteral("/tmp"));
    const PasswordEntry user = passwordEntry();
    const QString fallback = joined(tmp.isEmpty() ? QStringLiteral("/tmp") : tmp, "runtime-")
                             + (user.name.isEmpty() ? QString::number(::getuid()) : user.name);
    if (const QString set = absoluteVariable("XDG_RUNTIME_DIR", fallback); !set.isEmpty())
        return set;

    // In a shared folder: only a private folder of this user's is used.
    return makePrivateFolder(fallback, problem) ? fallback : QString();
}

bool makePrivateFolder(const QString& folder, QString* problem)
{
    auto fail = [&](const QString& why) {
        if (problem)
            *problem = why;
        return false;
    };
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return fail(QStringLiteral("Cannot make %1: %2").arg(folder, qt_error_string(errno)));
    // A link, or someone else's folder, is never used.
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return fail(QStringLiteral("%1 is not a folder of this user's").arg(folder));
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(name.constData(), S_IRWXU) != 0)
        return fail(QStringLiteral("%1 is open to other users").arg(folder));
    return true;
}

} // namespace cantorel
