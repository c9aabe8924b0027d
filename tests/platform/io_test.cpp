// Whole files in and out under faults: a write cut short by a full disk (here a file-size limit,
// which binds root too) and a signal in the middle of a write.

#include "platform/error.h"
#include "platform/io/files.h"
#include "tests/support/render_probe.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kestrun::printing::probe::read_bytes;
using kestrun::printing::probe::scratch_dir;

std::vector<std::uint8_t> bytes_of(std::size_t size, std::uint8_t fill)
{
    return std::vector<std::uint8_t>(size, fill);
}

// While it lives, a write past `limit` bytes of a file fails (EFBIG) instead of filling it.
class file_size_limit {
public:
    explicit file_size_limit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit smaller = m_old;
        smaller.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &smaller);
    }
    ~file_size_limit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_old_handler);
    }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

private:
    rlimit m_old{};
    void (*m_old_handler)(int) = nullptr;
};

TEST(whole_files, a_write_cut_short_leaves_what_was_there)
{
    const auto old_bytes = bytes_of(100, 'o');
    const auto big = bytes_of(5000, 'n');
    const auto small = bytes_of(50, 'n');
    struct row {
        std::function<void(const fs::path& dir)> write;
        const char* why;
    };
    const row rows[] = {
        {[&](const fs::path& dir) { kestrun::io::write_file(dir / "a.bin", big); },
         "a file is replaced whole or not at all"},
        {[&](const fs::path& dir) {
             const kestrun::io::file_content set[] = {{dir / "b.bin", small}, {dir / "a.bin", big}};
             kestrun::io::write_files(set);
         },
         "a set is renamed only when every file of it is written"},
        {[&](const fs::path& dir) { kestrun::io::append_file(dir / "a.bin", big); },
         "an append (a port sheet) is cut back to the old end"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        scratch_dir dir;
        kestrun::io::write_file(dir / "a.bin", old_bytes);
        kestrun::io::write_file(dir / "b.bin", old_bytes);
        try {
            const file_size_limit limit(1000);
            r.write(dir.path());
            ADD_FAILURE() << "the write went through";
        } catch (const kestrun::error& e) {
            EXPECT_EQ(e.kind(), kestrun::error_kind::io);
            EXPECT_NE(std::string(e.what()).find(dir.path().string()), std::string::npos);
        }
        EXPECT_EQ(read_bytes(dir / "a.bin"), old_bytes);
        EXPECT_EQ(read_bytes(dir / "b.bin"), old_bytes);
        EXPECT_EQ(dir.entries().size(), 2U) << "no temporary file is left";
    }
}

TEST(whole_files, a_signal_during_a_write_leaves_no_temporary_file)
{
    scratch_dir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Exceeding the file-size limit raises SIGXFSZ in the middle of the write.
        kestrun::io::remove_temporaries_on_signal();
        rlimit no_core{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core);
        rlimit small{1000, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &small);
        try {
            kestrun::io::write_file(dir / "001-W2815_1.pdf", bytes_of(5000, 'p'));
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the signal ends the run as it says";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
}

} // namespace
