#pragma once
// A folder on a full file system, for the savers' failure paths: a real
// 64 KiB tmpfs of the test's own, whose room fill() takes. Mounting it needs
// the right to mount (root, or a mount namespace of the test program's own:
// ctest runs these tests through tests/main/with-own-mounts.sh); without it
// the test skips:
//
//     FullDisk disk;
//     if (!disk.mounted())
//         GTEST_SKIP() << FullDisk::kCannotMount;
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace cantorel::testing {

class FullDisk {
public:
    static constexpr const char* kCannotMount = "no right to mount a small file system here (root, or a user "
                                                "namespace of its own: ctest gives the full-disk tests one)";

    FullDisk() : m_mounted(::mount("tmpfs", name(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0) {}
    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(name(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString filePath(const QString& file) const { return m_dir.filePath(file); }

    // Takes the room that is left; call it once the old files are in place.
    void fill()
    {
        QFile filler(filePath("filler"));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
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
};

} // namespace cantorel::testing
