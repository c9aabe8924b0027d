// PIT/B sheet counting: which entries are in use wherever they lie, how many sheets a person
// needs, and which entries in use no sheet shows.

#include "framework/pitb_sheets.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::pitb_sheets;
using kestrun::host::host_state;

// Entries given as positions; each entry in use by one of its identifying texts in turn, so
// every text that makes an entry count is exercised.
host_state with_entries(int person, std::initializer_list<int> businesses,
                        std::initializer_list<int> partnerships)
{
    return kestrun::test::rekzez_builder{}.with([&](host_state& h) {
        const auto b = h.rekzez_mut().pitb(person);
        int turn = 0;
        for (int j : businesses) {
            if (turn++ % 2)
                b.dg(j).set_text("reg", "X");
            else
                b.dg(j).set_text("dzial", "X");
        }
        for (int i : partnerships) {
            const auto s = b.sp(i);
            switch (turn++ % 3) {
            case 0:
                s.set_text("nazsp", "X");
                break;
            case 1:
                s.set_text("regsp", "X");
                break;
            default:
                s.set_text("nipsp", "X");
            }
        }
        // Amounts alone never put an entry in use.
        for (int j = 1; j <= 4; ++j)
            b.dg(j).set_real("prz", 100.0);
        for (int i = 1; i <= 6; ++i)
            b.sp(i).set_real("kw", 2, 100.0);
    });
}

TEST(pitb_sheets, entries_count_wherever_they_lie_and_positions_decide_what_prints)
{
    struct row {
        std::initializer_list<int> dg, sp;
        int businesses, partnerships, sheets;
        std::vector<std::string> unprinted;
        const char* why;
    };
    const row rows[] = {
        {{}, {}, 0, 0, 1, {}, "nothing in use: box 3 would show 1, no sheet prints"},
        {{1, 2}, {1, 2, 3}, 2, 3, 1, {}, "a full sheet is still one sheet"},
        {{1, 2, 3}, {1}, 3, 1, 2, {}, "a third business needs a second sheet"},
        {{1}, {1, 2, 3, 4}, 1, 4, 2, {}, "a fourth partnership needs a second sheet"},
        {{1, 4}, {}, 2, 0, 1, {"dg[4]"}, "business 4 behind an empty 3: counted, not shown"},
        {{}, {5, 6}, 0, 2, 1, {"sp[5]", "sp[6]"}, "partnerships 5 and 6 behind empty entries"},
        {{2}, {3, 4}, 1, 2, 1, {"sp[4]"}, "partnership 4 on one sheet lies past its three"},
        {{4}, {2, 4, 5, 6}, 1, 4, 2, {}, "two sheets show every position"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        for (int person : {1, 2}) {
            SCOPED_TRACE("person " + std::to_string(person));
            const host_state h = with_entries(person, r.dg, r.sp);
            const auto s = pitb_sheets::of(h.rekzez(), person);
            EXPECT_EQ(s.businesses(), r.businesses);
            EXPECT_EQ(s.partnerships(), r.partnerships);
            EXPECT_EQ(s.sheets(), r.sheets);
            EXPECT_EQ(s.unprinted(), r.unprinted);
            const auto other = pitb_sheets::of(h.rekzez(), 3 - person);
            EXPECT_FALSE(other.any()) << "the other person's entries stay apart";
        }
    }
}

TEST(pitb_sheets, warning_names_the_person_and_every_entry_left_out)
{
    const host_state h = with_entries(2, {3}, {5});
    const auto text = kestrun::unprinted_warning(2, pitb_sheets::of(h.rekzez(), 2));
    EXPECT_NE(text.find("rekzez.pitb[2]: dg[3], sp[5]"), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos) << "one line";
}

} // namespace
