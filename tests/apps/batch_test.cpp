// `kestrun batch`: every return through its own dialog into its own folder, the return type
// read from the file, a failing return named without stopping the others.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const fs::path examples = fs::path(KESTRUN_SOURCE_DIR) / "examples";

std::vector<std::string> pages_in(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// "PAGES RESULT" of the summary row of `file`: "14 printed".
std::string summary_row(const std::string& output, const std::string& file)
{
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(file + " ")) {
            std::istringstream row(line.substr(file.size()));
            std::string pages, result;
            row >> pages >> result;
            return pages + " " + result;
        }
    return {};
}

std::string batch(const std::string& args, const fs::path& dir)
{
    return "KESTRUN_NO_CUPS=1 " + cli + " batch " + args + " --yes --mode blank --printer PDF " +
           "--settings " + shell_quote(dir / "settings") + " --out " + shell_quote(dir / "out");
}

TEST(batch, each_return_prints_through_its_own_dialog_and_a_failure_stops_no_other)
{
    scratch_dir dir;
    write_text(dir / "broken.json", R"({"rekzez": )");
    write_text(dir / "faults.json", R"({"rekzez": {"rodz_zez": 1, "rok": "x", "nazwa": 1}})");
    struct row {
        std::string file;
        std::string first_page; // empty: the return fails
        std::string says;
        const char* why;
    };
    const row rows[] = {
        {(examples / "pit28.json").string(), "001-W2815_1.pdf", "", "rek28 makes a PIT-28"},
        {(examples / "pit36_joint.json").string(), "001-W36151.pdf", "", "rodz_zez 0: PIT-36"},
        {(examples / "pit37.json").string(), "001-W37151.pdf", "", "rodz_zez 1: PIT-37"},
        {(examples / "pit36l.json").string(), "001-W36l15_1.pdf", "", "rodz_zez 2: PIT-36L"},
        {(dir / "broken.json").string(), "", "broken.json: not valid JSON", "a broken file"},
        {(dir / "faults.json").string(), "", "faults.json: rekzez.rok: expected an integer",
         "a file with two faults"},
    };
    std::string files;
    for (const auto& r : rows)
        files += " " + shell_quote(r.file);
    const auto result = run(batch(files, dir.path()) + " --jobs 2");
    EXPECT_EQ(result.status, 1) << result.output;
    EXPECT_NE(result.output.find("2 of 6 returns failed"), std::string::npos) << result.output;
    // A failure of several lines is one cell of the table; standard error holds every line.
    EXPECT_NE(
        result.output.find("failed: " + rows[5].file +
                           ": rekzez.nazwa: unknown field (did you mean 'nazw'?) and 1 more\n"),
        std::string::npos)
        << result.output;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(line.starts_with("kestrun: ") || line.starts_with("return ") ||
                    std::any_of(std::begin(rows), std::end(rows),
                                [&](const row& r) { return line.starts_with(r.file + " "); }))
            << line;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto pages = pages_in(dir / "out" / fs::path(r.file).stem());
        if (r.first_page.empty()) {
            EXPECT_TRUE(pages.empty());
            EXPECT_NE(result.output.find("kestrun: " + r.file), std::string::npos) << result.output;
            EXPECT_NE(result.output.find(r.says), std::string::npos) << result.output;
            continue;
        }
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages.front(), r.first_page);
        // The summary row: the file, its page count, where it printed and on what paper.
        EXPECT_EQ(summary_row(result.output, r.file), std::to_string(pages.size()) + " printed")
            << result.output;
        EXPECT_NE(result.output.find("printed into " +
                                     (dir / "out" / fs::path(r.file).stem()).string() +
                                     " (blank paper, from --mode)\n"),
                  std::string::npos)
            << result.output;
    }
}

TEST(batch, refuses_before_printing_what_it_cannot_do)
{
    scratch_dir dir;
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    fs::copy_file(examples / "pit37.json", dir / "a" / "r.json");
    fs::copy_file(examples / "pit37.json", dir / "b" / "r.json");
    struct row {
        std::string command;
        std::string says;
        const char* why;
    };
    const row rows[] = {
        {batch(shell_quote(dir / "a" / "r.json") + " " + shell_quote(dir / "b" / "r.json"),
               dir.path()),
         "would both print into", "two returns of one stem would share a folder"},
        {"KESTRUN_NO_CUPS=1 " + cli + " batch " + shell_quote(dir / "a" / "r.json") + " --out " +
             shell_quote(dir / "out") + " </dev/null",
         "the prompts need answers", "no one answers the prompts"},
        {batch(shell_quote(dir / "a" / "r.json"), dir.path()) + " --jobs 0",
         "kestrun: --jobs: expected a whole number, 1 or more (try --help)\n", "no workers"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto result = run(r.command);
        EXPECT_EQ(result.status, 2) << result.output;
        EXPECT_NE(result.output.find(r.says), std::string::npos) << result.output;
        EXPECT_FALSE(fs::exists(dir / "out" / "r"));
    }
}

// The folder of a return is named after its file, and a name that is no plain folder name
// ("..json", "...json", a newline) would print outside --out and let --replace remove another
// run's pages there: such a file is refused before anything prints and nothing is removed.
TEST(batch, prints_nowhere_outside_its_folder_whatever_the_file_is_named)
{
    scratch_dir dir;
    const auto out = dir / "v" / "sub";
    fs::create_directories(out);
    const fs::path sentinels[] = {dir / "001-W36151.pdf", dir / "v" / "001-W36151.pdf",
                                  out / "001-W36151.pdf"};
    for (const auto& s : sentinels)
        write_text(s, "another run's page");
    for (const std::string name : {"...json", "..json", "a\nb.json", "a\\b.json"}) {
        SCOPED_TRACE(name);
        fs::copy_file(examples / "pit37.json", dir / name, fs::copy_options::overwrite_existing);
        const auto result = run("KESTRUN_NO_CUPS=1 " + cli + " batch " + shell_quote(dir / name) +
                                " --yes --printer PDF --replace --settings " +
                                shell_quote(dir / "settings") + " --out " + shell_quote(out));
        EXPECT_EQ(result.status, 2) << result.output;
        EXPECT_NE(result.output.find("is no plain folder name"), std::string::npos)
            << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
        for (const auto& s : sentinels)
            EXPECT_TRUE(fs::exists(s)) << s;
        EXPECT_EQ(pages_in(dir / "v"), (std::vector<std::string>{"001-W36151.pdf", "sub"}));
    }
    // ".json" is a plain (hidden) name: it prints inside --out.
    fs::copy_file(examples / "pit37.json", dir / ".json");
    const auto result = run(batch(shell_quote(dir / ".json"), dir.path()));
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(fs::exists(dir / "out" / ".json" / "001-W37151.pdf"));
}

// Runs sharing a settings folder each store their own return's mode: four processes at once and
// the four workers of one batch, all changing their mode to blank paper. A run that wrote back
// the record it read before printing would erase the others' changes.
TEST(batch, runs_sharing_a_settings_folder_keep_every_stored_mode)
{
    const std::pair<const char*, const char*> kinds[] = {{"pit28", "pit28.json"},
                                                         {"pit36", "pit36_joint.json"},
                                                         {"pit36l", "pit36l.json"},
                                                         {"pit37", "pit37.json"}};
    const auto modes = [](const fs::path& settings) {
        std::ifstream in(settings / "zbster", std::ios::binary);
        std::string record(49, '\0');
        in.read(record.data(), 49);
        return record.substr(45); // wydr_niezadr28, 36, 36l, 37
    };
    for (int trial = 0; trial < 2; ++trial) {
        scratch_dir dir;
        std::string together;
        for (const auto& [kind, file] : kinds)
            together += "KESTRUN_NO_CUPS=1 " + cli + " print " + kind + " " +
                        shell_quote(examples / file) + " --yes --mode blank --printer PDF " +
                        "--settings " + shell_quote(dir / "settings") + " --out " +
                        shell_quote(dir / kind) + " >/dev/null 2>&1 & ";
        run(together + "wait");
        EXPECT_EQ(modes(dir / "settings"), std::string(4, '\1')) << "trial " << trial;

        std::string files;
        for (const auto& [kind, file] : kinds)
            files += " " + shell_quote(examples / file);
        fs::remove_all(dir / "settings");
        const auto result = run(batch(files, dir.path()) + " --jobs 4");
        EXPECT_EQ(result.status, 0) << result.output;
        EXPECT_EQ(modes(dir / "settings"), std::string(4, '\1')) << "trial " << trial;
    }
}

} // namespace
