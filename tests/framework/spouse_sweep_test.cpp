// The sweep over every page for whose data each field shows. The layout marks the fields of the
// spouse's column; with the taxpayer's and the spouse's data filled with different sentinels, a
// marked field shows the spouse's data and not the taxpayer's, an unmarked field never shows the
// spouse's, and on a return that is not joint a marked field is blank unless its layout says it
// prints regardless. And no two text or amount fields of a page show the same record field, so a
// box wired to the wrong element shows here rather than only in an example.

#include "framework/module.h"
#include "tests/support/page_probe.h"
#include "tests/support/sentinels.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

namespace qr = kestrun::qr;
using kestrun::testing::fill_page;
using kestrun::testing::printed_field;

std::string printed(const printed_field& f)
{
    return f.enabled ? "\"" + f.caption + "\"" : "(not printed)";
}

TEST(spouse_sweep, marked_fields_show_the_spouse_and_only_they_do)
{
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(cls.class_name);
        auto joint = kestrun::testing::sentinel_state();
        auto spouse_changed = joint;
        kestrun::testing::refill_person(spouse_changed, 2);
        auto taxpayer_changed = joint;
        kestrun::testing::refill_person(taxpayer_changed, 1);
        auto alone = joint;
        alone.set_in_wsp_z_malz(1, false);

        const auto a = fill_page(cls.class_name, joint);
        const auto s = fill_page(cls.class_name, spouse_changed);
        const auto t = fill_page(cls.class_name, taxpayer_changed);
        const auto n = fill_page(cls.class_name, alone);
        for (const auto& c : qr::design_of(cls.unit).components) {
            const auto& name = c.name;
            if (c.spouse == qr::spouse_field::no) {
                EXPECT_EQ(printed(a.at(name)), printed(s.at(name)))
                    << name << " shows the spouse's data, but its layout does not mark it";
                continue;
            }
            EXPECT_NE(printed(a.at(name)), printed(s.at(name)))
                << name << " is marked as the spouse's, but does not show the spouse's data";
            if (c.spouse == qr::spouse_field::both)
                continue;
            EXPECT_EQ(printed(a.at(name)), printed(t.at(name)))
                << name << " is marked as the spouse's, but shows the taxpayer's data";
            if (c.spouse == qr::spouse_field::joint_only)
                EXPECT_TRUE(!n.at(name).enabled || n.at(name).caption.empty())
                    << name << " prints " << printed(n.at(name))
                    << " on a return that is not joint";
            else
                EXPECT_EQ(printed(n.at(name)), printed(a.at(name)))
                    << name << " prints the spouse's data on every return, joint or not";
        }
    }
}

// A text field, or an amount field that shows a stored amount: every amount sentinel lies
// above a thousand with 25 grosze, which a whole-zloty field rounds away; no count, sign split or
// sum of two sentinels in grosze looks like one.
bool shows_a_sentinel(qr::component_kind kind, const std::string& caption)
{
    return (kind == qr::component_kind::text && !caption.empty()) ||
           (kind == qr::component_kind::amount &&
            (caption.ends_with(",25") ||
             (caption.find(',') == std::string::npos && caption.find('.') != std::string::npos)));
}

TEST(spouse_sweep, every_text_and_amount_field_shows_a_record_field_of_its_own)
{
    // Fields that repeat another by design: PIT/M's boxes 63 and 65 the incomes the parents
    // share; on PIT-36 page 3 each parent's PIT/M advance total, the same sum when both share.
    const std::set<std::pair<std::string_view, std::string_view>> repeats = {
        {"TF_wm15_1", "QRL_ob63"}, {"TF_wm15_1", "QRL_ob65"}, {"TF_w36153", "QRL_zm1"}};
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(cls.class_name);
        auto h = kestrun::testing::sentinel_state();
        const auto& design = qr::design_of(cls.unit);
        const auto printed_fields = fill_page(cls.class_name, h);
        std::map<std::string, std::string> shown_by; // caption -> field
        for (const auto& c : design.components) {
            const auto& name = c.name;
            const auto& f = printed_fields.at(name);
            if (!f.enabled || !shows_a_sentinel(c.kind, f.caption) ||
                repeats.count({cls.class_name, name}))
                continue;
            auto [it, fresh] = shown_by.try_emplace(f.caption, name);
            EXPECT_TRUE(fresh) << name << " and " << it->second << " both show \"" << f.caption
                               << "\"";
        }
    }
}

} // namespace
