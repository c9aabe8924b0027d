#include "platform/printing/file_output.h"

#include "platform/error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun::printing {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, const char* step, int err)
{
    throw io_error("cannot write " + file.string() + ": " + step + ": " + std::strerror(err));
}

// Writes everything or returns the errno of the failure.
int write_all(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void write_in_place(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        fail(file, "open", errno);
    }
    const int err = write_all(fd, bytes);
    const int close_err = ::close(fd) != 0 ? errno : 0;
    if (err != 0 || close_err != 0) {
        fail(file, "write", err != 0 ? err : close_err);
    }
}

} // namespace

void write_file_whole(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
        !S_ISDIR(existing.st_mode)) {
        write_in_place(file, bytes);
        return;
    }
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    std::string temp = (dir / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        fail(file, "create", errno);
    }
    int err = write_all(fd, bytes);
    // mkstemp creates the file for its owner alone; a print job is an ordinary document.
    if (err == 0 && ::fchmod(fd, 0644) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0 && std::rename(temp.c_str(), file.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        ::unlink(temp.c_str());
        fail(file, "write", err);
    }
}

} // namespace kestrun::printing
