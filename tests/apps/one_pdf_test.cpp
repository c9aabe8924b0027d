// `print … --pdf FILE.pdf`: the whole run as one document, every confirmed page in the order the
// run printed it, for every return and both modes; the same run gives the same bytes, and a run
// that printed nothing leaves no file. The document names its return and carries it: printed
// again from itself, or from the return read out of it, it comes out byte for byte the same.

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
    return "KESTRUN_NO_CUPS=1 " + cli + " print " + type + " " +
           shell_quote(fs::path(examples) / example) + " --yes --printer PDF --mode " + mode +
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

} // namespace
