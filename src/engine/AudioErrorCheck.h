#pragma once
// The check every engine result passes through. A failing call on a live
// engine object shows "FMOD error! (<code>) <text>" in a message box with the
// program's title and then ends the program at once, without any window's
// closing steps. A song the engine refuses to open is only reported: the
// same message, and the program goes on.
#include "engine/AudioEngine.h"

#include <QString>

class QWidget;

namespace cantorel {
class Prompts;
class ProgramEnd;
}

namespace cantorel::engine {

class AudioErrorCheck {
public:
    AudioErrorCheck(Prompts& prompts, ProgramEnd& end, QWidget* owner = nullptr);

    // True when `code` is 0. Otherwise shows the error, asks the program to
    // end and returns false, so that a caller under test stops where the
    // program would have ended.
    bool check(Result code);
    // True when `code` is 0. Otherwise shows the same message and returns
    // false; the program goes on (a song that cannot be opened).
    bool refuse(Result code);

    // Reports a version other than the required one; never refuses it.
    void checkVersion(unsigned version);

    static QString errorMessage(Result code);
    static QString versionMessage(unsigned version);

    void setOwner(QWidget* owner) { m_owner = owner; }

private:
    Prompts& m_prompts;
    ProgramEnd& m_end;
    QWidget* m_owner;
};

} // namespace cantorel::engine
