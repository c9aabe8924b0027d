// The command line's conventions as a new user meets them: the trace on standard output, progress
// only on a terminal, and what a page tells of the text it prints: a text cut at its box's edge is
// warned of, naming the page and the field, on standard error and in the trace, and `fields`
// reports the size a text is printed at, as the PDF shows it. A scan among the assets printed
// instead of the drawing, and a return that comes back whole through its packed images and prints
// from them.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const std::string examples = std::string(KESTRUN_SOURCE_DIR) + "/examples/";

// Standard output alone: standard error is dropped.
std::string standard_output(const std::string& command)
{
    return run("{ " + command + " 2>/dev/null; }").output;
}

TEST(cli_print, the_trace_goes_to_standard_output_and_progress_only_to_a_terminal)
{
    scratch_dir dir;
    const std::string command =
        "KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + shell_quote(examples + "pit28.json") +
        " --yes --printer PDF --check chbox_st_1 --toggle-all --out " + shell_quote(dir / "out") +
        " --settings " + shell_quote(dir / "settings");
    const auto trace = standard_output(command + " --trace -");
    EXPECT_EQ(trace.rfind("{\"event\":\"activate\"", 0), 0U) << trace;
    EXPECT_NE(trace.find("{\"event\":\"message_box\""), std::string::npos) << trace;
    EXPECT_FALSE(fs::exists("-"));

    // Standard error is a pipe here: the closing line alone.
    auto piped = run(command + " --replace");
    ASSERT_EQ(piped.status, 0) << piped.output;
    EXPECT_EQ(piped.output.find("page 1 of"), std::string::npos) << piped.output;
    EXPECT_NE(piped.output.find("kestrun: printed"), std::string::npos) << piped.output;
    // On a terminal, a line per page.
    auto terminal = run("script -qec " + shell_quote(command + " --replace") + " /dev/null");
    EXPECT_NE(terminal.output.find("page 1 of"), std::string::npos) << terminal.output;
}

TEST(cli_page, prepare_pit28_shows_the_attachment_as_print_pit28_prints_it)
{
    const auto pit28 = shell_quote(examples + "pit28.json");
    struct prepare_case {
        std::string args;
        bool warned;
        std::string nazw;
        const char* why;
    };
    const prepare_case cases[] = {
        {"TF_wo15_1 " + pit28, true, "", "the page as stored, with a warning"},
        {"TF_wo15_1 " + pit28 + " --prepare pit28", false, "Łukaszewicz",
         "as print pit28 shows it"},
        {"TF_w2k15_1 " + shell_quote(examples + "pit36_joint.json"), false, "Wiśniewski",
         "a return without PIT-28 attachment data has nothing to warn of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto r = run("{ " + cli + " fields " + c.args + " 2>&1 >/dev/null; }");
        EXPECT_EQ(r.output.find("add --prepare pit28") != std::string::npos, c.warned) << r.output;
        auto f = kestrun::testing::cli_fields(c.args);
        EXPECT_EQ(f["QRL_nazw"].caption, c.nazw);
    }
    const auto wrong = run(cli + " page TF_w2815_1 " + pit28 + " --prepare pit36 --out /tmp/x.pdf");
    EXPECT_EQ(wrong.status, 2) << wrong.output;
    EXPECT_NE(wrong.output.find("--prepare pit36: expected pit28"), std::string::npos);
}

// A house number of ten wide characters, within the record's capacity, and an amount above
// 999 999,99 in a narrow column.
const std::string wide_return = R"({"rek28": {"nazw": "Nowak", "nrd": "WWWWWWWWWW",
                                   "przdg": [99999999.99, 0, 0, 0, 0, 0, 0]}})";
const std::string clipped_line =
    "kestrun: warning: TF_w2815_1: the text \"WWWWWWWWWW\" of QRL_nrd is wider than its box";

TEST(cli_clipped, a_text_cut_at_its_box_edge_is_warned_of_in_every_command_and_the_trace)
{
    scratch_dir dir;
    std::ofstream(dir / "wide.json") << wide_return;
    const auto file = shell_quote(dir / "wide.json");
    struct clip_case {
        std::string command;
        const char* why;
    };
    const clip_case cases[] = {
        {"{ " + cli + " fields TF_w2815_1 " + file + " >/dev/null; }", "fields"},
        {cli + " page TF_w2815_1 " + file + " --out " + shell_quote(dir / "p.pdf"), "page"},
        {"KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + file +
             " --yes --mode blank --printer PDF --out " + shell_quote(dir / "out") +
             " --settings " + shell_quote(dir / "s") + " --trace " +
             shell_quote(dir / "trace.jsonl"),
         "print"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto r = run(c.command);
        EXPECT_EQ(r.status, 0) << r.output;
        EXPECT_NE(r.output.find(clipped_line), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("QRL_nazw"), std::string::npos) << "a text that fits is quiet";
    }
    std::ifstream trace(dir / "trace.jsonl");
    int clipped = 0;
    for (std::string line; std::getline(trace, line);) {
        const auto e = nlohmann::json::parse(line);
        if (e.at("event") != "clipped")
            continue;
        ++clipped;
        EXPECT_EQ(e.at("class"), "TF_w2815_1");
        EXPECT_EQ(e.at("field"), "QRL_nrd");
        EXPECT_EQ(e.at("text"), "WWWWWWWWWW");
    }
    EXPECT_EQ(clipped, 1);
}

TEST(cli_clipped, fields_reports_the_size_a_text_is_printed_at)
{
    scratch_dir dir;
    std::ofstream(dir / "wide.json") << wide_return;
    const auto file = shell_quote(dir / "wide.json");
    auto f = kestrun::testing::cli_fields("TF_w2815_1 " + file);
    ASSERT_TRUE(f.count("QRL_przdg1"));
    ASSERT_EQ(f["QRL_przdg1"].caption, "99.999.999,99");
    const double reported = f["QRL_przdg1"].font_pt;
    EXPECT_LT(reported, 8.0) << "the amount prints below its reduced design size";

    // The PDF agrees: a glyph box of Liberation Sans is 1.149 of the size in height, and every
    // caption of one size has the same height.
    ASSERT_EQ(run(cli + " page TF_w2815_1 " + file + " --out " + shell_quote(dir / "p.pdf")).status,
              0);
    const auto words = kestrun::printing::probe::words_of(dir / "p.pdf");
    const auto height_of = [&](const std::string& text) {
        for (const auto& w : words)
            if (w.text == text)
                return w.y_max - w.y_min;
        return 0.0;
    };
    const double amount = height_of("99.999.999,99");
    const double name = height_of("Nowak");
    ASSERT_GT(amount, 0.0);
    ASSERT_GT(name, 0.0);
    EXPECT_NEAR(amount / name, reported / f["QRL_nazw"].font_pt, 0.01)
        << "the printed heights keep the ratio of the reported sizes";
}

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

// A scan a host puts among the assets prints instead of the drawing, its JPEG bytes unchanged.
TEST(cli_page, a_scan_in_the_assets_prints_byte_for_byte_instead_of_the_drawing)
{
    scratch_dir dir;
    std::filesystem::copy(KESTRUN_BUILD_ASSETS_DIR, dir / "assets",
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(dir / "assets" / "scans");
    const auto scan = kestrun::printing::probe::test_scan();
    std::ofstream(dir / "assets" / "scans" / "W2k15_1.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(scan->bytes().data()),
               static_cast<std::streamsize>(scan->bytes().size()));
    auto pdf = dir / "pit2k.pdf";
    auto r = run("KESTRUN_ASSETS=" + shell_quote(dir / "assets") + " " + cli + " page TF_w2k15_1 " +
                 shell_quote(example) + " --out " + shell_quote(pdf));
    ASSERT_EQ(r.status, 0) << r.output;
    auto bytes = kestrun::printing::probe::read_bytes(pdf);
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), scan->bytes().begin(), scan->bytes().end()),
              bytes.end());
    auto text = run(std::string(KESTRUN_PDFTOTEXT) + " " + shell_quote(pdf) + " -");
    EXPECT_EQ(text.output.find("Identyfikator podatkowy"), std::string::npos)
        << "the drawing is not printed under the scan";
}

TEST(cli_encode, encode_then_decode_gives_back_the_return_and_its_globals)
{
    // The same return, byte for byte: encode, decode the images and globals.json to a return
    // file, encode that again; page 1 printed from it carries the reference number.
    namespace fs = std::filesystem;
    for (const std::string name : {"pit36_joint.json", "pit28.json"}) {
        SCOPED_TRACE(name);
        scratch_dir dir;
        auto r = run(cli + " encode " + shell_quote(fs::path(example).parent_path() / name) +
                     " --out " + shell_quote(dir / "first"));
        ASSERT_EQ(r.status, 0) << r.output;
        std::string images;
        std::set<std::string> written;
        for (const auto& entry : fs::directory_iterator(dir / "first")) {
            written.insert(entry.path().filename().string());
            if (entry.path().extension() == ".bin")
                images +=
                    " --image " + entry.path().stem().string() + "=" + shell_quote(entry.path());
        }
        ASSERT_TRUE(written.count("globals.json"));
        auto decoded = run(cli + " decode" + images + " --globals " +
                           shell_quote(dir / "first" / "globals.json") + " 2>/dev/null");
        ASSERT_EQ(decoded.status, 0) << decoded.output;
        write_text(dir / "decoded.json", decoded.output);
        // Into folders the encode makes, and over images of its own only with --replace.
        for (const std::string replace : {"", " --replace"}) {
            r = run(cli + " encode " + shell_quote(dir / "decoded.json") + " --out " +
                    shell_quote(dir / "second" / "images") + replace);
            ASSERT_EQ(r.status, 0) << r.output;
        }
        for (const auto& file : written) {
            SCOPED_TRACE(file);
            EXPECT_EQ(kestrun::printing::probe::read_bytes(dir / "first" / file),
                      kestrun::printing::probe::read_bytes(dir / "second" / "images" / file));
        }
        if (name == "pit28.json") {
            EXPECT_EQ(
                cli_fields("TF_w2815_1 " + shell_quote(dir / "decoded.json"))["QRL_nrref"].caption,
                "PIT28-2015-KRK-0\n00482");
            // The record a print needs may come as an image instead of a return file.
            r = run("KESTRUN_NO_CUPS=1 " + cli +
                    " print pit28 --image rek28=" + shell_quote(dir / "first" / "rek28.bin") +
                    " --yes --quiet --printer PDF --out " + shell_quote(dir / "out") +
                    " --settings " + shell_quote(dir / "settings"));
            EXPECT_EQ(r.status, 0) << r.output;
        }
    }
}

} // namespace
