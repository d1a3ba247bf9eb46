#pragma once
// Walks a folder tree for songs: first the songs of a folder, then each
// subfolder's whole tree in turn. Names are taken in name order ignoring
// case, as the file managers users know list them. A name passes by the
// folder-scan rule of SongFilter, folders included (a folder named "x.mp3"
// becomes an entry and is also walked). Hidden names are skipped, folders
// that cannot be read contribute nothing, and a folder reached twice through
// links is walked once. Names that are not UTF-8 are found and held as
// base/FileNames.h says, so their paths lead back to their files.
//
// The walk reads each folder once and asks the file system about a name
// only when the listing does not say whether it is a folder (a link); it
// touches nothing but the file system and may run on any thread.
#include <QString>
#include <QStringList>

#include <functional>

namespace cantorel {

struct ScanResult {
    QStringList paths; // folder + name
    QStringList names; // the names as listed
    bool cancelled = false;
};

class FolderScan {
public:
    // Called after each folder with the number of songs found so far, on
    // the walking thread; returning false stops the walk (the result is then
    // marked cancelled).
    using Progress = std::function<bool(int found)>;

    static ScanResult walk(const QString& folder, const Progress& progress = {});
};

} // namespace cantorel
