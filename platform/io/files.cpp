#include "platform/io/files.h"

#include "platform/error.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun::io {

namespace {

[[noreturn]] void write_failed(const std::filesystem::path& file, const char* step, int err)
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

// The temporary files being written, where a signal handler can find them: fixed slots of
// plain characters, since a handler may neither allocate nor lock.
constexpr std::size_t path_room = 4096;
struct temporary_slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> ready{false};
    std::array<char, path_room> path{};
};
std::array<temporary_slot, 32> temporaries;

temporary_slot* remember(const std::string& path)
{
    if (path.size() >= path_room) {
        return nullptr;
    }
    for (auto& slot : temporaries) {
        bool expected = false;
        if (slot.claimed.compare_exchange_strong(expected, true)) {
            std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
            slot.ready.store(true);
            return &slot;
        }
    }
    return nullptr; // more files at once than slots: only a signal would leave it behind
}

void forget(temporary_slot* slot)
{
    if (slot != nullptr) {
        slot->ready.store(false);
        slot->claimed.store(false);
    }
}

std::atomic<signal_note> the_note{nullptr};
// Steps under way that a signal must not cut in two, and the signal that came meanwhile.
std::atomic<int> steps_under_way{0};
std::atomic<int> waiting_signal{0};

extern "C" void remove_temporaries_and_end(int signal)
{
    // SIGXFSZ comes from a write inside such a step and must end it there, as a failed write.
    if (signal != SIGXFSZ) {
        // Waiting is recorded before the steps are looked at, and a step ends before it looks
        // for a waiting signal: one of the two always ends the program.
        waiting_signal.store(signal);
        if (steps_under_way.load() > 0) {
            return;
        }
    }
    for (auto& slot : temporaries) {
        if (slot.ready.load()) {
            ::unlink(slot.path.data());
        }
    }
    if (const signal_note note = the_note.load()) {
        note(signal);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// What mkstemp replaces with letters and digits in a temporary file's name.
constexpr std::string_view temporary_suffix = "XXXXXX";

// A temporary file next to its target; removed unless it was renamed over the target.
class temporary_file {
public:
    explicit temporary_file(const std::filesystem::path& target) : m_target(target)
    {
        const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";
        m_path = (dir / ("." + target.filename().string() + "." + std::string(temporary_suffix)))
                     .string();
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
        if (m_fd < 0) {
            write_failed(target, "create", errno);
        }
        m_slot = remember(m_path);
    }
    ~temporary_file()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_renamed) {
            ::unlink(m_path.c_str());
        }
        forget(m_slot);
    }
    temporary_file(const temporary_file&) = delete;
    temporary_file& operator=(const temporary_file&) = delete;

    // The bytes on the disk and the file closed, ready to take the target's place.
    void write(std::span<const std::uint8_t> bytes)
    {
        int err = write_all(m_fd, bytes);
        // mkstemp creates the file for its owner alone; what we write is an ordinary document.
        if (err == 0 && ::fchmod(m_fd, 0644) != 0) {
            err = errno;
        }
        if (err == 0 && ::fsync(m_fd) != 0) {
            err = errno;
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && err == 0) {
            err = errno;
        }
        if (err != 0) {
            write_failed(m_target, "write", err);
        }
    }

    void rename()
    {
        if (std::rename(m_path.c_str(), m_target.c_str()) != 0) {
            write_failed(m_target, "rename", errno);
        }
        m_renamed = true;
    }

private:
    std::filesystem::path m_target;
    std::string m_path;
    int m_fd = -1;
    bool m_renamed = false;
    temporary_slot* m_slot = nullptr;
};

// A device or pipe is written where it is; a folder cannot be written at all.
bool write_in_place(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    struct stat existing {};
    if (::stat(file.c_str(), &existing) != 0 || S_ISREG(existing.st_mode)) {
        return false;
    }
    if (S_ISDIR(existing.st_mode)) {
        write_failed(file, "open", EISDIR);
    }
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        write_failed(file, "open", errno);
    }
    const int err = write_all(fd, bytes);
    const int close_err = ::close(fd) != 0 ? errno : 0;
    if (err != 0 || close_err != 0) {
        write_failed(file, "write", err != 0 ? err : close_err);
    }
    return true;
}

void sync_folder(const std::filesystem::path& file)
{
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // the rename is durable once its folder is; best effort
        ::close(fd);
    }
}

} // namespace

std::optional<std::string> temporary_target(std::string_view name)
{
    const auto size = temporary_suffix.size();
    if (name.size() < size + 3 || name.front() != '.' || name[name.size() - size - 1] != '.')
        return std::nullopt;
    const auto suffix = name.substr(name.size() - size);
    if (!std::all_of(suffix.begin(), suffix.end(), [](unsigned char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        }))
        return std::nullopt;
    return std::string(name.substr(1, name.size() - size - 2));
}

std::vector<std::uint8_t> read_file(const std::filesystem::path& file, std::size_t limit,
                                    std::string_view what)
{
    // Non-blocking, so that opening a pipe with no writer does not wait for ever.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw io_error(file.string() + ": cannot open: " + std::strerror(errno));
    }
    const auto closer =
        std::unique_ptr<const int, void (*)(const int*)>(&fd, [](const int* f) { ::close(*f); });
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throw io_error(file.string() + ": cannot read: " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        throw input_error(file.string() + ": the " + std::string(what) + " is not a regular file");
    }
    const auto too_large = [&] {
        return input_error(file.string() + ": the " + std::string(what) + " is larger than " +
                           std::to_string(limit) + " bytes");
    };
    if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        throw too_large();
    }
    // The size is read again as the bytes come: a file may grow while it is read.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > limit) {
                throw too_large();
            }
            bytes.resize(std::min(limit + 1, bytes.size() * 2));
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw io_error(file.string() + ": cannot read: " + std::strerror(errno));
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (done > limit) {
        throw too_large();
    }
    bytes.resize(done);
    return bytes;
}

std::string read_text_file(const std::filesystem::path& file, std::size_t limit,
                           std::string_view what)
{
    const auto bytes = read_file(file, limit, what);
    return {bytes.begin(), bytes.end()};
}

void write_file(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    if (write_in_place(file, bytes)) {
        return;
    }
    temporary_file temporary(file);
    temporary.write(bytes);
    temporary.rename();
    sync_folder(file);
}

void write_file(const std::filesystem::path& file, std::string_view text)
{
    write_file(file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void append_file(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        write_failed(file, "open", errno);
    }
    struct stat before {};
    int err = ::fstat(fd, &before) != 0 ? errno : 0;
    if (err == 0) {
        err = write_all(fd, bytes);
        if (err != 0 && S_ISREG(before.st_mode)) {
            // What made it to the file is cut off, so the next append starts where this one did.
            (void)::ftruncate(fd, before.st_size);
        }
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err != 0) {
        write_failed(file, "write", err);
    }
}

void write_files(std::span<const file_content> files)
{
    std::vector<std::unique_ptr<temporary_file>> written;
    for (const auto& f : files) {
        written.push_back(std::make_unique<temporary_file>(f.file));
        written.back()->write(f.bytes);
    }
    for (auto& t : written) {
        t->rename();
    }
    if (!files.empty()) {
        sync_folder(files.front().file);
    }
}

signals_deferred::signals_deferred()
{
    ++steps_under_way;
}

signals_deferred::~signals_deferred()
{
    if (--steps_under_way == 0) {
        if (const int signal = waiting_signal.load(); signal != 0) {
            std::raise(signal);
        }
    }
}

void set_signal_note(signal_note note)
{
    the_note.store(note);
}

const char* signal_name(int signal)
{
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    case SIGQUIT:
        return "SIGQUIT";
    case SIGXFSZ:
        return "SIGXFSZ";
    default:
        return "a signal";
    }
}

void remove_temporaries_on_signal()
{
    // SIGXFSZ is what a write past the file-size limit raises, in the middle of the write.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ}) {
        struct sigaction current {};
        // A signal the caller ignores (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            struct sigaction action {};
            action.sa_handler = &remove_temporaries_and_end;
            sigemptyset(&action.sa_mask);
            ::sigaction(signal, &action, nullptr);
        }
    }
}

} // namespace kestrun::io
