#pragma once
// The program's own settings, beyond the classic ones that hold for a run
// only: $XDG_CONFIG_HOME/cantorel/cantorel.conf, an INI file ("[online]",
// "server=..."), shared by the player, the screen saver and the command-line
// tool. Keys are "group/name".
//
// A file that is not a settings file is reported (problem()) and left
// alone: the program goes on with its defaults, and what the user changes
// holds for the run but is never written over that file. Writes go through
// QSettings, which replaces the file whole.
//
// One instance per thread; several instances (in one process or several)
// see each other's writes once written.
#include <QList>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <utility>

namespace cantorel {

class AppSettings {
public:
    // configDirectory() + "/cantorel.conf".
    static QString defaultPath();

    explicit AppSettings(const QString& path = defaultPath());

    // The value of `key`, else `fallback`.
    QVariant value(const QString& key, const QVariant& fallback = {}) const;
    // Keeps `value` for `key` and writes the file at once. False, with why
    // in *error, when it could not be written (the value still holds for
    // this instance).
    bool setValue(const QString& key, const QVariant& value, QString* error = nullptr);
    // The same for several keys, written in one go.
    using Values = QList<std::pair<QString, QVariant>>;
    bool setValues(const Values& values, QString* error = nullptr);

    // Why the file could not be read ("" when it was, or is not there).
    QString problem() const { return m_problem; }
    QString path() const { return m_path; }

private:
    QString m_path;
    QSettings m_file;
    bool m_broken = false;
    QMap<QString, QVariant> m_held; // what could not be written over a broken file
    QString m_problem;
};

} // namespace cantorel
