#include "editor/RescueCopies.h"

#include "base/ProgramDirectory.h"
#include "base/XdgFolders.h"
#include "editor/LyricTextFile.h"

#include <QDir>
#include <QFileInfo>

namespace cantorel::editor {

namespace {

// "<base> (unsaved lines, 2026-12-08 05.21.05).txt", or with " 2", " 3"...
// before the extension when that name is taken.
QString freeRescueName(const QString& base, const QDateTime& when)
{
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    for (int n = 1;; ++n) {
        QString name = base + QStringLiteral(" (unsaved lines, ") + stamp + u')';
        if (n > 1)
            name += u' ' + QString::number(n);
        name += QStringLiteral(".txt");
        const QFileInfo taken(name); // a dangling link takes the name too
        if (!taken.exists() && !taken.isSymLink())
            return name;
    }
}

} // namespace

QList<RescuePlace> rescuePlaces()
{
    QList<RescuePlace> places {{userDataDirectory(), QString()}, {homeFolder(), QString()}};
    const QString runtime = runtimeDirectory();
    if (!runtime.isEmpty())
        places.append({runtime, QStringLiteral("gone when the session ends: move it elsewhere")});
    return places;
}

RescueOutcome writeRescueCopies(const QList<RescueSide>& sides, const QList<RescuePlace>& places, const QDateTime& when)
{
    RescueOutcome outcome;
    for (const RescueSide& side : sides) {
        // Where the name of each try starts, with its note.
        struct Base {
            QString path;
            QString note;
        };
        QList<Base> bases;
        if (!side.ownFile.isEmpty())
            bases.append({side.ownFile, QString()});
        for (const RescuePlace& place : places) {
            QDir().mkpath(place.folder);
            bases.append({QDir(place.folder).filePath(side.title), place.note});
        }
        RescueOutcome::Unwritten lost {side.title, side.lines, {}};
        for (const Base& base : bases) {
            const QString name = freeRescueName(base.path, when);
            const QString error = writeLyricText(name, side.lines).error; // new files: UTF-8
            if (error.isEmpty()) {
                outcome.written.append({name, base.note});
                break;
            }
            lost.tried << QFileInfo(name).path() + QStringLiteral(": ") + error;
        }
        if (lost.tried.size() == bases.size())
            outcome.unwritten.append(lost);
    }
    return outcome;
}

QString RescueOutcome::report() const
{
    QString out;
    for (const Written& w : written) {
        out += QStringLiteral("cantorel: unsaved lyric lines written to %1").arg(w.path);
        out += w.note.isEmpty() ? QStringLiteral("\n") : QStringLiteral(" (%1)\n").arg(w.note);
    }
    for (const Unwritten& u : unwritten) {
        out += QStringLiteral("cantorel: the unsaved lines of \"%1\" could not be written to any file:\n").arg(u.title);
        for (const QString& why : u.tried)
            out += QStringLiteral("  %1\n").arg(why);
        out += QStringLiteral("cantorel: here they are, %1 lines:\n").arg(u.lines.size());
        out += QStringLiteral("----- %1 -----\n").arg(u.title);
        for (const QString& line : u.lines)
            out += line + u'\n';
        out += QStringLiteral("----- end of %1 -----\n").arg(u.title);
    }
    return out;
}

} // namespace cantorel::editor
