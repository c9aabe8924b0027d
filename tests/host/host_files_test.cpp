// The host's files: the return file and the packed images; the settings file zbster, read with
// read access alone, written whole, never left half made.

#include "host/korvel/settings_file.h"
#include "host/returnfile/return_file.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "tests/support/record_builder.h"
#include "tests/support/render_probe.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrun::host;

namespace {

using kestrun::printing::probe::read_bytes;
using kestrun::printing::probe::scratch_dir;

std::string load_fault(const std::string& text)
{
    host_state h;
    try {
        load_return_json(text, h, "r.json");
    } catch (const kestrun::error& e) {
        EXPECT_EQ(e.kind(), kestrun::error_kind::input);
        return e.what();
    }
    return "no error";
}

TEST(return_file, every_fault_names_its_path)
{
    struct row {
        std::string json;
        std::string message;
    };
    const row rows[] = {
        {R"({"rek28": {"nazwa": "x"}})",
         "r.json: rek28.nazwa: unknown field (did you mean 'nazw'?)"},
        {R"({"rekzes": {}})", "r.json: rekzes: unknown key (did you mean 'rekzez'?)"},
        {R"({"rekzez": {"obdar": [{}, {"kr": ")" + std::string(95, 'k') + R"("}]}})",
         "r.json: rekzez.obdar[2].kr: text of 95 characters, capacity 88"},
        {R"({"rekzez": {"nazw": "Иванов"}})",
         "r.json: rekzez.nazw: character \"И\" is not representable in Windows-1250"},
        {R"({"rekzez": {"rok": 2015.5}})", "r.json: rekzez.rok: expected an integer, got number"},
        {R"({"rekzez": {"sp_opod": 300}})", "r.json: rekzez.sp_opod: 300 outside 0..255"},
        {R"({"rekzez": {"kw_wyd": 1e999}})",
         "r.json: not valid JSON: number overflow parsing '1e999'"},
        {R"({"rekzez": {"id_pesel": 1}})",
         "r.json: rekzez.id_pesel: expected true or false, got number"},
        {R"({"rekzez": {"przdg": 1}})", "r.json: rekzez.przdg: unknown field"},
        {R"({"rekzez": {"pl_m": [0,0,0,0,0,0,0,0,9]}})",
         "r.json: rekzez.pl_m: array of 9 elements, room for 8"},
        {R"({"rekzez": {"zr": [[1,2,3,4,5]]}})",
         "r.json: rekzez.zr[1]: array of 5 elements, room for 4"},
        {R"({"rekzez": {"pitb": [{}, {"dg": [{}, {}, {"prz": true}]}]}})",
         "r.json: rekzez.pitb[2].dg[3].prz: expected an amount (number), got boolean"},
        {R"({"rekzez": {"dziecko": [{"mies": [true, 1]}]}})",
         "r.json: rekzez.dziecko[1].mies[2]: expected true or false, got number"},
        {R"({"rekzez": {"zus": 1, "odl_o": [0, 2]}})",
         "r.json: rekzez.zus: set together with odl_o[2], which is the same field; give one of "
         "them"},
        {R"({"rekzez": {"dur": "1975-11-31"}})",
         "r.json: rekzez.dur: date \"1975-11-31\" is not a calendar date YYYY-MM-DD or null"},
        {R"({"rekzez": {"dur": 1975}})",
         "r.json: rekzez.dur: expected a date \"YYYY-MM-DD\" or null, got number"},
        {R"({"wsp_z_malz": [1, 128]})", "r.json: wsp_z_malz[2]: code 128 outside 0..127"},
        {R"({"nr_zez_refer": ")" + std::string(33, 'N') + R"("})",
         "r.json: nr_zez_refer: text of 33 characters, capacity 32"},
        {R"({"nr_zez_refer": "A\tB"})", "r.json: nr_zez_refer: control character U+0009 in a "
                                        "text (a text is one line of printable characters)"},
        {R"([])", "r.json: the return file: expected an object, got array"},
        {R"({"rekzez": {"nazw": "x"})", "r.json: not valid JSON: parse error at line 1, column 25: "
                                        "syntax error while parsing object - unexpected end of "
                                        "input; expected '}'"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.json.substr(0, 80));
        EXPECT_EQ(load_fault(r.json), r.message);
    }
}

TEST(return_file, one_load_names_every_fault_of_the_file)
{
    const std::string text = R"({"rekzez": {"nazwa": "x", "rok": "2015",
        "obdar": [{}, {"kr": ")" +
                             std::string(95, 'k') + R"(", "dar": "1"}],
        "zr": [[1, "2"], 3]}, "wsp_z_malz": [1, 200], "xyz": 1, "nr_zez_refer": 5})";
    // Keys in the order the parser keeps them: by name.
    EXPECT_EQ(load_fault(text), "r.json: nr_zez_refer: expected a text, got number\n"
                                "r.json: rekzez.nazwa: unknown field (did you mean 'nazw'?)\n"
                                "r.json: rekzez.obdar[2].dar: expected an amount (number), got "
                                "string\n"
                                "r.json: rekzez.obdar[2].kr: text of 95 characters, capacity 88\n"
                                "r.json: rekzez.rok: expected an integer, got string\n"
                                "r.json: rekzez.zr[1][2]: expected an amount (number), got string\n"
                                "r.json: rekzez.zr[2]: expected an array, got number\n"
                                "r.json: wsp_z_malz[2]: code 200 outside 0..127\n"
                                "r.json: xyz: unknown key");
}

TEST(return_file, a_flood_of_faults_is_cut_to_the_first_ones)
{
    std::string text = R"({"rek28": {"przdg": [1, 2], "pr": [)";
    for (int i = 0; i < 6; ++i)
        text += std::string(i == 0 ? "" : ",") + "\"x\"";
    text += "]}, \"wsp_z_malz\": [";
    for (std::size_t i = 0; i < max_return_file_faults + 20; ++i)
        text += std::string(i == 0 ? "" : ",") + "500";
    text += "]}";
    const auto message = load_fault(text);
    const auto lines = std::count(message.begin(), message.end(), '\n') + 1;
    EXPECT_EQ(lines, static_cast<long>(max_return_file_faults) + 1);
    EXPECT_TRUE(message.starts_with("r.json: rek28.pr[1]: expected an amount")) << message;
    EXPECT_TRUE(message.ends_with("\nr.json: and 26 more faults")) << message;
}

TEST(return_file, a_refused_file_leaves_the_state_as_it_was)
{
    host_state h;
    h.rekzez_mut().set_text("nazw", "Before");
    EXPECT_THROW(load_return_json(R"({"rekzez": {"im": "Jan", "rok": "x"}})", h, ""),
                 kestrun::error);
    EXPECT_EQ(h.rekzez().text("nazw"), "Before");
    EXPECT_EQ(h.rekzez().text("im"), "");
}

TEST(return_file, deep_nesting_is_refused_before_it_is_built)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_EQ(load_fault(deep), "r.json: the JSON nests deeper than 8 levels");
}

const char* const full_return = R"({
  "rek28": {"nip": "1234563218", "przdg": [1000.5, 0, 0, 0, 0, 0, 1000.5],
            "sp": [{}, {"nazsp": "Spółka jawna", "prz_sp": [[], [0, 0, 12.34]]}],
            "razem_sp": [[1, 2, 3, 4, 5, 6], [7, 8, 9, 10, 11, 12]], "pelnom": true,
            "peln": "Jan Pełnomocnik", "rok_zw": 2012},
  "rekzez": {"nazw": "Kowalski", "nazw_m": "Kowalska", "dur": "1975-11-05", "sp_opod": 1,
             "zr": [[85000, 3000, 82000, 9500], [], [0.01]], "zr_m": [[1999164.56]],
             "zbyc": [0.1, 33.33, -250], "pl_m": [0, 0, 0, 0, 0, 0, 0, 8],
             "odl_o": [1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 15], "zus_m": 7.5,
             "rodz_odl_doch": ["", "odsetki"],
             "dziecko": [{}, {}, {}, {}, {"pesel": "12345678901", "ud": 92.67, "dur": "2010-02-28",
                          "mies_tr": 2, "mies": [false, true, false, false, false, false, false,
                                                 false, false, false, false, true]}],
             "pitb": [{}, {"dg": [{}, {}, {"dzial": "Usługi", "prz": -0.5}],
                           "sp": [{}, {}, {}, {}, {}, {"prsp": 12.5, "kw": [0, 0, 0, 0, 0, 6]}]}],
             "pitz_b_m": [[0, 0, 0, 4]], "zg_kraj_m": "Niemcy", "rokzw_m": 2011},
  "rek_uz": {"zwrot": 999999999999},
  "pit28_zal": {"ildz": 3, "ulg_o": [1112.04]},
  "rekster": {"dr_opt1": 3, "dr_port": true, "dr_opt3": -7, "wydr_niezadr37": true},
  "wsp_z_malz": [1, 2, 127],
  "nr_zez_refer": "Nr 1/2015",
  "dr_zez_ref": true
})";

TEST(return_file, decode_gives_back_the_return_encode_was_given)
{
    host_state first;
    load_return_json(full_return, first, "");
    const std::string decoded = to_return_json(first);
    host_state second;
    load_return_json(decoded, second, "decoded");
    EXPECT_EQ(to_return_json(second), decoded);
    for (const record_id id : all_records) {
        SCOPED_TRACE(std::string(record_name(id)));
        EXPECT_TRUE(std::ranges::equal(first.bytes(id), second.bytes(id)));
    }
    // Amounts come back as typed, not as the nearest binary fraction.
    EXPECT_NE(decoded.find("1999164.56\n"), std::string::npos) << decoded;
    EXPECT_NE(decoded.find("0.1,\n      33.33,\n"), std::string::npos) << "4-byte floats too";
    EXPECT_EQ(decoded.find("\"zus_m\""), std::string::npos) << "the alias is written as odl_o_m";
    EXPECT_NE(decoded.find("\"odl_o_m\": [\n      0,\n      7.5\n    ]"), std::string::npos);
}

TEST(return_file, images_round_trip_through_a_folder)
{
    const scratch_dir dir;
    host_state first;
    load_return_json(full_return, first, "");
    write_images(first, dir.path());
    for (const char* name : {"rek28.bin", "rekzez.bin", "rek_uz.bin", "rekster.bin",
                             "pit28_zal.bin", "globals.json"}) {
        EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << name;
    }
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "rekzez.bin"), 9033U);

    host_state second;
    load_return_file(dir.path() / "globals.json", second);
    for (const record_id id : all_records) {
        load_image(record_name(id), dir.path() / image_file_name(id), second);
    }
    EXPECT_EQ(to_return_json(second), to_return_json(first));

    // A return without PIT-28 attachments and globals writes neither image.
    const scratch_dir plain;
    write_images(kestrun::test::rekzez_builder{}.text("nazw", "X"), plain.path());
    EXPECT_FALSE(std::filesystem::exists(plain.path() / "pit28_zal.bin"));
    EXPECT_FALSE(std::filesystem::exists(plain.path() / "globals.json"));
    EXPECT_TRUE(std::filesystem::exists(plain.path() / "rek28.bin"));
}

TEST(return_file, image_faults)
{
    const scratch_dir dir;
    std::filesystem::create_directories(dir.path());
    const auto short_image = dir.path() / "short.bin";
    std::ofstream(short_image, std::ios::binary) << std::string(9000, '\0');
    host_state h;
    struct row {
        std::string name;
        std::filesystem::path file;
        kestrun::error_kind kind;
        std::string message;
    };
    const row rows[] = {
        {"rekzez", short_image, kestrun::error_kind::input,
         "rekzez image: 9000 bytes, expected 9033"},
        {"rekzes", short_image, kestrun::error_kind::input,
         "image of an unknown record \"rekzes\" (rek28, rekzez, rek_uz, pit28_zal or rekster)"},
        {"rek28", dir.path() / "missing.bin", kestrun::error_kind::io,
         (dir.path() / "missing.bin").string() + ": cannot open: No such file or directory"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.message);
        try {
            load_image(r.name, r.file, h);
            ADD_FAILURE() << "accepted";
        } catch (const kestrun::error& e) {
            EXPECT_EQ(e.kind(), r.kind);
            EXPECT_EQ(std::string(e.what()), r.message);
        }
    }
}

TEST(return_file, an_unwritable_folder_is_an_io_error)
{
    const scratch_dir dir;
    std::filesystem::create_directories(dir.path());
    std::ofstream(dir.path() / "file") << "x";
    try {
        write_images(host_state{}, dir.path() / "file" / "below");
        ADD_FAILURE() << "accepted";
    } catch (const kestrun::error& e) {
        EXPECT_EQ(e.kind(), kestrun::error_kind::io);
    }
}

namespace fs = std::filesystem;

constexpr std::size_t dr_opt1_offset = 1;

// Root reads and writes any file whatever its mode: the user the host runs as does not.
class as_ordinary_user {
public:
    as_ordinary_user()
    {
        if (::geteuid() == 0)
            m_switched = ::seteuid(65534) == 0;
    }
    ~as_ordinary_user()
    {
        if (m_switched)
            (void)::seteuid(0);
    }
    as_ordinary_user(const as_ordinary_user&) = delete;
    as_ordinary_user& operator=(const as_ordinary_user&) = delete;

private:
    bool m_switched = false;
};

std::vector<std::uint8_t> stored_settings(std::uint8_t dr_opt1, std::size_t records)
{
    std::vector<std::uint8_t> bytes(1024 * records, 0xAB);
    std::fill_n(bytes.begin(), 1024, 0);
    bytes[dr_opt1_offset] = dr_opt1;
    return bytes;
}

TEST(settings_file, loads_from_what_an_earlier_run_or_the_user_left)
{
    struct row {
        std::function<void(const fs::path& file)> prepare;
        std::uint8_t dr_opt1;
        const char* why;
    };
    const row rows[] = {
        {[](const fs::path& file) { kestrun::io::write_file(file, std::string()); }, 0,
         "an empty file (an interrupted creation) is made again, not a failure for ever"},
        {[](const fs::path& file) {
             kestrun::io::write_file(file, stored_settings(7, 1));
             fs::permissions(file, fs::perms::owner_read | fs::perms::group_read |
                                       fs::perms::others_read);
         },
         7, "a read-only file still gives its settings"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        scratch_dir dir;
        fs::permissions(dir.path(), fs::perms::all);
        const auto file = dir / settings_file_name;
        r.prepare(file);
        host_state host;
        {
            const as_ordinary_user user;
            EXPECT_NO_THROW(load_settings(dir.path(), host));
        }
        EXPECT_EQ(host.bytes(record_id::rekster)[dr_opt1_offset], r.dr_opt1);
        EXPECT_EQ(fs::file_size(file), 1024U);
    }
}

TEST(settings_file, a_stored_setting_replaces_the_file_whole_and_changes_only_its_field)
{
    scratch_dir dir;
    const auto file = dir / settings_file_name;
    kestrun::io::write_file(file, stored_settings(7, 3));
    struct stat before {};
    ::stat(file.c_str(), &before);

    host_state host;
    host.bytes(record_id::rekster)[dr_opt1_offset] = 9;
    // Another run's stored mode is not this run's to write back.
    host.rekster_mut().set_flag("wydr_niezadr36", true);
    store_setting(dir.path(), host, "dr_opt1");

    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_NE(after.st_ino, before.st_ino) << "a new file renamed over the old one";
    EXPECT_EQ(read_bytes(file), stored_settings(9, 3)) << "the host's records after 0 stay";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{settings_file_name});
}

} // namespace
