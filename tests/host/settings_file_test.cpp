// The settings file zbster: read with read access alone, written whole, never left half made.

#include "host/korvel/settings_file.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "tests/support/render_probe.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::host;
using kestrun::printing::probe::read_bytes;
using kestrun::printing::probe::scratch_dir;

constexpr std::size_t dr_opt1_offset = 1;

// Root reads and writes any file whatever its mode: the user the host runs as does not.
class as_ordinary_user {
public:
    as_ordinary_user()
    {
        if (::geteuid() == 0)
            m_switched = ::seteuid(65534) == 0;
    }
    ~as_ordinary_user()
    {
        if (m_switched)
            (void)::seteuid(0);
    }
    as_ordinary_user(const as_ordinary_user&) = delete;
    as_ordinary_user& operator=(const as_ordinary_user&) = delete;

private:
    bool m_switched = false;
};

std::vector<std::uint8_t> stored_settings(std::uint8_t dr_opt1, std::size_t records)
{
    std::vector<std::uint8_t> bytes(1024 * records, 0xAB);
    std::fill_n(bytes.begin(), 1024, 0);
    bytes[dr_opt1_offset] = dr_opt1;
    return bytes;
}

TEST(settings_file, loads_from_what_an_earlier_run_or_the_user_left)
{
    struct row {
        std::function<void(const fs::path& file)> prepare;
        std::uint8_t dr_opt1;
        const char* why;
    };
    const row rows[] = {
        {[](const fs::path& file) { kestrun::io::write_file(file, std::string()); }, 0,
         "an empty file (an interrupted creation) is made again, not a failure for ever"},
        {[](const fs::path& file) {
             kestrun::io::write_file(file, stored_settings(7, 1));
             fs::permissions(file, fs::perms::owner_read | fs::perms::group_read |
                                       fs::perms::others_read);
         },
         7, "a read-only file still gives its settings"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        scratch_dir dir;
        fs::permissions(dir.path(), fs::perms::all);
        const auto file = dir / settings_file_name;
        r.prepare(file);
        host_state host;
        {
            const as_ordinary_user user;
            EXPECT_NO_THROW(load_settings(dir.path(), host));
        }
        EXPECT_EQ(host.bytes(record_id::rekster)[dr_opt1_offset], r.dr_opt1);
        EXPECT_EQ(fs::file_size(file), 1024U);
    }
}

TEST(settings_file, a_stored_setting_replaces_the_file_whole_and_changes_only_its_field)
{
    scratch_dir dir;
    const auto file = dir / settings_file_name;
    kestrun::io::write_file(file, stored_settings(7, 3));
    struct stat before {};
    ::stat(file.c_str(), &before);

    host_state host;
    host.bytes(record_id::rekster)[dr_opt1_offset] = 9;
    // Another run's stored mode is not this run's to write back.
    host.rekster_mut().set_flag("wydr_niezadr36", true);
    store_setting(dir.path(), host, "dr_opt1");

    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_NE(after.st_ino, before.st_ino) << "a new file renamed over the old one";
    EXPECT_EQ(read_bytes(file), stored_settings(9, 3)) << "the host's records after 0 stay";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{settings_file_name});
}

} // namespace
