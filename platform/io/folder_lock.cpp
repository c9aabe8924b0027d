#include "platform/io/folder_lock.h"

#include "platform/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun::io {

folder_lock::folder_lock(const std::filesystem::path& folder)
{
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        throw io_error(folder.string() + ": cannot open the folder: " + std::strerror(errno));
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(m_fd);
        m_fd = -1;
        if (err == EWOULDBLOCK) {
            throw input_error(folder.string() + ": another run is printing into this folder");
        }
        throw io_error(folder.string() + ": cannot lock the folder: " + std::strerror(err));
    }
}

folder_lock::~folder_lock()
{
    if (m_fd >= 0) {
        ::close(m_fd); // closing the last descriptor releases the lock
    }
}

file_lock::file_lock(const std::filesystem::path& file)
{
    for (;;) {
        m_fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) {
            throw io_error(file.string() +
                           ": cannot open the file to lock it: " + std::strerror(errno));
        }
        int err = 0;
        do {
            err = ::flock(m_fd, LOCK_EX) == 0 ? 0 : errno;
        } while (err == EINTR);
        if (err == 0) {
            struct stat held {};
            struct stat now {};
            if (::fstat(m_fd, &held) != 0) {
                err = errno;
            } else if (::stat(file.c_str(), &now) == 0) {
                if (held.st_dev == now.st_dev && held.st_ino == now.st_ino) {
                    return;
                }
            } else if (errno != ENOENT) {
                err = errno;
            }
        }
        ::close(m_fd);
        m_fd = -1;
        if (err != 0) {
            throw io_error(file.string() + ": cannot lock the file: " + std::strerror(err));
        }
        // Replaced (or removed) while this run waited: the file to lock is the one there now.
    }
}

file_lock::~file_lock()
{
    ::close(m_fd);
}

} // namespace kestrun::io
