#pragma once
// A folder on a full file system, for the savers' failure paths.
//
// Where the test may mount (root, or CAP_SYS_ADMIN) it is a real 64 KiB tmpfs
// mounted on a temporary folder, and fill() takes all the room left in it, so
// the next write fails as on a full disk. Elsewhere it is an ordinary
// temporary folder, and fill() makes the write of every file replacement fail
// with ENOSPC instead.
#include "common/FileNames.h"
#include "common/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <optional>
#include <sys/mount.h>

namespace cantorel::testing {

class FullDisk {
public:
    FullDisk()
    {
        m_mounted = ::mount("tmpfs", encodeFileName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                            "size=64k")
            == 0;
    }
    ~FullDisk()
    {
        m_fault.reset();
        if (m_mounted)
            ::umount2(encodeFileName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // True for the real tmpfs, false for the injected failure.
    bool real() const { return m_mounted; }

    // Takes the room that is left; call it once the old files are in place.
    void fill()
    {
        if (!m_mounted) {
            m_fault.emplace(ReplaceStep::Write, ENOSPC);
            return;
        }
        QFile filler(filePath(kFiller));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }

    // The names in the folder, the filler left out: a failed save must leave
    // no temporary file behind.
    QStringList names() const
    {
        QStringList names =
            QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeAll(QString::fromLatin1(kFiller));
        return names;
    }

private:
    static constexpr const char* kFiller = "filler";
    QTemporaryDir m_dir;
    bool m_mounted = false;
    std::optional<ScopedReplaceFault> m_fault;
};

} // namespace cantorel::testing
