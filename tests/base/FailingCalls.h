#pragma once
// File system calls of which one kind fails with a chosen error number, for
// the failure paths of replacements and backups. A failing close still
// closes, so nothing leaks.
#include "base/FileReplace.h"

#include <cerrno>

namespace cantorel::testing {

class FailingCalls : public FileSystemCalls {
public:
    enum class Call { CreateNew, Write, DataSync, Close, Rename, SyncFolder, Link };

    FailingCalls(Call call, int errorNumber) : m_call(call), m_error(errorNumber) {}

    int createNew(const char* path, mode_t mode) const override
    {
        return fails(Call::CreateNew) ? -1 : FileSystemCalls::createNew(path, mode);
    }
    ssize_t write(int fd, const void* bytes, size_t size) const override
    {
        return fails(Call::Write) ? -1 : FileSystemCalls::write(fd, bytes, size);
    }
    int dataSync(int fd) const override { return fails(Call::DataSync) ? -1 : FileSystemCalls::dataSync(fd); }
    int close(int fd) const override
    {
        const int closed = FileSystemCalls::close(fd);
        return fails(Call::Close) ? -1 : closed;
    }
    int rename(const char* from, const char* to) const override
    {
        return fails(Call::Rename) ? -1 : FileSystemCalls::rename(from, to);
    }
    int link(const char* from, const char* to) const override
    {
        return fails(Call::Link) ? -1 : FileSystemCalls::link(from, to);
    }
    int syncFolder(const char* folder) const override
    {
        return fails(Call::SyncFolder) ? -1 : FileSystemCalls::syncFolder(folder);
    }

private:
    // True (with errno set) when `call` is the one to fail.
    bool fails(Call call) const
    {
        if (call != m_call)
            return false;
        errno = m_error;
        return true;
    }

    Call m_call;
    int m_error;
};

} // namespace cantorel::testing
