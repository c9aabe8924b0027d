#include "platform/io/folder_lock.h"

#include "platform/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
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

} // namespace kestrun::io
