// `kestrun schema`: the schema made from the record layouts accepts the bundled examples and
// refuses what the loader refuses, checked by a real JSON Schema validator.

#include "tests/support/cli_probe.h"

#include <fstream>

namespace {

using namespace kestrun::testing;

const std::filesystem::path source = KESTRUN_SOURCE_DIR;

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

TEST(return_schema, the_documented_example_is_valid_and_loads)
{
    schema_probe probe;
    std::ifstream doc(source / "docs/RETURN_FILE.md");
    std::string line, example;
    bool inside = false;
    while (std::getline(doc, line) && !(inside && line == "```")) {
        if (inside)
            example += line + "\n";
        inside = inside || line == "```json";
    }
    ASSERT_FALSE(example.empty());
    const auto file = probe.dir.path() / "documented.json";
    std::ofstream(file) << example;
    EXPECT_TRUE(probe.verdict(file).starts_with("valid ")) << probe.verdict(file);
    const auto loaded = run(cli + " encode " + shell_quote(file) + " --out " +
                            shell_quote(probe.dir.path() / "images"));
    EXPECT_EQ(loaded.status, 0) << loaded.output;
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
