// Print runs started side by side, as two terminals or a script's `&` start them: the settings
// file they share stays a whole record written by one of them, and an output folder holds the
// pages of one run only.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit28.json";

std::string print(const fs::path& settings, const fs::path& out, const std::string& mode)
{
    return "KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + shell_quote(example) +
           " --yes --quiet --printer PDF --mode " + mode + " --settings " + shell_quote(settings) +
           " --out " + shell_quote(out);
}

// Starts the commands at once and waits for all: "status output" per command, in order.
std::vector<kestrun::printing::probe::command_result>
side_by_side(const std::vector<std::string>& commands, const fs::path& logs)
{
    std::string script;
    for (std::size_t i = 0; i < commands.size(); ++i)
        script += "( " + commands[i] + " >" + shell_quote(logs / std::to_string(i)) +
                  " 2>&1; echo $? >" + shell_quote(logs / (std::to_string(i) + ".status")) +
                  " ) & ";
    script += "wait";
    run(script);
    std::vector<kestrun::printing::probe::command_result> out;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        std::ifstream status(logs / (std::to_string(i) + ".status"));
        std::ifstream log(logs / std::to_string(i));
        kestrun::printing::probe::command_result r;
        status >> r.status;
        r.output.assign(std::istreambuf_iterator<char>(log), {});
        out.push_back(r);
    }
    return out;
}

// The settings file each mode leaves, from runs one after the other: any run side by side must
// leave one of these, whole.
TEST(side_by_side, runs_sharing_a_settings_folder_leave_one_whole_settings_file)
{
    scratch_dir dir;
    std::map<std::string, std::vector<std::uint8_t>> left_by;
    for (const std::string mode : {"blank", "preprinted"}) {
        const auto r = run(print(dir / ("alone-" + mode), dir / ("alone-out-" + mode), mode));
        ASSERT_EQ(r.status, 0) << r.output;
        left_by[mode] = read_bytes(dir / ("alone-" + mode) / "zbster");
    }
    ASSERT_NE(left_by["blank"], left_by["preprinted"]) << "the mode is a stored setting";
    fs::create_directories(dir / "logs");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<std::string> commands;
        for (int i = 0; i < 6; ++i)
            commands.push_back(print(
                dir / "shared", dir / ("out-" + std::to_string(round) + "-" + std::to_string(i)),
                i % 2 == 0 ? "blank" : "preprinted"));
        for (const auto& r : side_by_side(commands, dir / "logs"))
            EXPECT_EQ(r.status, 0) << r.output;
        const auto zbster = read_bytes(dir / "shared" / "zbster");
        EXPECT_TRUE(zbster == left_by["blank"] || zbster == left_by["preprinted"])
            << "zbster holds " << zbster.size() << " bytes, written by no single run";
        EXPECT_EQ(hidden_files(dir / "shared"), std::vector<std::string>{});
    }
}

// The second run into a folder in use is refused (the folder is locked), or, when the first has
// already finished, refused for the pages it finds: never two runs' pages in one folder.
TEST(side_by_side, runs_sharing_an_output_folder_never_mix_their_pages)
{
    scratch_dir dir;
    const auto alone = run(print(dir / "settings", dir / "alone", "blank"));
    ASSERT_EQ(alone.status, 0) << alone.output;
    fs::create_directories(dir / "logs");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto out = dir / ("out-" + std::to_string(round));
        const auto results = side_by_side({print(dir / "settings", out, "blank"),
                                           print(dir / "settings", out, "blank"),
                                           print(dir / "settings", out, "blank")},
                                          dir / "logs");
        int done = 0;
        for (const auto& r : results) {
            if (r.status == 0) {
                ++done;
                continue;
            }
            EXPECT_EQ(r.status, 2) << r.output;
            EXPECT_TRUE(r.output.find("another run") != std::string::npos ||
                        r.output.find("earlier run") != std::string::npos)
                << r.output;
            EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        }
        EXPECT_EQ(done, 1);
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir / "alone")) {
            names.push_back(e.path().filename().string());
            EXPECT_EQ(read_bytes(out / names.back()), read_bytes(e.path())) << names.back();
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator{}),
                  std::ptrdiff_t(names.size()));
    }
}

} // namespace
