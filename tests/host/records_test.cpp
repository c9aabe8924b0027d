// The records: their encodings (6-byte reals, Windows-1250 texts, dates), the record layouts,
// the typed views and the host state.

#include "host/tamdor/encoding.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "tests/support/faults.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace kestrun::host;

namespace {

// The checker itself must catch the faults it is trusted with.
TEST(layouts, checker_finds_overlaps_and_stray_fields)
{
    using namespace declare;
    static constexpr field_def overlapping[] = {real("a", 0), real("b", 5)};
    static constexpr field_def outside[] = {text("t", 0, 10)};
    static constexpr field_def bad_alias[] = {array(real("arr", 0), 3),
                                              alias(real("x", 7), "arr", 2)};
    static constexpr field_def good_alias[] = {array(real("arr", 0), 3),
                                               alias(real("x", 6), "arr", 2)};
    static constexpr field_def doubled[] = {real("a", 0), real("a", 6)};
    static constexpr field_def narrow_stride[] = {array(real("a", 0), 3, 4)};
    struct row {
        record_layout layout;
        std::string_view fault;
        const char* why;
    };
    const row rows[] = {
        {{"r", overlapping, 12}, "b", "b starts inside a"},
        {{"r", outside, 10}, "t", "a short string of 10 takes 11 bytes"},
        {{"r", bad_alias, 18}, "x", "an alias must lie exactly on its element"},
        {{"r", good_alias, 18}, "", "an alias on its element shares bytes by design"},
        {{"r", doubled, 12}, "a", "names are unique"},
        {{"r", narrow_stride, 18}, "a", "elements closer than their width"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(layout_fault(r.layout), r.fault);
    }
}

TEST(views, short_strings_read_their_length_clamped_to_the_capacity)
{
    host_state h;
    std::uint8_t* nazw = h.bytes(record_id::rekzez).data() + 119; // capacity 30
    struct row {
        std::uint8_t length;
        std::string expected;
        const char* why;
    };
    std::memset(nazw + 1, 'x', 30);
    nazw[31] = 'Y'; // the first byte of the next field, im's length byte
    const row rows[] = {
        {0, "", "length 0 is the empty text, whatever the bytes hold"},
        {3, "xxx", "only the counted characters"},
        {30, std::string(30, 'x'), "a full field"},
        {200, std::string(30, 'x'), "a length above the capacity stops at the capacity"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        nazw[0] = r.length;
        EXPECT_EQ(h.rekzez().text("nazw"), r.expected);
    }
    nazw[0] = 2;
    nazw[1] = '\xA3';
    nazw[2] = '\x81';
    EXPECT_EQ(h.rekzez().text("nazw"), "Ł\uFFFD") << "Windows-1250 to UTF-8";
}

TEST(views, an_index_outside_the_range_names_record_field_and_index)
{
    const host_state h;
    const auto z = h.rekzez();
    struct row {
        std::function<void()> read;
        std::string message;
    };
    const row rows[] = {
        {[&] { z.real("zr", 10, 1); }, "rekzez.zr[10][1]: index 10 outside 1..9"},
        {[&] { z.real("pl", 0); }, "rekzez.pl[0]: index 0 outside 1..9"},
        {[&] { z.person(2).real("pl", 9); }, "rekzez.pl_m[9]: index 9 outside 1..8"},
        {[&] { z.pitb(2).dg(5); }, "rekzez.pitb[2].dg[5]: index 5 outside 1..4"},
        {[&] { z.pitb(1).sp(2).real("kw", 7); },
         "rekzez.pitb[1].sp[2].kw[7]: index 7 outside 1..6"},
        {[&] { h.pit28_zal().dziecko(0); }, "pit28_zal.dziecko[0]: index 0 outside 1..5"},
        {[&] { z.person(3); }, "rekzez: person 3 does not exist (1 taxpayer, 2 spouse)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.message);
        EXPECT_EQ(kestrun::testing::fault_of(kestrun::error_kind::host, r.read), r.message);
    }
}

TEST(views, writers_refuse_values_that_do_not_fit)
{
    host_state h;
    auto z = h.rekzez_mut();
    struct row {
        std::function<void()> write;
        std::string message;
    };
    const row rows[] = {
        {[&] { z.set_text("nazw", std::string(31, 'a')); },
         "rekzez.nazw: text of 31 characters, capacity 30"},
        {[&] { z.obdar(2).set_text("kr", std::string(95, 'k')); },
         "rekzez.obdar[2].kr: text of 95 characters, capacity 88"},
        {[&] { z.set_text("urz", "Урząd"); },
         "rekzez.urz: character \"У\" is not representable in Windows-1250"},
        {[&] { z.set_integer("sp_opod", 256); }, "rekzez.sp_opod: 256 outside 0..255"},
        {[&] { z.set_real("kw_wyd", std::nan("")); },
         "rekzez.kw_wyd: amount is not a finite number"},
        {[&] { z.set_real("zr", 2, 3, 1e39); },
         "rekzez.zr[2][3]: amount is outside the 6-byte real range"},
        {[&] {
             z.set_date("dur", {2015, 2, 29});
         },
         "rekzez.dur: 2015-2-29 is not a calendar date"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.message);
        EXPECT_EQ(kestrun::testing::fault_of(kestrun::error_kind::input, r.write), r.message);
    }
    EXPECT_EQ(h.rekzez().text("nazw"), "") << "a refused text leaves the field as it was";
}

TEST(host_state, joint_exactly_when_sp_opod_is_in_the_set)
{
    struct row {
        int sp_opod;
        std::uint8_t byte;
        std::size_t index;
        bool joint;
        const char* why;
    };
    const row rows[] = {
        {1, 0x02, 0, true, "code 1 is bit 1 of byte 0"},
        {9, 0x02, 1, true, "code 9 is bit 1 of byte 1"},
        {127, 0x80, 15, true, "the last code of the set"},
        {200, 0xFF, 15, false, "200 is never joint, whatever the upper bytes hold"},
        {128, 0xFF, 15, false, "128 and above never belong"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        host_state h;
        h.wsp_z_malz_mut().fill(r.sp_opod >= 128 ? 0xFF : 0);
        h.wsp_z_malz_mut()[r.index] = r.byte;
        h.rekzez_mut().set_integer("sp_opod", r.sp_opod);
        EXPECT_EQ(h.joint(), r.joint);
    }
}

TEST(host_state, two_states_side_by_side)
{
    host_state a;
    host_state b;
    a.rekzez_mut().set_text("nazw", "A");
    a.set_in_wsp_z_malz(3, true);
    b.set_nr_zez_refer("REF");
    EXPECT_EQ(b.rekzez().text("nazw"), "");
    EXPECT_FALSE(b.in_wsp_z_malz(3));
    EXPECT_EQ(a.nr_zez_refer(), "");
    EXPECT_EQ(record_by_name("pit28_zal"), record_id::pit28_zal);
    EXPECT_EQ(&record_layout_of(record_id::pit28_zal), &rekzez_layout);
}

using six = std::array<std::uint8_t, 6>;

struct real48_case {
    six bytes;
    double value;
    const char* why;
};

const real48_case real48_cases[] = {
    {{0x00, 0xff, 0xff, 0xff, 0xff, 0x7f}, 0.0, "exponent byte 0 is zero, whatever follows"},
    {{0x00, 0x00, 0x00, 0x00, 0x00, 0x80}, 0.0, "exponent byte 0 with the sign bit is still 0"},
    {{0x81, 0, 0, 0, 0, 0x00}, 1.0, "1 is the exponent 129 and five zero bytes"},
    {{0x81, 0, 0, 0, 0, 0x80}, -1.0, "sign in the top bit of byte 5"},
    {{0x82, 0, 0, 0, 0, 0x00}, 2.0, "exponent one above the bias"},
    {{0x80, 0, 0, 0, 0, 0x00}, 0.5, "exponent one below the bias"},
    {{0x81, 0, 0, 0, 0, 0x40}, 1.5, "top fraction bit is bit 6 of byte 5"},
    {{0x81, 0x01, 0, 0, 0, 0x00}, 1.0 + std::ldexp(1.0, -39), "lowest fraction bit in byte 1"},
    {{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C},
     std::ldexp(879609302221.0, -43),
     "0.1 as the host stores it, decoded exactly"},
    {{0x88, 0, 0, 0, 0, 0xFA}, -250.0, "-250: 1.953125 * 2^7 with the sign"},
    {{0xFF, 0xff, 0xff, 0xff, 0xff, 0x7f}, real48_max, "the largest 6-byte real"},
    {{0x01, 0, 0, 0, 0, 0x00}, std::ldexp(1.0, -128), "the smallest 6-byte real"},
};

TEST(real48, decodes_the_host_bytes_exactly_and_encodes_the_canonical_ones)
{
    for (const auto& c : real48_cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(decode_real48(c.bytes.data()), c.value);
        if (c.bytes[0] != 0) { // zero has one encoding only: all bytes 0
            EXPECT_EQ(encode_real48(c.value), c.bytes);
        }
    }
    EXPECT_EQ(encode_real48(0.0), six{});
    EXPECT_EQ(encode_real48(-0.0), six{}) << "negative zero stores as plain zero";
}

TEST(real48, rounds_to_the_nearest_ties_to_even)
{
    struct row {
        double value;
        six bytes;
        const char* why;
    };
    const row rows[] = {
        {1.0 + std::ldexp(1.0, -40), {0x81, 0, 0, 0, 0, 0}, "halfway above 1: the even fraction 0"},
        {1.0 + 3 * std::ldexp(1.0, -40),
         {0x81, 0x02, 0, 0, 0, 0},
         "halfway above 1+u: up to even 2"},
        {1.0 + std::ldexp(1.0, -40) + std::ldexp(1.0, -52),
         {0x81, 0x01, 0, 0, 0, 0},
         "just above halfway rounds up"},
        {2.0 - std::ldexp(1.0, -41),
         {0x82, 0, 0, 0, 0, 0},
         "rounding up carries into the exponent"},
        {0.1, {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}, "0.1 rounds its .8 remainder up"},
        {-0.1, {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC}, "the sign does not change the rounding"},
        {1e-40, {0, 0, 0, 0, 0, 0}, "below the smallest 6-byte real becomes 0"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(encode_real48(r.value), r.bytes);
    }
}

TEST(real48, refuses_what_it_cannot_hold)
{
    struct row {
        double value;
        const char* why;
    };
    const row rows[] = {
        {std::numeric_limits<double>::infinity(), "infinity"},
        {-std::numeric_limits<double>::infinity(), "negative infinity"},
        {std::numeric_limits<double>::quiet_NaN(), "not a number"},
        {1e39, "above the largest 6-byte real"},
        {std::ldexp(std::ldexp(1.0, 41) - 1, 86), "halfway above the largest rounds past it"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_NE(
            kestrun::testing::fault_of(kestrun::error_kind::input, [&] { encode_real48(r.value); }),
            "no error");
    }
}

// An amount typed into a return file comes back as the same decimal text after it has been
// stored as a 6-byte real: cents below 2^33, whole zloty below 2^40.
TEST(real48, amounts_survive_the_round_trip_as_decimal_text)
{
    const auto round_trip = [](double v) {
        return std::strtod(real48_shortest_text(decode_real48(encode_real48(v).data())).c_str(),
                           nullptr);
    };
    const double fixed[] = {0.01, 0.1, 1999164.555, -8589934591.99, 999999999999.0};
    for (const double v : fixed) {
        SCOPED_TRACE(v);
        EXPECT_EQ(round_trip(v), v);
    }
    std::uint64_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto cents = static_cast<std::int64_t>((seed >> 20) % 858993459199ULL);
        const double v = static_cast<double>(cents) / 100.0;
        const double whole = static_cast<double>((seed >> 11) % 1000000000000ULL);
        ASSERT_EQ(round_trip(v), v) << "cents " << cents;
        ASSERT_EQ(round_trip(whole), whole);
    }
}

// Every value a 6-byte real holds has a text that stores back to the same bytes, even where
// the shortest candidate rounds past the largest value.
TEST(real48, every_stored_value_has_a_text_that_stores_back)
{
    struct row {
        double value;
        const char* why;
    };
    const row rows[] = {
        {1.6e38, "the one-digit text 2e+38 is beyond the largest value"},
        {real48_max, "the largest value"},
        {-real48_max, "the largest negative value"},
        {std::ldexp(1.0, -128), "the smallest value"},
        {std::ldexp(1.0, 126) * 1.9999999, "just below the top binade's end"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto stored = encode_real48(r.value);
        const std::string text = real48_shortest_text(decode_real48(stored.data()));
        EXPECT_EQ(encode_real48(std::strtod(text.c_str(), nullptr)), stored) << text;
    }
}

TEST(cp1250, polish_letters_both_ways)
{
    const std::pair<const char*, const char*> texts[] = {
        {"\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF", "ĄĆĘŁŃÓŚŹŻ"},
        {"\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF", "ąćęłńóśźż"},
        {"A\x80\x84\x94\xA0\x96", "A€„”\u00A0–"}, // ASCII, quotes, no-break space, dash
    };
    for (const auto& [bytes, utf8] : texts) {
        SCOPED_TRACE(utf8);
        EXPECT_EQ(cp1250_to_utf8(bytes), utf8);
        EXPECT_EQ(utf8_to_cp1250(utf8), bytes);
    }
}

TEST(cp1250, undefined_and_control_bytes_decode_to_the_replacement_character)
{
    // A control byte in a packed image would reach a caption, which cannot show it.
    for (const unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98, 0x00, 0x09, 0x0A, 0x1F, 0x7F}) {
        SCOPED_TRACE(static_cast<int>(b));
        EXPECT_EQ(cp1250_to_utf8(std::string(1, static_cast<char>(b))), "\uFFFD");
    }
    EXPECT_EQ(utf8_to_cp1250("\uFFFD"), std::nullopt) << "the replacement character has no byte";
}

TEST(cp1250, every_defined_byte_round_trips)
{
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98 || b < 0x20 ||
            b == 0x7F) {
            continue;
        }
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(utf8_to_cp1250(cp1250_to_utf8(byte)), byte) << "byte " << b;
    }
}

TEST(cp1250, refuses_what_it_cannot_represent)
{
    struct row {
        const char* utf8;
        const char* reported;
        const char* why;
    };
    const row rows[] = {
        {"Жук", "Ж", "Cyrillic"},
        {"ab\xE2\x82", "invalid UTF-8 byte 0xE2", "truncated sequence"},
        {"\xC0\xAF", "invalid UTF-8 byte 0xC0", "overlong encoding"},
        {"\xED\xA0\x80", "invalid UTF-8 byte 0xED", "a surrogate"},
        {"x\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", "emoji outside the code page"},
        {"ñ", "ñ", "Spanish n tilde is not in Windows-1250"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(utf8_to_cp1250(r.utf8), std::nullopt);
        EXPECT_EQ(first_unrepresentable(r.utf8), r.reported);
    }
    EXPECT_EQ(first_unrepresentable("Łódź"), "");
}

TEST(dt1, bytes_are_year_little_endian_month_day)
{
    const std::uint8_t bytes[] = {0xDF, 0x07, 11, 5};
    EXPECT_EQ(decode_dt1(bytes), (dt1{2015, 11, 5}));
    EXPECT_EQ(encode_dt1({1975, 11, 5}), (std::array<std::uint8_t, 4>{0xB7, 0x07, 11, 5}));
    const std::uint8_t no_date[] = {0xDF, 0x07, 0, 5};
    EXPECT_TRUE(decode_dt1(no_date).empty()) << "month byte 0 means no date, whatever else";
}

} // namespace
