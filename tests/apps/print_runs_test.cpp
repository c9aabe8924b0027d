// A print run is reproducible: the same return gives byte-identical PDFs whatever folder the run
// writes into, whatever the time zone and whatever the user's language. A print shop compares
// reprints by their bytes, and a signed or archived return must not change when printed again.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrun::testing;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit28.json";

std::map<std::string, std::vector<std::uint8_t>> print_run(const std::filesystem::path& folder,
                                                           const std::string& environment)
{
    std::filesystem::create_directories(folder);
    const auto r = run("cd " + shell_quote(folder) + " && env -u SOURCE_DATE_EPOCH " + environment +
                       " " + cli + " print pit28 " + shell_quote(example) +
                       " --yes --quiet --mode blank --printer PDF --settings " +
                       shell_quote(folder / "settings") + " --out " + shell_quote(folder / "out"));
    EXPECT_EQ(r.status, 0) << r.output;
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "out"))
        files[entry.path().filename().string()] = read_bytes(entry.path());
    return files;
}

TEST(print_run, gives_the_same_bytes_in_any_folder_time_zone_and_locale)
{
    struct setting {
        std::string folder, environment;
        const char* why;
    };
    const setting settings[] = {
        {"a", "TZ=UTC LANG=C LC_ALL=C", "the reference run"},
        {"b/deeper/ścieżka z odstępem", "TZ=Pacific/Kiritimati LANG=pl_PL.UTF-8 LC_ALL=pl_PL.UTF-8",
         "another folder, Polish locale, fourteen hours ahead of UTC"},
        {"c", "TZ=America/Los_Angeles LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 LC_NUMERIC=de_DE.UTF-8",
         "a decimal-comma locale eight hours behind UTC"},
        {"d", "TZ=Europe/Warsaw LANG=C.UTF-8 LC_ALL=C.UTF-8 HOME=/nonexistent",
         "Warsaw time, UTF-8 C locale, no home folder"},
    };
    scratch_dir dir;
    std::map<std::string, std::vector<std::uint8_t>> reference;
    for (const auto& s : settings) {
        SCOPED_TRACE(s.why);
        const auto files = print_run(dir / s.folder, s.environment);
        ASSERT_EQ(files.size(), 14U);
        if (reference.empty()) {
            reference = files;
            // The creation date is pinned, never the clock.
            const auto& first = files.begin()->second;
            EXPECT_NE(
                std::string(first.begin(), first.end()).find("/CreationDate (20160101000000Z)"),
                std::string::npos);
            continue;
        }
        for (const auto& [name, bytes] : reference) {
            ASSERT_TRUE(files.count(name)) << name;
            EXPECT_TRUE(files.at(name) == bytes) << name << " differs";
        }
    }
}

std::map<std::string, std::vector<std::uint8_t>> pages_under(const std::filesystem::path& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), folder).string()] =
                read_bytes(entry.path());
    return files;
}

// Returns printed side by side draw with their own threads' fonts and form drawings: the bytes
// are those of the same returns printed one at a time, in one process or in separate ones.
TEST(print_run, gives_the_same_bytes_whatever_the_number_of_workers)
{
    const std::string returns[] = {"pit28", "pit36_joint", "pit37", "pit36l"};
    scratch_dir dir;
    std::string files;
    for (const auto& r : returns) {
        files += " " + shell_quote(std::string(KESTRUN_SOURCE_DIR) + "/examples/" + r + ".json");
        const auto one =
            run("KESTRUN_NO_CUPS=1 " + cli + " print " +
                (r == "pit36_joint" ? std::string("pit36") : r) + " " +
                shell_quote(std::string(KESTRUN_SOURCE_DIR) + "/examples/" + r + ".json") +
                " --yes --quiet --mode blank --printer PDF --settings " +
                shell_quote(dir / "settings") + " --out " + shell_quote(dir / "single" / r));
        ASSERT_EQ(one.status, 0) << one.output;
    }
    const auto reference = pages_under(dir / "single");
    ASSERT_GT(reference.size(), 40U);
    for (const char* jobs : {"1", "2", "4"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        const auto out = dir / (std::string("jobs") + jobs);
        const auto r =
            run("KESTRUN_NO_CUPS=1 TZ=Asia/Tokyo LC_ALL=pl_PL.UTF-8 " + cli + " batch" + files +
                " --yes --quiet --mode blank --printer PDF --settings " +
                shell_quote(dir / "settings") + " --out " + shell_quote(out) + " --jobs " + jobs);
        ASSERT_EQ(r.status, 0) << r.output;
        const auto files_now = pages_under(out);
        ASSERT_EQ(files_now.size(), reference.size());
        for (const auto& [name, bytes] : reference) {
            ASSERT_TRUE(files_now.count(name)) << name;
            EXPECT_TRUE(files_now.at(name) == bytes) << name << " differs";
        }
    }
}

} // namespace
