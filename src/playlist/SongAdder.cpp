#include "playlist/SongAdder.h"

#include "base/FileNames.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"
#include "playlist/SongFilter.h"

namespace cantorel {

SongAdder::SongAdder(PlaylistModel& model, QObject* parent) : QObject(parent), m_model(model)
{
    connect(&m_scanner, &FolderScanner::progress, this, &SongAdder::scanProgress);
    connect(&m_scanner, &FolderScanner::finished, this, &SongAdder::scanFinished);
}

SongAdder::~SongAdder()
{
    m_scanner.stop();
}

void SongAdder::addFile(const QString& path)
{
    later({Step::Kind::File, path});
}

void SongAdder::addFolder(const QString& folder)
{
    later({Step::Kind::Folder, folder});
}

void SongAdder::addDropped(const QStringList& paths)
{
    for (const QString& path : paths)
        m_steps.append({Step::Kind::Dropped, path});
    later({Step::Kind::DropEnd, QString()});
}

void SongAdder::addList(const QString& fileName)
{
    later({Step::Kind::List, fileName});
}

void SongAdder::cancelScan()
{
    m_scanner.cancel();
}

void SongAdder::abandon()
{
    ++m_epoch;
    m_steps.clear();
    m_dropRefused = false;
    if (m_scanner.running()) {
        m_scanner.stop();
        Q_EMIT scanEnded();
    }
}

void SongAdder::later(Step step)
{
    m_steps.append(std::move(step));
    run();
}

void SongAdder::run()
{
    if (m_running)
        return; // asked from inside a step's question: the outer run goes on
    m_running = true;
    while (!m_scanner.running() && !m_steps.isEmpty())
        perform(m_steps.takeFirst());
    m_running = false;
}

void SongAdder::perform(const Step& step)
{
    switch (step.kind) {
    case Step::Kind::File:
        if (!m_model.append(step.path))
            Q_EMIT refused();
        break;
    case Step::Kind::Folder:
        scan(step.path);
        break;
    case Step::Kind::Dropped:
        drop(step.path);
        break;
    case Step::Kind::DropEnd:
        if (m_dropRefused) {
            m_dropRefused = false;
            Q_EMIT refused();
        }
        break;
    case Step::Kind::List:
        openList(step.path);
        break;
    }
}

void SongAdder::scan(const QString& folder)
{
    const quint64 epoch = m_epoch;
    const bool clear = clearFirst && clearFirst();
    if (epoch != m_epoch)
        return; // abandoned while the question was open
    if (clear)
        m_model.clear();
    m_scanner.start(folder);
    Q_EMIT scanStarted(folder);
}

void SongAdder::drop(const QString& path)
{
    // Anything that is not an ordinary file is taken for a folder.
    const FileFacts facts = fileFacts(path);
    if (!facts.isFile) {
        if (facts.isDir)
            scan(path);
        return;
    }
    if (!isDroppedSong(path))
        return;
    Q_EMIT songDropped(path);
    if (!m_model.append(path))
        m_dropRefused = true;
}

void SongAdder::openList(const QString& fileName)
{
    QStringList paths;
    QString error;
    if (!loadPlaylist(fileName, &paths, &error))
        Q_EMIT listFailed(fileName, error);
    else if (!m_model.append(paths))
        Q_EMIT refused();
}

void SongAdder::scanFinished(const ScanResult& result)
{
    if (!result.cancelled && !m_model.appendNamed(result.paths, result.names))
        Q_EMIT refused();
    Q_EMIT scanEnded();
    run();
}

} // namespace cantorel
