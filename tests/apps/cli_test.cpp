// The command line as a user and the independent checks meet it: what a printed page holds, and
// one clear line with a non-zero exit for every bad input.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

namespace {

using namespace kestrun::testing;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

TEST(cli_page, draws_the_form_as_text)
{
    scratch_dir dir;
    auto pdf = dir / "pit2k.pdf";
    ASSERT_EQ(
        run(cli + " page TF_w2k15_1 " + shell_quote(example) + " --out " + shell_quote(pdf)).status,
        0);
    auto text = run(std::string(KESTRUN_PDFTOTEXT) + " " + shell_quote(pdf) + " -");
    EXPECT_NE(text.output.find("Identyfikator podatkowy"), std::string::npos)
        << "the form's own print is text";
    auto pages = run(std::string(KESTRUN_QPDF) + " --show-pages --with-images " + shell_quote(pdf));
    EXPECT_EQ(pages.output.find(" x "), std::string::npos) << "no pixels: " << pages.output;
}

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

TEST(cli_errors, bad_input_gives_one_line_exit_2_and_no_output_file)
{
    scratch_dir dir;
    write_text(dir / "short.bin", std::string(9000, '\0'));
    write_text(dir / "not_json.json", "{\"rekzez\": ");
    write_text(dir / "rekster.bin", std::string(1024, '\0'));
    write_text(dir / "unknown_key.json", R"({"rekzez": {"nazwisko": "Nowak"}})");
    const std::string out = " --out " + shell_quote(dir / "x.pdf");
    struct bad_case {
        std::string args;
        std::string says;
        const char* why;
    };
    const bad_case cases[] = {
        {"page TF_w9915_1 " + shell_quote(example) + out, "TF_w9915_1", "unknown class"},
        {"page TF_w2k15_1 --image rekzez=" + shell_quote(dir / "short.bin") + out, "9000",
         "packed image of the wrong size"},
        {"page TF_w2k15_1 --image rekord=" + shell_quote(dir / "short.bin") + out, "rekord",
         "unknown record name"},
        {"page TF_w2k15_1 " + shell_quote(example) + " --nrp 1" + out, "nrp",
         "a parameter the page does not take"},
        {"page TF_w2k15_1 " + shell_quote(dir / "not_json.json") + out, "not_json.json",
         "not JSON at all"},
        {"page TF_w2k15_1 " + shell_quote(dir / "missing.json") + out, "missing.json",
         "no such file"},
        {"page TF_w2k15_1 " + shell_quote(example) + " --out " + shell_quote(dir / "no" / "x.pdf"),
         "no", "the output folder does not exist"},
        {"page TF_w2k15_1 " + shell_quote(example) + " --out " + shell_quote(dir / "x.txt"),
         ".pdf or .png", "an output that is neither PDF nor PNG"},
        {"fields", "class", "usage: the class is required"},
        {"encode " + shell_quote(example) + " --out " + shell_quote(dir.path()),
         "already holds rekster.bin of an earlier encode; give --replace",
         "encode over the images of an earlier one"},
        {"decode --image rekster=" + shell_quote(dir / "rekster.bin") + " --globals " +
             shell_quote(dir / "unknown_key.json"),
         "unknown_key.json: rekzez: a globals file holds only", "a record in the globals file"},
        {"decode --image rekster=" + shell_quote(dir / "rekster.bin") + " --globals " +
             shell_quote(dir / "missing.json"),
         "missing.json", "no globals file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto r = run(cli + " " + c.args);
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        EXPECT_FALSE(std::filesystem::exists(dir / "x.pdf"));
    }
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
        }
    }
}

} // namespace
