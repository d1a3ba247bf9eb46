#pragma once
// Keeping the lyric editor's unsaved lines when the program is ended without
// a chance to ask (a signal, the end of the session). Each side with unsaved
// lines goes to a new file whose name says so ("Lyrics (unsaved lines,
// 2026-12-08 05.21.05).txt"), in the first place that takes it: beside the
// side's own file, then each fallback place in turn. When none takes it, its
// lines come back in the outcome, for the report to print on stderr (where a
// journal keeps them). No existing file is ever replaced.
//
// User-interface thread; no dialog is shown.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace cantorel::editor {

struct RescuePlace {
    QString folder;
    QString note; // said after the name of a file written there; "" for nothing
};

// The fallback places, in order: $XDG_DATA_HOME/cantorel, the home folder,
// then the runtime folder (whose files are gone when the session ends, which
// its note says).
QList<RescuePlace> rescuePlaces();

struct RescueSide {
    QString title;   // "Lyrics", "Translated Lyrics"
    QString ownFile; // the side's file, "" when it never had one
    QStringList lines;
};

struct RescueOutcome {
    struct Written {
        QString path;
        QString note;
    };
    struct Unwritten {
        QString title;
        QStringList lines;
        QStringList tried; // "<place>: <why>" for each place tried
    };
    QList<Written> written;
    QList<Unwritten> unwritten;
    bool complete() const { return unwritten.isEmpty(); }

    // For stderr: a line for each file written; for each side that no place
    // took, what was tried and then its lines themselves between two marks.
    // "" when there was nothing to keep.
    QString report() const;
};

// Writes each side as above; a fallback folder that is missing is made.
RescueOutcome writeRescueCopies(const QList<RescueSide>& sides, const QList<RescuePlace>& places,
                                const QDateTime& when);

} // namespace cantorel::editor
