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
// Word by word (setWordByWord, before the sources are read): the target is
// the song's LRC file instead of the pair, the pair is set aside, and each
// nextLine press marks one word (WordMarking): lines are written, with their
// word tags and translation, as their timing completes (the last word's end
// comes with the next press). start() then only starts the recording: the
// first press marks the first word. An ending before a line is complete
// writes what was marked of it.
//
// Times are hundredths of a second from the start of the song. Texts handed
// back are the lines as read (for the panes); the records hold them escaped.
// Everything runs on the user-interface thread.
#include "lyrics/LrcWriter.h"
#include "maker/LyricStreams.h"
#include "maker/WordMarking.h"

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
    // A recording word by word: the song's lyric file goes to its backups
    // the same way (the translated file with setAsideOldTranslation), so
    // that the LRC file made is the lyric the player finds.
    FileError setAsideOldLyric(const QString& path, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);
    void setWordByWord(bool on) { m_wordByWord = on; }
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
    // line (wrote stays false then). Word by word it writes nothing.
    Step start(double timeCentis);
    // Before start this writes nothing (the first line must come first).
    // Otherwise, when no source is exhausted: reads the next line(s), writes
    // them at `timeCentis` (the same time for both files). Then, when the
    // sources are exhausted, sets allLinesDone and reports it. Word by word:
    // marks the next word (see WordMarking), writes the lines it completes,
    // reads the next line(s) once the current one is marked, and sets
    // allLinesDone after the final press.
    Step nextLine(double timeCentis);
    // "Stop Making Lyrics", after the window stopped playback: closes the
    // streams and sets stoppedByUser. False (and nothing happens) unless a
    // recording is open.
    bool stopByUser();
    // The song played to its end (at `endCentis`): a complete recording that
    // the user did not stop closes its streams (true). Anything else stays
    // open (false). Word by word, a recording missing only the final press
    // takes the song's end as that press.
    bool songEnded(double endCentis);

    // ---- state

    bool noTranslation() const { return m_noTranslation; }
    bool allLinesDone() const { return m_allLinesDone; }
    bool stoppedByUser() const { return m_stoppedByUser; }
    bool recordingOpen() const { return m_recordingOpen; }
    bool started() const { return m_started; }
    bool wordByWord() const { return m_wordByWord; }
    // Word by word: what the next press marks.
    WordMarking::Cue cue() const { return m_words.cue(); }
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
    // Word by word: writes lines whose timing is complete; the path of the
    // target if it failed, or "".
    QString writeLines(const QList<lyrics::TimedLine>& lines);
    Step markWord(double timeCentis);
    // True when the next line (of each source in use) can be read; reads it
    // into the step and the current lines.
    bool canReadLine() const;
    void readNextLines(Step& step);
    bool sourcesExhausted() const;

    LineSource m_lyricSource;
    LineSource m_translatedSource;
    LyricTarget m_lyricTarget;
    LyricTarget m_translatedTarget;
    LyricTarget m_lyricAside; // word by word: the pair's lyric file, set aside

    QString m_currentLine;
    QString m_currentTranslatedLine;
    double m_lineTime = 0;

    bool m_noTranslation = false;
    bool m_allLinesDone = false;
    bool m_stoppedByUser = false;
    bool m_recordingOpen = false;
    bool m_started = false; // the first line(s) have been written
    bool m_wordByWord = false;
    WordMarking m_words;
    lyrics::LrcLineWriter m_lrc;
};

} // namespace cantorel::maker
