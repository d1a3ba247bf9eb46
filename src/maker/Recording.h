#pragma once
// One recording of the lyric maker, without its window: the plain-text
// sources, the timed lyric files being written, the recording flags, and
// what each press of the maker's recording buttons writes.
//
// Life of a recording:
//   prepare: openSource / createTarget for the lyric (and the translation),
//            takeFirstLines, markPrepared; a preparation that failed is
//            given up with abandon();
//   start:   writes the first line(s) once, at the given time (0);
//   nextLine: reads the following line(s) and writes them at the press time;
//   stopByUser / songEnded / closeStreams end it.
// The window runs playback and the timers around these calls.
//
// Times are hundredths of a second from the start of the song. Texts handed
// back are the lines as read (for the panes); the records hold them escaped.
// Everything runs on the user-interface thread.
#include "maker/LyricStreams.h"

#include <QString>

namespace cantorel::maker {

enum class Side { Lyric, Translation };

class Recording {
public:
    // What a press wrote and what the panes show next.
    struct Step {
        bool wrote = false;        // records were written
        bool advanced = false;     // the next line(s) were read (Next Line)
        QString line;              // the lyric line as read (when advanced)
        QString translatedLine;    // the translated line as read (advanced, with a translation)
        bool allLinesDone = false; // this press found the sources exhausted
        QString failedPath;        // a target that could not be written ("" when none)
    };

    Recording() = default;
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    // ---- preparation

    // Closes every stream that is still open, in the order lyric source,
    // lyric target, translated source, translated target. The records
    // written so far stay in the files.
    void closeStreams();
    // A new preparation: closes the streams and clears allLinesDone,
    // stoppedByUser and the first-lines mark; the current lines become "".
    void beginPreparation();

    FileError openSource(Side side, const QString& path);
    FileError createTarget(Side side, const QString& path, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);
    // A recording without translation: the song's translated lyric from an
    // earlier recording goes to its backups, so that it is not paired with
    // the new lines. It comes back when the recording writes no line.
    FileError setAsideOldTranslation(const QString& path, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);
    // Reads the first line of the source of `side` into the current line
    // (stored escaped) and returns it as read; "" when there is none.
    QString takeFirstLine(Side side);
    void setNoTranslation(bool noTranslation) { m_noTranslation = noTranslation; }
    // True when every stream the recording needs is open.
    bool streamsReady() const;
    void markPrepared() { m_recordingOpen = true; }
    // Gives up a preparation that could not open its streams: closes them
    // (targets that received no record put the old lyric back) and clears
    // recordingOpen.
    void abandon();

    // ---- presses

    // Writes the current line(s) at `timeCentis`; sets recordingOpen. Only
    // the first press of a recording writes: a second one would repeat the
    // line (wrote stays false then).
    Step start(double timeCentis);
    // Before start this writes nothing (the first line must come first).
    // Otherwise, when no source is exhausted: reads the next line(s), writes
    // them at `timeCentis` (the same time for both files). Then, when the
    // sources are exhausted, sets allLinesDone and reports it.
    Step nextLine(double timeCentis);
    // "Stop Making Lyrics", after the window stopped playback: closes the
    // streams and sets stoppedByUser. False (and nothing happens) unless a
    // recording is open.
    bool stopByUser();
    // The song played to its end: a complete recording that the user did not
    // stop closes its streams (true). Anything else stays open (false).
    bool songEnded();

    // ---- state

    bool noTranslation() const { return m_noTranslation; }
    bool allLinesDone() const { return m_allLinesDone; }
    bool stoppedByUser() const { return m_stoppedByUser; }
    bool recordingOpen() const { return m_recordingOpen; }
    bool started() const { return m_started; }
    double lineTime() const { return m_lineTime; }
    // The lines last read, escaped as they are written.
    const QString& currentLine() const { return m_currentLine; }
    const QString& currentTranslatedLine() const { return m_currentTranslatedLine; }
    bool anyStreamOpen() const;
    const LineSource& source(Side side) const { return side == Side::Lyric ? m_lyricSource : m_translatedSource; }
    const LyricTarget& target(Side side) const { return side == Side::Lyric ? m_lyricTarget : m_translatedTarget; }

private:
    LineSource& sourceOf(Side side) { return side == Side::Lyric ? m_lyricSource : m_translatedSource; }
    LyricTarget& targetOf(Side side) { return side == Side::Lyric ? m_lyricTarget : m_translatedTarget; }
    QString& lineOf(Side side) { return side == Side::Lyric ? m_currentLine : m_currentTranslatedLine; }
    // Writes the current line(s) at `timeCentis`; the path of a target that
    // failed, or "".
    QString writeCurrent(double timeCentis);
    bool sourcesExhausted() const;

    LineSource m_lyricSource;
    LineSource m_translatedSource;
    LyricTarget m_lyricTarget;
    LyricTarget m_translatedTarget;

    QString m_currentLine;
    QString m_currentTranslatedLine;
    double m_lineTime = 0;

    bool m_noTranslation = false;
    bool m_allLinesDone = false;
    bool m_stoppedByUser = false;
    bool m_recordingOpen = false;
    bool m_started = false; // the first line(s) have been written
};

} // namespace cantorel::maker
