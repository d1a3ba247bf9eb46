#pragma once
// The guided questions of the maker's "Open ": the song, the plain-text
// lyric and, if wanted, a plain-text translation with as many lines. It asks
// through Prompts and touches no file except to count the lines of the two
// sources; preparing the recording is the window's part.
//
// The loops: an empty song choice asks "Cancel the whole Operation?" (No
// asks again); an empty lyric choice says "Please select a lyric" and asks
// "Do you wish to cancel the operation?" (No asks again); an empty
// translation choice says so and asks the translation question again;
// sources with different line counts say by how many and ask "Cancel the
// whole Operation?" (No starts again with the song).
#include "common/Prompts.h"

#include <QString>

#include <optional>

class QWidget;

namespace cantorel::maker {

struct SourceChoice {
    QString mediaPath;
    QString lyricSource;
    QString translatedSource; // "" for a recording without translation

    bool withTranslation() const { return !translatedSource.isEmpty(); }
};

class SourceDialogue {
public:
    SourceDialogue(Prompts& prompts, QWidget* owner);

    // Runs the questions to their end; nullopt when the user cancelled.
    std::optional<SourceChoice> run();

    static QList<Prompts::FileFilter> textFileFilters();
    // "lines in both the files are not equal by N"
    static QString unequalLinesMessage(int difference);

private:
    enum class Outcome { Chosen, Cancelled, Again };

    QString chooseSong();
    QString chooseLyric();
    // With `choice` holding song and lyric: asks for a translation and
    // compares the line counts. Again means: start over with the song.
    Outcome chooseTranslation(SourceChoice* choice);
    bool yes(const QString& text, const QString& title);
    void say(const QString& text);

    Prompts& m_prompts;
    QWidget* m_owner;
};

} // namespace cantorel::maker
