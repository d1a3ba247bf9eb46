#pragma once
// A folder on a full file system, for the savers' failure paths: a real
// 64 KiB tmpfs where the test may mount one (root), whose room fill() takes;
// elsewhere an ordinary folder where fill() makes every file replacement's
// write fail with ENOSPC instead.
#include "base/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <optional>
#include <sys/mount.h>

namespace cantorel::testing {

class FullDisk {
public:
    FullDisk() : m_mounted(::mount("tmpfs", name(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0) {}
    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(name(), MNT_DETACH);
    }
    QString filePath(const QString& file) const { return m_dir.filePath(file); }
    bool real() const { return m_mounted; }

    // Takes the room that is left; call it once the old files are in place.
    void fill()
    {
        QFile filler(filePath("filler"));
        if (!m_mounted)
            m_fault.emplace(ReplaceStep::Write, ENOSPC);
        else if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) > 0 || filler.write("x", 1) > 0) {}
    }
    // The names in the folder but the filler: a failed save leaves no
    // temporary file behind.
    QStringList names() const
    {
        QStringList all = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        all.removeAll("filler");
        return all;
    }

private:
    const char* name() const { return m_path.constData(); }
    QTemporaryDir m_dir;
    QByteArray m_path = QFile::encodeName(m_dir.path());
    bool m_mounted;
    std::optional<ScopedReplaceFault> m_fault;
};

} // namespace cantorel::testing
