// `print … --pdf FILE.pdf`: the whole run as one document, every confirmed page in the order the
// run printed it, for every return and both modes; the same run gives the same bytes, and a run
// that printed nothing leaves no file.

#include "tests/support/cli_probe.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const std::string examples = std::string(KESTRUN_SOURCE_DIR) + "/examples/";

std::string print(const std::string& type, const std::string& example, const std::string& mode,
                  const fs::path& dir, const std::string& extra)
{
    return "KESTRUN_NO_CUPS=1 " + cli + " print " + type + " " + shell_quote(examples + example) +
           " --yes --printer PDF --mode " + mode + " --settings " + shell_quote(dir / "settings") +
           " " + extra;
}

std::string page_text(const fs::path& pdf, int page)
{
    const auto n = std::to_string(page);
    return run(std::string(KESTRUN_PDFTOTEXT) + " -f " + n + " -l " + n + " " + shell_quote(pdf) +
               " -")
        .output;
}

TEST(cli_one_pdf, holds_every_page_of_the_run_in_order_for_every_return_and_mode)
{
    struct run_case {
        std::string type, example, mode;
    };
    const run_case cases[] = {
        {"pit28", "pit28.json", "blank"},       {"pit28", "pit28.json", "preprinted"},
        {"pit36", "pit36_joint.json", "blank"}, {"pit36", "pit36_joint.json", "preprinted"},
        {"pit36l", "pit36l.json", "blank"},     {"pit36l", "pit36l.json", "preprinted"},
        {"pit37", "pit37.json", "blank"},       {"pit37", "pit37.json", "preprinted"},
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

} // namespace
