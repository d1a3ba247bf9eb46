#include "playlist/FolderScan.h"

#include "base/FileNames.h"
#include "playlist/SongFilter.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cantorel {

namespace {

struct Entry {
    QString name;
    QString key;      // the name in lower case, the order of the listing
    QByteArray bytes; // folders only: the name as the file system knows it
};

void sortByName(std::vector<Entry>& entries)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (const int c = a.key.compare(b.key))
            return c < 0;
        return a.name < b.name; // names that differ in case only: a fixed order
    });
}

class Walker {
public:
    explicit Walker(const FolderScan::Progress& progress) : m_progress(progress) {}

    bool walk(const QByteArray& folderBytes, const QString& folder)
    {
        std::vector<Entry> songs, subfolders;
        if (!list(folderBytes, &songs, &subfolders))
            return true;
        sortByName(songs);
        sortByName(subfolders);

        QString base = folder;
        if (!base.endsWith(u'/'))
            base += u'/';
        QByteArray baseBytes = folderBytes;
        if (!baseBytes.endsWith('/'))
            baseBytes += '/';
        for (const Entry& song : songs) {
            result.paths << base + song.name;
            result.names << song.name;
        }
        if (m_progress && !m_progress(int(result.paths.size()))) {
            result.cancelled = true;
            return false;
        }
        for (const Entry& sub : subfolders) {
            if (!walk(baseBytes + sub.bytes, base + sub.name))
                return false;
        }
        return true;
    }

    ScanResult result;

private:
    // Reads the folder once; false when it cannot be read or was walked
    // before.
    bool list(const QByteArray& folderBytes, std::vector<Entry>* songs, std::vector<Entry>* subfolders)
    {
        const int fd = ::open(folderBytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !m_visited.insert({st.st_dev, st.st_ino}).second) {
            ::close(fd);
            return false;
        }
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return false;
        }
        // NOLINTNEXTLINE(concurrency-mt-unsafe): the stream is this walk's own
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.') // hidden, and "." and ".."
                continue;
            const QByteArrayView bytes(e->d_name);
            bool isFolder = e->d_type == DT_DIR;
            if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
                struct stat target {};
                isFolder = ::fstatat(::dirfd(dir), e->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
            }
            const bool song = isScannedSongBytes(bytes);
            if (!song && !isFolder)
                continue;
            Entry entry {decodeFileName(bytes.toByteArray()), {}, {}};
            entry.key = entry.name.toLower();
            if (isFolder)
                entry.bytes = bytes.toByteArray();
            if (song && isFolder)
                songs->push_back(entry);
            if (isFolder)
                subfolders->push_back(std::move(entry));
            else
                songs->push_back(std::move(entry));
        }
        ::closedir(dir);
        return true;
    }

    const FolderScan::Progress& m_progress;
    std::set<std::pair<dev_t, ino_t>> m_visited;
};

} // namespace

ScanResult FolderScan::walk(const QString& folder, const Progress& progress)
{
    Walker walker(progress);
    if (!folder.isEmpty())
        walker.walk(encodeFileName(folder), folder);
    return walker.result;
}

} // namespace cantorel
