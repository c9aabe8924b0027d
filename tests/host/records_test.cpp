// The record layouts, the typed views and the host state.

#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "tests/support/faults.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
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

TEST(layouts, element_offsets)
{
    host_state h;
    const auto base = [&](record_id id) { return h.bytes(id).data(); };
    const auto z = h.rekzez();
    struct row {
        const std::uint8_t* at;
        std::size_t offset;
        const char* why;
    };
    const row rows[] = {
        {z.dziecko(1).data(), 4886, "child 1 at 4786 + 100"},
        {z.dziecko(5).data(), 5286, "child 5 at 4786 + 500"},
        {z.obdar(2).data(), 4334, "donee 2 one stride after 4058"},
        {z.pitb(2).data(), 7094, "spouse's PIT/B one stride after 5724"},
        {z.pitb(2).sp(1).data(), 7594, "partnerships after the four businesses"},
        {z.pitb(1).dg(4).data(), 5724 + 375, "business 4"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(static_cast<std::size_t>(r.at - base(record_id::rekzez)), r.offset);
    }
    EXPECT_EQ(h.rek28().sp(1).data() - base(record_id::rek28), 2219) << "1365 + 854";
    EXPECT_EQ(h.rek28().sp(4).data() - base(record_id::rek28), 1365 + 4 * 854);
}

TEST(views, zus_and_zdr_are_names_of_deductions_2_and_15)
{
    host_state h;
    h.rekzez_mut().set_real("odl_o", 2, 123.25);
    h.rekzez_mut().set_real("zdr_m", 67.0);
    EXPECT_EQ(h.rekzez().real("zus"), 123.25);
    EXPECT_EQ(h.rekzez().real("odl_o_m", 15), 67.0);
    EXPECT_EQ(h.rekzez().person(2).real("zdr"), 67.0);
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

} // namespace
