// The command line as a user's shell and tools meet it: started by name through PATH or a
// symlink, or as a copy without its assets; completing words on Tab; described by its manual
// page, option for option; and `kestrun schema`, the schema made from the record layouts, which
// accepts the bundled examples and refuses what the loader refuses, checked by a real JSON
// Schema validator.

#include "tests/support/cli_probe.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const fs::path source = KESTRUN_SOURCE_DIR;

TEST(cli_as_installed, finds_its_assets_from_its_own_file_and_fails_without_them_writing_nothing)
{
    scratch_dir dir;
    fs::create_directories(dir / "link");
    fs::create_symlink(cli, dir / "link" / "kestrun");
    fs::create_directories(dir / "copy" / "bin");
    fs::copy_file(cli, dir / "copy" / "bin" / "kestrun");
    const struct {
        fs::path folder; // on PATH, holding kestrun
        bool assets_beside;
        int status;
        const char* why;
    } cases[] = {
        {fs::path(cli).parent_path(), false, 0, "the build tree's program by name"},
        {dir / "link", false, 0, "a symlink to it by name"},
        {dir / "copy" / "bin", false, 1, "a copy with no share/kestrun/assets beside it"},
        {dir / "copy" / "bin", true, 0, "the copy once its assets are beside it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.assets_beside) {
            fs::create_directories(dir / "copy" / "share" / "kestrun");
            fs::create_directory_symlink(KESTRUN_BUILD_ASSETS_DIR,
                                         dir / "copy" / "share" / "kestrun" / "assets");
        }
        auto r = run("cd " + shell_quote(dir.path()) + " && env -u KESTRUN_ASSETS PATH=" +
                     shell_quote(c.folder) + ":/usr/bin:/bin kestrun print pit37 " +
                     shell_quote(source / "examples" / "pit37.json") +
                     " --printer PDF --yes --settings settings --out pages --pdf run.pdf");
        EXPECT_EQ(r.status, c.status) << r.output;
        EXPECT_EQ(fs::exists(dir / "run.pdf"), c.status == 0);
        if (c.status != 0) {
            EXPECT_NE(r.output.find("the assets are not installed next to " +
                                    (dir / "copy" / "bin" / "kestrun").string()),
                      std::string::npos)
                << r.output;
            EXPECT_FALSE(fs::exists(dir / "settings")) << "a failed run makes no settings file";
            EXPECT_FALSE(fs::exists(dir / "pages"));
        }
        fs::remove_all(dir / "settings");
        fs::remove_all(dir / "pages");
        fs::remove(dir / "run.pdf");
    }
}

TEST(cli_as_installed, tab_offers_the_words_the_program_accepts)
{
    const struct {
        std::string line;
        std::string offered; // one per line
    } cases[] = {
        {"kestrun pri", "print\nprinters\n"},
        {"kestrun help ba", "batch\n"},
        {"kestrun print pit3", "pit36\npit36l\npit37\n"},
        {"kestrun page TF_w2k", "TF_w2k15_1\n"},
        {"kestrun fields TF_wo15_", "TF_wo15_1\nTF_wo15_2\nTF_wo15_3\n"},
        {"kestrun print pit28 r.json --toggle", "--toggle-all\n"},
        {"kestrun print pit28 r.json --mode p", "preprinted\n"},
        {"kestrun print pit28 --check chbox_st_1,chbox_o_",
         "chbox_st_1,chbox_o_1\nchbox_st_1,chbox_o_2\n"},
        {"kestrun batch a.json --answers ok,c", "ok,cancel\n"},
        {"kestrun print pit28 ", ""}, // the return file: the shell completes file names
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto r = run("PATH=" + shell_quote(fs::path(cli).parent_path()) +
                     ":/usr/bin:/bin bash -c 'source \"$1\"; read -ra COMP_WORDS <<<\"$2\"; "
                     "[[ $2 == *\" \" ]] && COMP_WORDS+=(\"\"); "
                     "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _kestrun; "
                     "printf \"%s\\n\" \"${COMPREPLY[@]}\" | grep .' - " +
                     shell_quote(source / "share" / "bash-completion" / "kestrun") + " '" + c.line +
                     "'");
        EXPECT_EQ(r.output, c.offered);
    }
}

// The long options of a text: "\-\-mode" in the manual's source is "--mode".
std::set<std::string> long_options(std::string text)
{
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    std::set<std::string> out;
    const std::regex option("--[a-z][a-z-]*[a-z]");
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        if (it->str() != "--help")
            out.insert(it->str());
    return out;
}

TEST(cli_as_installed, the_manual_page_names_every_option_of_every_command_and_no_other)
{
    std::ifstream file(source / "docs" / "man" / "kestrun.1");
    const std::string page{std::istreambuf_iterator<char>(file), {}};
    const auto commands = run(cli + " help").output;
    const auto listed = commands.find("Subcommands:");
    ASSERT_NE(listed, std::string::npos) << commands;
    std::istringstream lines(commands.substr(listed));
    int compared = 0;
    for (std::string line, name; std::getline(lines, line);) {
        if (!(std::istringstream(line) >> name) || name.ends_with(":"))
            continue;
        SCOPED_TRACE(name);
        std::string options;
        std::istringstream help(run(cli + " help " + name).output);
        for (std::string entry, first; std::getline(help, entry);)
            if ((std::istringstream(entry) >> first) && first.starts_with("-"))
                options += first + "\n";
        const auto begin = page.find("\n.SS " + name + "\n");
        ASSERT_NE(begin, std::string::npos) << "kestrun(1) has no part on " << name;
        const auto end = page.find("\n.S", begin + 1);
        EXPECT_EQ(long_options(page.substr(begin, end - begin)), long_options(options));
        ++compared;
    }
    EXPECT_GE(compared, 9);
    EXPECT_TRUE(long_options(page).contains("--version"));
}

struct schema_probe {
    scratch_dir dir;
    std::filesystem::path schema = dir.path() / "schema.json";
    nlohmann::json document;

    schema_probe()
    {
        // Where `encode` writes, so that only the loader can refuse a file.
        std::filesystem::create_directories(dir.path() / "images");
        const auto r = run(cli + " schema > " + shell_quote(schema));
        EXPECT_EQ(r.status, 0) << r.output;
        std::ifstream in(schema);
        document = nlohmann::json::parse(in, nullptr, false);
    }
    // The validator's verdict on one file: "valid FILE" or "invalid FILE: PATH: MESSAGE".
    std::string verdict(const std::filesystem::path& file) const
    {
        const auto r = run(std::string(KESTRUN_PYTHON3) + " " +
                           shell_quote(source / "tests/apps/validate_return.py") + " " +
                           shell_quote(schema) + " " + shell_quote(file));
        EXPECT_EQ(r.status, 0) << r.output;
        return r.output;
    }
};

TEST(return_schema, accepts_every_bundled_example)
{
    schema_probe probe;
    for (const auto& entry : std::filesystem::directory_iterator(source / "examples")) {
        SCOPED_TRACE(entry.path().string());
        EXPECT_TRUE(probe.verdict(entry.path()).starts_with("valid "))
            << probe.verdict(entry.path());
    }
}

TEST(return_schema, refuses_what_the_loader_refuses)
{
    struct row {
        const char* json;
        const char* path; // where the validator finds the fault
        const char* why;
    };
    const row rows[] = {
        {R"({"rekzes": {}})", "", "an unknown record"},
        {R"({"rekzez": {"nazwa": "x"}})", "rekzez", "an unknown field"},
        {R"({"rekzez": {"obdar": [{"adres": "x"}]}})", "rekzez.obdar.0", "an unknown member"},
        {R"({"rek28": {"nazw": "123456789012345678901234567890123456789012345678901"}})",
         "rek28.nazw", "51 characters, capacity 50"},
        {R"({"rekzez": {"rok": "2015"}})", "rekzez.rok", "a text for an integer"},
        {R"({"rekzez": {"sp_opod": 300}})", "rekzez.sp_opod", "a byte above 255"},
        {R"({"rek28": {"przdg": [1, 2, 3, 4, 5, 6, 7, 8]}})", "rek28.przdg", "8 of room for 7"},
        {R"({"rekzez": {"zr": [[1, 2, 3, 4, 5]]}})", "rekzez.zr.0", "a row of 5, room for 4"},
        {R"({"rekzez": {"id_pesel": 1}})", "rekzez.id_pesel", "a number for a flag"},
        {R"({"rekzez": {"dur": "05.11.1975"}})", "rekzez.dur", "a date not YYYY-MM-DD"},
        {R"({"rek28": {"nazw": "A\tB"}})", "rek28.nazw", "a control character"},
        {R"({"wsp_z_malz": [1, 128]})", "wsp_z_malz.1", "a code above 127"},
        {R"({"nr_zez_refer": "123456789012345678901234567890123"})", "nr_zez_refer",
         "33 characters, capacity 32"},
    };
    schema_probe probe;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto file = probe.dir.path() / "bad.json";
        std::ofstream(file) << r.json;
        EXPECT_TRUE(
            probe.verdict(file).starts_with("invalid " + file.string() + ": " + r.path + ": "))
            << probe.verdict(file);
        const auto loaded = run(cli + " encode " + shell_quote(file) + " --out " +
                                shell_quote(probe.dir.path() / "images"));
        EXPECT_EQ(loaded.status, 2) << "the loader refuses it too: " << loaded.output;
    }
}

} // namespace
