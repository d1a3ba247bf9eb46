#pragma once
// Where the programs keep the files they share: the hand-over file
// "hand.txt" and the screen-saver settings "setting.txt".
//
// It is the folder of the running executable when that folder is writable.
// Otherwise (an installed copy under /usr) both programs use the same
// per-user folder, ~/.local/share/Cantorel, so they still find each other.
#include <QString>

namespace cantorel {

QString programDirectory();

// The folder of the running executable, writable or not: where the programs
// look for each other and for their bundled data.
QString executableDirectory();

// A bundled data file ("help/Welcome.htm", "demo/..."): beside the
// executable, or in ../share/cantorel for an installed copy. Returns the first
// existing candidate, or the path beside the executable when none exists.
QString bundledDataPath(const QString& relative);

// Tests point the program directory at a folder of their own for their
// lifetime; nesting restores the previous one.
class ScopedProgramDirectory {
public:
    explicit ScopedProgramDirectory(const QString& path);
    ~ScopedProgramDirectory();
    ScopedProgramDirectory(const ScopedProgramDirectory&) = delete;
    ScopedProgramDirectory& operator=(const ScopedProgramDirectory&) = delete;

private:
    QString m_previous;
};

} // namespace cantorel
