#include "base/AppSettings.h"

#include "base/ProgramDirectory.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace cantorel {

namespace {

constexpr qint64 kLargestSettingsFile = qint64(1024) * 1024;

// An INI file as QSettings writes it: UTF-8 text whose lines are blank,
// comments, "[group]" or "key=value". QSettings itself reads anything, so a
// file that is something else would be silently written over.
bool looksLikeSettings(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        for (QChar c : line) {
            if (c.unicode() < 0x20 && c != u'\t')
                return false;
        }
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.contains(u'='))
            continue;
        if (!(line.startsWith(u'[') && line.endsWith(u']')))
            return false;
    }
    return true;
}

} // namespace

QString AppSettings::defaultPath()
{
    return configDirectory() + QStringLiteral("/cantorel.conf");
}

AppSettings::AppSettings(const QString& path) : m_path(path), m_file(path, QSettings::IniFormat)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const bool tooLarge = file.size() > kLargestSettingsFile;
        if (tooLarge || !looksLikeSettings(file.read(kLargestSettingsFile))) {
            m_broken = true;
            m_problem = QStringLiteral("%1 is not a settings file; it is left alone, and the defaults hold.").arg(path);
            return;
        }
    }
    switch (m_file.status()) {
    case QSettings::NoError:
        break;
    case QSettings::FormatError:
        m_broken = true;
        m_problem = QStringLiteral("%1 is not a settings file; it is left alone, and the defaults hold.").arg(path);
        break;
    case QSettings::AccessError:
        m_broken = QFileInfo::exists(path);
        if (m_broken)
            m_problem = QStringLiteral("%1 cannot be read; it is left alone, and the defaults hold.").arg(path);
        break;
    }
}

QVariant AppSettings::value(const QString& key, const QVariant& fallback) const
{
    if (const auto held = m_held.constFind(key); held != m_held.cend())
        return *held;
    return m_broken ? fallback : m_file.value(key, fallback);
}

bool AppSettings::setValue(const QString& key, const QVariant& value, QString* error)
{
    return setValues({{key, value}}, error);
}

bool AppSettings::setValues(const Values& values, QString* error)
{
    const auto hold = [this, &values] {
        for (const auto& [key, value] : values)
            m_held.insert(key, value);
    };
    if (m_broken) {
        hold();
        if (error)
            *error = m_problem;
        return false;
    }
    for (const auto& [key, value] : values)
        m_file.setValue(key, value);
    m_file.sync();
    if (m_file.status() == QSettings::NoError)
        return true;
    hold();
    if (error)
        *error = QStringLiteral("%1 could not be written.").arg(m_path);
    return false;
}

} // namespace cantorel
