#pragma once
// Adds songs to the playlist in the order the user asked for them: a file
// from the file dialog (any file), the paths of a drop (songs by the drop
// rule, folders by a scan), a folder tree, a playlist file. A folder tree is
// walked by a FolderScanner off the window thread; every add asked for while
// it runs waits for its end, so the songs still enter the list in the order
// asked for, each folder's question at its place.
//
// Thread: the window's. It holds no widget: the window asks the question
// through `clearFirst` and shows the progress it signals.
#include "playlist/FolderScanner.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

namespace cantorel {

class PlaylistModel;

class SongAdder : public QObject {
    Q_OBJECT
public:
    explicit SongAdder(PlaylistModel& model, QObject* parent = nullptr);
    ~SongAdder() override;

    // Asked before each folder scan: true clears the list first (unset:
    // never). It may run an event loop (a question box).
    std::function<bool()> clearFirst;

    void addFile(const QString& path);
    void addFolder(const QString& folder);
    void addDropped(const QStringList& paths);
    // The entries of a playlist file; `listFailed` when it cannot be read.
    void addList(const QString& fileName);

    // True while a folder scan runs (and the adds asked for meanwhile wait).
    bool scanning() const { return m_scanner.running(); }
    // Cancels the running scan: none of its songs are added; the adds
    // waiting for it go on.
    void cancelScan();
    // Stops the running scan and forgets the adds waiting for it; nothing
    // of them is added, and no signal of them follows.
    void abandon();

    FolderScanner& scanner() { return m_scanner; }

Q_SIGNALS:
    void scanStarted(const QString& folder);
    void scanProgress(int found); // songs found so far
    void scanEnded();             // done, cancelled or abandoned
    // A dropped song, just before it is added.
    void songDropped(const QString& path);
    // An add that would pass the list's capacity was refused whole (a drop
    // says so once, after its last path).
    void refused();
    void listFailed(const QString& fileName, const QString& error);

private:
    struct Step {
        enum class Kind { File, Folder, Dropped, DropEnd, List };
        Kind kind;
        QString path;
    };

    void later(Step step);
    void run();
    void perform(const Step& step);
    void scan(const QString& folder);
    void drop(const QString& path);
    void openList(const QString& fileName);
    void scanFinished(const ScanResult& result);

    PlaylistModel& m_model;
    FolderScanner m_scanner;
    QList<Step> m_steps;
    bool m_running = false;     // run() is under way (a question may re-enter it)
    bool m_dropRefused = false; // a song of the current drop did not fit
    quint64 m_epoch = 0;        // moves on at abandon()
};

} // namespace cantorel
