#include "platform/vcl/typed_file.h"

#include "platform/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace kestrun::vcl {

namespace {
[[noreturn]] void fail(const std::filesystem::path& path, const char* operation, int err)
{
    throw io_error(path.string() + ": " + operation + " failed: " + std::strerror(err));
}
} // namespace

TTypedFile::~TTypedFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void TTypedFile::AssignFile(std::filesystem::path path)
{
    m_path = std::move(path);
}

void TTypedFile::open(int flags, std::size_t record_size, const char* operation)
{
    if (m_fd >= 0)
        CloseFile();
    if (record_size == 0)
        throw io_error(m_path.string() + ": " + operation + " with a record size of 0");
    const int fd = ::open(m_path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(m_path, operation, errno);
    m_fd = fd;
    m_record_size = record_size;
    m_position = 0;
}

void TTypedFile::Reset(std::size_t record_size)
{
    open(O_RDWR, record_size, "reset");
}

void TTypedFile::Rewrite(std::size_t record_size)
{
    open(O_RDWR | O_CREAT | O_TRUNC, record_size, "rewrite");
}

void TTypedFile::check_open(const char* operation) const
{
    if (m_fd < 0)
        throw io_error(m_path.string() + ": " + operation + " on a file that is not open");
}

void TTypedFile::Seek(std::int64_t record)
{
    check_open("seek");
    if (record < 0)
        throw io_error(m_path.string() + ": seek to record " + std::to_string(record));
    m_position = record;
}

void TTypedFile::Write(std::span<const std::uint8_t> record)
{
    check_open("write");
    if (record.size() != m_record_size)
        throw io_error(m_path.string() + ": write of " + std::to_string(record.size()) +
                       " bytes into records of " + std::to_string(m_record_size));
    auto offset = static_cast<off_t>(m_position * static_cast<std::int64_t>(m_record_size));
    std::size_t done = 0;
    while (done < record.size()) {
        const auto n = ::pwrite(m_fd, record.data() + done, record.size() - done,
                                offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(m_path, "write", errno);
        }
        if (n == 0)
            fail(m_path, "write", EIO);
        done += static_cast<std::size_t>(n);
    }
    ++m_position;
}

void TTypedFile::Read(std::span<std::uint8_t> record)
{
    check_open("read");
    if (record.size() != m_record_size)
        throw io_error(m_path.string() + ": read of " + std::to_string(record.size()) +
                       " bytes from records of " + std::to_string(m_record_size));
    auto offset = static_cast<off_t>(m_position * static_cast<std::int64_t>(m_record_size));
    std::size_t done = 0;
    while (done < record.size()) {
        const auto n = ::pread(m_fd, record.data() + done, record.size() - done,
                               offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(m_path, "read", errno);
        }
        if (n == 0)
            throw io_error(m_path.string() + ": record " + std::to_string(m_position) +
                           " is incomplete (" + std::to_string(done) + " of " +
                           std::to_string(m_record_size) + " bytes)");
        done += static_cast<std::size_t>(n);
    }
    ++m_position;
}

void TTypedFile::CloseFile()
{
    check_open("close");
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(m_path, "close", errno);
}

} // namespace kestrun::vcl
