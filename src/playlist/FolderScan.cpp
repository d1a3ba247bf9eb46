#include "playlist/FolderScan.h"

#include "playlist/SongFilter.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace cantorel {

namespace {

class Walker {
public:
    explicit Walker(const FolderScan::Progress& progress) : m_progress(progress) {}

    bool walk(const QString& folder)
    {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || m_visited.contains(canonical))
            return true;
        m_visited.insert(canonical);

        QString base = folder;
        if (!base.endsWith(u'/'))
            base += u'/';
        const QFileInfoList entries = QDir(base).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name | QDir::IgnoreCase);

        QStringList subfolders;
        for (const QFileInfo& e : entries) {
            if (e.isDir())
                subfolders << e.fileName();
            if (isScannedSong(e.fileName())) {
                result.paths << base + e.fileName();
                result.names << e.fileName();
            }
        }
        if (m_progress && !m_progress(int(result.paths.size()))) {
            result.cancelled = true;
            return false;
        }
        for (const QString& sub : subfolders) {
            if (!walk(base + sub))
                return false;
        }
        return true;
    }

    ScanResult result;

private:
    const FolderScan::Progress& m_progress;
    QSet<QString> m_visited;
};

} // namespace

ScanResult FolderScan::walk(const QString& folder, const Progress& progress)
{
    Walker walker(progress);
    walker.walk(folder);
    return walker.result;
}

} // namespace cantorel
