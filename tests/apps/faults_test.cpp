// Inputs and faults found from outside that once crashed the command line or lost data: each
// ends with one line, the right status and no output file.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;
using kestrun::printing::probe::read_bytes;
using kestrun::printing::probe::run;
using kestrun::printing::probe::scratch_dir;
using kestrun::testing::cli;
using kestrun::testing::shell_quote;

void write_text(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

TEST(cli_faults, each_ends_with_one_line_its_status_and_no_output)
{
    scratch_dir dir;
    write_text(dir / "nul.json", R"({"rek28": {"nazw": "A\u0000B"}})");
    write_text(dir / "long_ref.json", R"({"nr_zez_refer": ")" + std::string(5000, '7') + R"("})");
    write_text(dir / "plain.json", R"({"rek28": {"nazw": "Nowak"}})");
    fs::create_directory(dir / "folder");
    // Sparse: larger than any return file may be, without filling the disk.
    write_text(dir / "huge.json", "{}");
    fs::resize_file(dir / "huge.json", 17U << 20);
    ASSERT_EQ(run(cli + " encode " + shell_quote(dir / "plain.json") + " --out " +
                  shell_quote(dir.path()))
                  .status,
              0);
    const std::string out = " --out " + shell_quote(dir / "x.pdf");
    const std::string print =
        "KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + shell_quote(dir / "plain.json") + " --out " +
        shell_quote(dir / "pages") + " --settings " + shell_quote(dir / "settings") + " </dev/null";
    // Standard output to a full device, standard error still to the test.
    const auto to_full = [](const std::string& command) {
        return "{ " + command + " >/dev/full; }";
    };
    struct row {
        std::string command;
        int status;
        std::string says;
        const char* why;
    };
    const row rows[] = {
        {cli + " page TF_w2815_1 " + shell_quote(dir / "nul.json") + out, 2,
         "rek28.nazw: control character U+0000",
         "a control character in a return file is refused with its path, not a crash"},
        {cli + " page TF_w2815_1 /dev/zero" + out, 2, "/dev/zero", "an endless return file"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "folder") + out, 2, "folder",
         "a folder as the return file"},
        {cli + " page TF_w2815_1 --image rek28=/dev/zero" + out, 2, "/dev/zero",
         "an endless image"},
        {cli + " page TF_w2815_1 --image rek28=" + shell_quote(dir / "folder") + out, 2, "folder",
         "a folder as an image"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "huge.json") + out, 2,
         "larger than 16777216 bytes", "a return file beyond any real one"},
        {cli + " encode " + shell_quote(dir / "folder") + " --out " + shell_quote(dir.path()), 2,
         "folder", "encode reads its return file the same way"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "long_ref.json") + out, 2,
         "nr_zez_refer: text of 5000 characters, capacity 32",
         "a reference number longer than the host holds"},
        {to_full(cli + " decode --image rek28=" + shell_quote(dir / "rek28.bin")), 1,
         "standard output", "decode to a full device"},
        {to_full(cli + " fields TF_w2815_1 " + shell_quote(dir / "plain.json")), 1,
         "standard output", "fields to a full device"},
        {to_full("KESTRUN_NO_CUPS=1 " + cli + " printers"), 1, "standard output",
         "printers to a full device"},
        {print + " --yes --quiet --trace /dev/full", 1, "--trace /dev/full",
         "a trace lost to a full disk"},
        {print + " --answers ok,,cancel", 2, "--answers: answer 2 is empty",
         "an empty answer would shift every later one"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto result = run(r.command);
        EXPECT_EQ(result.status, r.status) << result.output;
        EXPECT_NE(result.output.find(r.says), std::string::npos) << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
        EXPECT_FALSE(fs::exists(dir / "x.pdf"));
    }
}

// A control byte in a packed image is not the user's typing: the page prints it replaced.
TEST(cli_faults, a_control_byte_in_an_image_prints_replaced)
{
    scratch_dir dir;
    write_text(dir / "r.json", R"({"rek28": {"nazw": "AXB"}})");
    ASSERT_EQ(
        run(cli + " encode " + shell_quote(dir / "r.json") + " --out " + shell_quote(dir.path()))
            .status,
        0);
    auto image = read_bytes(dir / "rek28.bin");
    const auto x = std::find(image.begin(), image.end(), 'X');
    ASSERT_NE(x, image.end());
    *x = 0;
    write_text(dir / "rek28.bin", std::string(image.begin(), image.end()));
    const std::string source = " --image rek28=" + shell_quote(dir / "rek28.bin");

    auto fields = kestrun::testing::cli_fields("TF_w2815_1" + source);
    EXPECT_EQ(fields["QRL_nazw"].caption, "A\uFFFDB");
    const auto page =
        run(cli + " page TF_w2815_1" + source + " --out " + shell_quote(dir / "p.pdf"));
    EXPECT_EQ(page.status, 0) << page.output;
    EXPECT_TRUE(fs::exists(dir / "p.pdf"));
}

} // namespace
