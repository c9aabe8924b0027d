// Print runs. A run is reproducible: the same return gives byte-identical PDFs whatever folder
// the run writes into, whatever the time zone and whatever the user's language. A print shop
// compares reprints by their bytes, and a signed or archived return must not change when printed
// again. Runs started side by side, as two terminals or a script's `&` start them: the settings
// file they share stays a whole record written by one of them, and an output folder holds the
// pages of one run only. `print … --pdf FILE.pdf`: the whole run as one document, every
// confirmed page in the order the run printed it, for every return and both modes; a run that
// printed nothing leaves no file. The document names its return and carries it: printed again
// from itself, or from the return read out of it, it comes out byte for byte the same. `kestrun
// batch`: every return through its own dialog into its own folder, the return type read from the
// file, a failing return named without stopping the others.

#include "tests/support/cli_probe.h"

#include <algorithm>
#include <fstream>
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

namespace fs = std::filesystem;

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

const std::string examples = std::string(KESTRUN_SOURCE_DIR) + "/examples/";

std::string print(const std::string& type, const std::string& file, const std::string& mode,
                  const fs::path& dir, const std::string& extra)
{
    return "KESTRUN_NO_CUPS=1 " + cli + " print " + type + " " +
           shell_quote(fs::path(examples) / file) + " --yes --printer PDF --mode " + mode +
           " --settings " + shell_quote(dir / "settings") + " " + extra;
}

std::string page_text(const fs::path& pdf, int page)
{
    const auto n = std::to_string(page);
    return run(std::string(KESTRUN_PDFTOTEXT) + " -f " + n + " -l " + n + " " + shell_quote(pdf) +
               " -")
        .output;
}

std::string pdf_info(const fs::path& pdf)
{
    return run(std::string(KESTRUN_PDFINFO) + " " + shell_quote(pdf)).output;
}

TEST(cli_one_pdf, holds_every_page_of_the_run_in_order_for_every_return_and_mode)
{
    struct run_case {
        std::string type, example, mode, title;
    };
    const run_case cases[] = {
        {"pit28", "pit28.json", "blank", "PIT-28 za 2015 — Łukaszewicz Zbigniew"},
        {"pit28", "pit28.json", "preprinted", "PIT-28 za 2015 — Łukaszewicz Zbigniew"},
        {"pit36", "pit36_joint.json", "blank", "PIT-36 za 2015 — Wiśniewski Grzegorz"},
        {"pit36", "pit36_joint.json", "preprinted", "PIT-36 za 2015 — Wiśniewski Grzegorz"},
        {"pit36l", "pit36l.json", "blank", "PIT-36L za 2015 — Zieliński Andrzej"},
        {"pit36l", "pit36l.json", "preprinted", "PIT-36L za 2015 — Zieliński Andrzej"},
        {"pit37", "pit37.json", "blank", "PIT-37 za 2015 — Nowakowski Tadeusz"},
        {"pit37", "pit37.json", "preprinted", "PIT-37 za 2015 — Nowakowski Tadeusz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type + " " + c.mode);
        scratch_dir dir;
        // The pages one file each, as the reference for the document's order.
        auto r = run(
            print(c.type, c.example, c.mode, dir.path(), "--out " + shell_quote(dir / "pages")));
        ASSERT_EQ(r.status, 0) << r.output;
        std::vector<fs::path> pages;
        for (const auto& entry : fs::directory_iterator(dir / "pages"))
            pages.push_back(entry.path());
        std::sort(pages.begin(), pages.end());
        ASSERT_FALSE(pages.empty());

        const auto pdf = dir / "run.pdf";
        r = run(print(c.type, c.example, c.mode, dir.path(),
                      "--out " + shell_quote(dir / "one") + " --pdf " + shell_quote(pdf)));
        ASSERT_EQ(r.status, 0) << r.output;
        EXPECT_NE(r.output.find(
                      " (" + std::string(c.mode == "blank" ? "blank paper" : "pre-printed forms") +
                      ", from --mode); the run as one document " + pdf.string()),
                  std::string::npos)
            << r.output;
        EXPECT_TRUE(fs::is_empty(dir / "one")) << "the document replaces the page files";
        const auto check = run(std::string(KESTRUN_QPDF) + " --check " + shell_quote(pdf));
        EXPECT_EQ(check.status, 0) << check.output;
        const auto count = run(std::string(KESTRUN_QPDF) + " --show-npages " + shell_quote(pdf));
        EXPECT_EQ(count.output, std::to_string(pages.size()) + "\n");
        for (std::size_t i = 0; i < pages.size(); ++i)
            EXPECT_EQ(page_text(pdf, static_cast<int>(i) + 1), page_text(pages[i], 1))
                << "page " << i + 1 << " is " << pages[i].filename();
        const auto last = std::to_string(pages.size());
        EXPECT_NE(pdf_info(pages.back()).find(" " + c.title + " — "), std::string::npos);
        EXPECT_NE(pdf_info(pages.back()).find(", strona " + last + "/" + last + "\n"),
                  std::string::npos);
        const auto info = pdf_info(pdf);
        EXPECT_NE(info.find(" " + c.title + "\n"), std::string::npos) << info;
        EXPECT_NE(info.find(" kestrun 0."), std::string::npos) << info;
        EXPECT_NE(run(std::string(KESTRUN_PDFDETACH) + " -list " + shell_quote(pdf))
                      .output.find("1: print.json\n2: return.json\n"),
                  std::string::npos);
        // Printed again from the return read out of the document, or from the document itself.
        const auto json = dir / "r.json";
        if (c.mode == "blank") {
            r = run(cli + " decode --from-pdf " + shell_quote(pdf) + " > " + shell_quote(json));
            ASSERT_EQ(r.status, 0) << r.output;
        }
        const auto reprint = dir / "reprint.pdf";
        r = run(print(c.type, c.mode == "blank" ? json : pdf, c.mode, dir.path(),
                      "--out " + shell_quote(dir / "one") + " --pdf " + shell_quote(reprint)));
        ASSERT_EQ(r.status, 0) << r.output;
        EXPECT_TRUE(read_bytes(pdf) == read_bytes(reprint)) << "printed again, the same bytes";
        if (c.mode == "blank" && c.type == "pit36") {
            // The mode stored by the run before; the document's missing folders are made.
            const auto again = dir / "new" / "again.pdf";
            auto command =
                print(c.type, c.example, c.mode, dir.path(),
                      "--out " + shell_quote(dir / "one") + " --pdf " + shell_quote(again));
            command.erase(command.find("--mode blank"), 12);
            r = run(command);
            ASSERT_EQ(r.status, 0) << r.output;
            EXPECT_NE(r.output.find("(blank paper, as stored)"), std::string::npos) << r.output;
            EXPECT_TRUE(read_bytes(pdf) == read_bytes(again)) << "same input, same bytes";
        }
    }
}

TEST(cli_one_pdf, a_run_that_printed_nothing_or_a_bad_document_path_is_refused_or_leaves_no_file)
{
    scratch_dir dir;
    const auto pdf = dir / "run.pdf";
    const auto only_page_1 = "--toggle-all --check chbox_st_1 --out " + shell_quote(dir / "out");
    // Every prompt cancelled: exit 0, nothing printed, no document.
    auto command = print("pit28", "pit28.json", "blank", dir.path(), only_page_1);
    command.replace(command.find("--yes"), 5, "--answers cancel");
    auto r = run(command + " --pdf " + shell_quote(pdf));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("no page printed, so no document"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(pdf));

    std::ofstream(dir / "file") << "no folder";
    std::ofstream(dir / "old.pdf") << "an earlier document";
    struct refused_case {
        std::string pdf;
        std::string flags;
        std::string says;
    };
    const refused_case refused[] = {
        {(dir / "run.txt").string(), " --replace", "expected a .pdf file"},
        {(dir / "file" / "run.pdf").string(), " --replace",
         (dir / "file").string() + " is no folder"},
        {(dir / "old.pdf").string(), "", "the file already exists; give --replace to replace it"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.pdf);
        r = run(print("pit28", "pit28.json", "blank", dir.path(), only_page_1) + c.flags +
                " --pdf " + shell_quote(c.pdf));
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find("--pdf " + c.pdf + ": " + c.says), std::string::npos) << r.output;
        EXPECT_TRUE(fs::is_empty(dir / "out")) << "refused before anything printed";
    }
    EXPECT_EQ(run("cat " + shell_quote(dir / "old.pdf")).output, "an earlier document");
}

TEST(cli_one_pdf, a_document_without_its_return_damaged_or_altered_is_refused_with_one_line)
{
    scratch_dir dir;
    const auto only_page_1 = "--toggle-all --check chbox_st_1 --out " + shell_quote(dir / "out");
    const auto printed = [&](const std::string& name, const std::string& flags) {
        const auto pdf = dir / name;
        const auto r = run(print("pit28", "pit28.json", "blank", dir.path(),
                                 only_page_1 + flags + " --pdf " + shell_quote(pdf)));
        EXPECT_EQ(r.status, 0) << r.output;
        return shell_quote(pdf);
    };
    const auto pdf = printed("run.pdf", "");
    const auto bare = printed("bare.pdf", " --no-embed");
    const auto qpdf = std::string(KESTRUN_QPDF);
    // The return uncompressed, so that it can be altered in place; a return file that the
    // return-file checks refuse, embedded with a true checksum; the document cut short.
    run(qpdf + " --stream-data=uncompress " + pdf + " " + shell_quote(dir / "plain.pdf"));
    run("cp " + shell_quote(dir / "plain.pdf") + " " + shell_quote(dir / "altered.pdf") +
        " && LC_ALL=C sed -i 's/\"rok\": 2015/\"rok\": 2016/' " + shell_quote(dir / "altered.pdf"));
    write_text(dir / "return.json", R"({"rek28": {"nip": 5}})");
    run(qpdf + " " + pdf + " --add-attachment " + shell_quote(dir / "return.json") +
        " --key=return.json --replace -- " + shell_quote(dir / "invalid.pdf"));
    run("head -c 30000 " + pdf + " > " + shell_quote(dir / "cut.pdf"));
    // Over the return file's 16 MB once decoded, a few kilobytes compressed.
    write_text(dir / "return.json", std::string(17 << 20, ' '));
    run(qpdf + " " + pdf + " --add-attachment " + shell_quote(dir / "return.json") +
        " --key=return.json --replace -- " + shell_quote(dir / "large.pdf"));
    struct refused_case {
        std::string pdf, says;
    };
    const refused_case cases[] = {
        {bare, "the PDF carries no embedded return.json (printed with --no-embed"},
        {shell_quote(dir / "altered.pdf"), "return.json does not match its recorded checksum"},
        {shell_quote(dir / "invalid.pdf"), "(return.json): rek28.nip: "},
        {shell_quote(dir / "cut.pdf"), "cut.pdf: not a readable PDF ("},
        {shell_quote(dir / "large.pdf"), "the embedded return.json is larger than 16 MB"},
        {shell_quote(dir / "missing.pdf"), "missing.pdf: cannot open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pdf);
        auto r = run(cli + " decode --from-pdf " + c.pdf);
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(std::ranges::count(r.output, '\n'), 1) << r.output;
        r = run(print("pit28", c.pdf.substr(1, c.pdf.size() - 2), "blank", dir.path(),
                      only_page_1 + " --replace --pdf " + shell_quote(dir / "again.pdf")));
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_FALSE(fs::exists(dir / "again.pdf"));
    }
    // The uncompressed copy is the same return: only an alteration is refused.
    EXPECT_EQ(run(cli + " decode --from-pdf " + shell_quote(dir / "plain.pdf")).status, 0);
}

const fs::path bundled = fs::path(KESTRUN_SOURCE_DIR) / "examples";

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
        {(bundled / "pit28.json").string(), "001-W2815_1.pdf", "", "rek28 makes a PIT-28"},
        {(bundled / "pit36_joint.json").string(), "001-W36151.pdf", "", "rodz_zez 0: PIT-36"},
        {(bundled / "pit37.json").string(), "001-W37151.pdf", "", "rodz_zez 1: PIT-37"},
        {(bundled / "pit36l.json").string(), "001-W36l15_1.pdf", "", "rodz_zez 2: PIT-36L"},
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
    fs::copy_file(bundled / "pit37.json", dir / "a" / "r.json");
    fs::copy_file(bundled / "pit37.json", dir / "b" / "r.json");
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
        fs::copy_file(bundled / "pit37.json", dir / name, fs::copy_options::overwrite_existing);
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
    fs::copy_file(bundled / "pit37.json", dir / ".json");
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
                        shell_quote(bundled / file) + " --yes --mode blank --printer PDF " +
                        "--settings " + shell_quote(dir / "settings") + " --out " +
                        shell_quote(dir / kind) + " >/dev/null 2>&1 & ";
        run(together + "wait");
        EXPECT_EQ(modes(dir / "settings"), std::string(4, '\1')) << "trial " << trial;

        std::string files;
        for (const auto& [kind, file] : kinds)
            files += " " + shell_quote(bundled / file);
        fs::remove_all(dir / "settings");
        const auto result = run(batch(files, dir.path()) + " --jobs 4");
        EXPECT_EQ(result.status, 0) << result.output;
        EXPECT_EQ(modes(dir / "settings"), std::string(4, '\1')) << "trial " << trial;
    }
}

} // namespace
