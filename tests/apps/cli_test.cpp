// The command line as a user and the independent checks meet it: what `fields` prints, what a
// printed page holds, and one clear line with a non-zero exit for every bad input.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

namespace {

using kestrun::printing::probe::run;
using kestrun::printing::probe::scratch_dir;

using kestrun::testing::cli;
using kestrun::testing::cli_fields;
using kestrun::testing::shell_quote;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

void write_file(const std::filesystem::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

TEST(cli_fields, pit2k_of_the_joint_example)
{
    auto f = cli_fields("TF_w2k15_1 " + shell_quote(example));
    const std::map<std::string, std::string> expected = {
        {"QRL_nip", "5 2 6 - 1 0 4 - 0 8 - 2 8"},
        {"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
        {"QRL_nazw", "Wiśniewski"},
        {"QRL_im", "Grzegorz"},
        {"QRL_dur", "18-03-1974"},
        {"QRL_nazw1", "Wiśniewska"},
        {"QRL_im1", "Małgorzata"},
        {"QRL_dur1", "02-09-1976"},
        {"QRL_bud", ""},
        {"QRL_wkl", ""},
        {"QRL_zak", "x"},
        {"QRL_nadb", ""},
        {"QRL_kw1", "342.000,00"},
        {"QRL_kw2", "298.450,37"},
        {"QRL_rok1", "2011"},
        {"QRL_rok2", "2012"},
        {"QRL_rok3", "2011"},
        {"QRL_kw3", "287.000,00"},
    };
    for (const auto& [name, caption] : expected) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(f.count(name));
        EXPECT_EQ(f[name].caption, caption);
        EXPECT_TRUE(f[name].enabled);
    }
    EXPECT_TRUE(f["QRL_kas_pes"].enabled) << "taxpayer by NIP";
    EXPECT_FALSE(f["QRL_kas_nip"].enabled);
    EXPECT_TRUE(f["QRL_kas_nip1"].enabled) << "spouse by PESEL";
    EXPECT_FALSE(f["QRL_kas_pes1"].enabled);
    EXPECT_EQ(f.size(), 22u) << "every field of the page, in creation order";
}

TEST(cli_fields, pit2k_of_a_return_that_is_not_joint)
{
    scratch_dir dir;
    write_file(dir / "single.json",
               R"({"rekzez": {"nazw": "Nowak", "nazw_m": "Nowakowa", "im_m": "Ewa",
                   "dur_m": "1980-01-02", "pesel_m": "80010212345", "sp_opod": 5},
                   "wsp_z_malz": [2]})");
    auto f = cli_fields(shell_quote(dir / "single.json").insert(0, "TF_w2k15_1 "));
    EXPECT_EQ(f["QRL_nip1"].caption, "");
    EXPECT_FALSE(f["QRL_nip1"].enabled) << "box 2 empty and disabled";
    EXPECT_FALSE(f["QRL_kas_nip1"].enabled);
    EXPECT_FALSE(f["QRL_kas_pes1"].enabled);
    for (const char* name : {"QRL_nazw1", "QRL_im1", "QRL_dur1"})
        EXPECT_EQ(f[name].caption, "") << name;
    EXPECT_EQ(f["QRL_nazw"].caption, "Nowak");
}

TEST(cli_page, pdf_is_valid_draws_the_form_as_text_and_every_value_in_its_field)
{
    scratch_dir dir;
    auto pdf = dir / "pit2k.pdf";
    kestrun::testing::expect_page_prints_inside_fields("TF_w2k15_1 " + shell_quote(example), pdf);
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

TEST(cli_page, png_preview)
{
    scratch_dir dir;
    auto png = dir / "pit2k.png";
    auto r = run(cli + " page TF_w2k15_1 " + shell_quote(example) + " --out " + shell_quote(png));
    ASSERT_EQ(r.status, 0) << r.output;
    auto bytes = kestrun::printing::probe::read_bytes(png);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes[1], 'P');
}

TEST(cli_errors, bad_input_gives_one_line_exit_2_and_no_output_file)
{
    scratch_dir dir;
    write_file(dir / "short.bin", std::string(9000, '\0'));
    write_file(dir / "rekster.bin", std::string(1024, '\0'));
    write_file(dir / "unknown_key.json", R"({"rekzez": {"nazwisko": "Nowak"}})");
    write_file(dir / "long_text.json",
               R"({"rekzez": {"obdar": [{}, {"kr": ")" + std::string(95, 'a') + R"("}]}})");
    write_file(dir / "huge.json", R"({"rekzez": {"kw_wyd": 1e400}})");
    write_file(dir / "not_json.json", "{\"rekzez\": ");
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
        {"page TF_w2k15_1 " + shell_quote(dir / "unknown_key.json") + out, "rekzez.nazwisko",
         "unknown key named by its path"},
        {"page TF_w2k15_1 " + shell_quote(dir / "long_text.json") + out, "rekzez.obdar[2].kr",
         "text too long named by its path"},
        {"page TF_w2k15_1 " + shell_quote(dir / "huge.json") + out, "1e400",
         "an amount that is not finite"},
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

TEST(cli_errors, missing_asset_is_named)
{
    scratch_dir dir;
    auto r = run("KESTRUN_ASSETS=" + shell_quote(dir.path()) + " " + cli + " page TF_w2k15_1 " +
                 shell_quote(example) + " --out " + shell_quote(dir / "x.pdf"));
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("W2k15_1"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.pdf"));
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
        write_file(dir / "decoded.json", decoded.output);
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
