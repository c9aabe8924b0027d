// The command line as a user's shell meets it: started by name through PATH or a symlink, or as
// a copy without its assets; completing words on Tab; described by its manual page.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace {

namespace fs = std::filesystem;
using kestrun::printing::probe::run;
using kestrun::printing::probe::scratch_dir;
using kestrun::testing::cli;
using kestrun::testing::shell_quote;

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

} // namespace
