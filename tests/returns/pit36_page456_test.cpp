// PIT-36 pages 4-6 and the blocks PIT-37 pages 3-4 share with them.

#include "framework/module.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::host::record_id;
using kestrun::test::rekzez_builder;
using kestrun::testing::fill_page;

constexpr const char* refund[] = {"QRL_uz_zus1", "QRL_uz_zus2", "QRL_uz_dz1", "QRL_uz_dz2",
                                  "QRL_uz_rozn"};

// The spouse's data is in the record either way: a page must not print it alone.
rekzez_builder couple(bool joint)
{
    return joint ? rekzez_builder{}.joint() : rekzez_builder{};
}

TEST(pit36_pages456, child_relief_refund_prints_as_one_block_or_not_at_all)
{
    struct refund_case {
        bool joint;
        double dz, dz_m, rozn;
        bool shown;
        const char *spouse_dz, *why;
    };
    const refund_case cases[] = {
        {true, 0, 150, 0, true, "150,00", "the spouse's difference alone, joint"},
        {false, 0, 150, 0, false, "", "the spouse's difference does not count alone"},
        {true, 0, 0, 0, false, "", "contributions alone never show the block"},
        {false, 80, 150, 0, true, "", "not joint: the spouse's boxes stay empty"},
        {false, 0, 0, 0.01, true, "", "the difference due alone"},
    };
    for (const char* page : {"TF_w36154", "TF_w37153"})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page) + ": " + c.why);
            host_state h = couple(c.joint)
                               .then<record_id::rek_uz>()
                               .real("zus", 500)
                               .real("zus_m", 300)
                               .real("dz", c.dz)
                               .real("dz_m", c.dz_m)
                               .real("rozn", c.rozn);
            auto f = fill_page(page, h);
            for (const char* name : refund)
                EXPECT_EQ(f[name].enabled, c.shown) << name;
            if (c.shown) {
                EXPECT_EQ(f["QRL_uz_dz2"].caption, c.spouse_dz);
            }
        }
}

TEST(pit36_pages456, a_page_printed_again_shows_the_refund_block_it_hid_before)
{
    host_state h;
    kestrun::page_instance page(*kestrun::find_page_class("TF_w36154"), nullptr, h);
    page->Prepare();
    kestrun::test::rek_uz_builder{h}.real("dz", 120);
    page->Prepare();
    const auto f = kestrun::testing::captions_of(*page);
    for (const char* name : refund)
        EXPECT_TRUE(f.at(name).enabled) << name;
}

TEST(pit36_pages456, monthly_tables_print_whole_zloty_and_the_spouse_only_when_joint)
{
    // Month i of table t holds (t+1)000 + i, the spouse's (t+5)000 + i: a month or a table
    // swapped shows. January's 1001,50 rounds half away from zero.
    const char* tables[][3] = {{"TF_w36155", "QRL_44p", "QRL_44m"},
                               {"TF_w36155", "QRL_odsp", "QRL_odsm"},
                               {"TF_w36155", "QRL_44_1p", "QRL_44_1m"},
                               {"TF_w36156", "QRL_44_7p", "QRL_44_7m"}};
    const char* arrays[] = {"zr44", "ods44", "zal44_1", "zal44_7"};
    for (bool joint : {true, false}) {
        auto b = couple(joint);
        for (int t = 0; t < 8; ++t)
            for (int i = 1; i <= 12; ++i)
                b.state().rekzez_mut().set_real_at(
                    *b.view().layout().find(std::string(arrays[t % 4]) + (t < 4 ? "" : "_m")), i, 0,
                    (t + 1) * 1000 + i + (t == 0 && i == 1 ? 0.5 : 0));
        for (int t = 0; t < 4; ++t) {
            SCOPED_TRACE(std::string(tables[t][1]) + (joint ? " joint" : " alone"));
            auto f = fill_page(tables[t][0], b.state());
            const auto p = std::string(tables[t][1]), m = std::string(tables[t][2]);
            EXPECT_EQ(f[p + "1"].caption, t == 0 ? "1.002" : std::to_string(t + 1) + ".001");
            EXPECT_EQ(f[p + "12"].caption, std::to_string(t + 1) + ".012");
            EXPECT_EQ(f[m + "7"].caption, joint ? std::to_string(t + 5) + ".007" : "");
        }
    }
}

TEST(pit36_pages456, attachment_counts_print_by_their_index_and_never_counts_9_and_10)
{
    const char* counts[] = {"zal_b", "zal_d",    "zal_2k", "zal_m",  "zal_o",    "zal_zg",
                            "zal_z", "zal_sser", "zal_uz", "zal_10", "zal_ceny", "zal_cert"};
    host_state h;
    for (int i = 1; i <= 12; ++i)
        h.rekzez_mut().set_integer_at(*h.rekzez().layout().find(counts[i - 1]), 0, 20 + i);
    auto f = fill_page("TF_w36156", h);
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 11, 12})
        EXPECT_EQ(f["QRL_zal" + std::to_string(i)].caption, std::to_string(20 + i)) << i;
    EXPECT_EQ(f.count("QRL_zal9"), 0u) << "the form has no box for count 9";
    EXPECT_FALSE(f["QRL_zaluz"].enabled) << "the PIT/UZ count stays in the margin";
    EXPECT_EQ(f["QRL_zaluz"].caption, "29");
    EXPECT_FALSE(f["QRL_zal10"].enabled) << "count 10 stays in the margin";
}

TEST(pit36_pages456, transfer_contact_and_proxy_on_both_forms)
{
    struct text_case {
        const char *first, *second, *joined;
        bool proxy;
        const char* why;
    };
    const text_case cases[] = {
        {"", "", "", false, "both parts empty: the joining blank is trimmed; no proxy"},
        {" na  leczenie", "Ani ", "na  leczenie Ani", true, "inner blanks stay; a proxy"},
    };
    // The income of art. 45 ust. 3c is spelt differently on each form.
    const char* pages[][3] = {{"TF_w36156", "QRL_doch_45", "TF_w36156"},
                              {"TF_w37153", "QRLdoch_45", "TF_w37154"}};
    for (const auto& page : pages)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page[0]) + ": " + c.why);
            host_state h = rekzez_builder{}
                               .real("doch_45", 1234.5)
                               .text("cel1", c.first)
                               .text("cel2", c.second)
                               .text("kontakt1", c.first)
                               .text("kontakt2", c.second)
                               .flag("jest_peln", c.proxy)
                               .text("peln", " Jan Nowak ");
            auto f = fill_page(page[0], h);
            EXPECT_EQ(f[page[1]].caption, "1.234,50");
            EXPECT_EQ(f["QRL_cel"].caption, c.joined);
            EXPECT_EQ(f["QRL_kontakt"].caption, c.joined);
            EXPECT_EQ(fill_page(page[2], h)["QRL_peln"].caption, c.proxy ? "Jan Nowak" : "");
        }
}

TEST(pit36_pages456, pitd_attached_elsewhere_marks_only_when_someone_attached_it)
{
    const char* spouse = "7251801126 Wiśniewska Małgorzata US Łódź-Bałuty";
    struct pitd_case {
        int kto, form;
        const char* marks; // QRL_d_p, QRL_d_m, QRL_d28, QRL_d36, QRL_d37
        const char *d_us, *why;
    };
    const pitd_case cases[] = {
        {0, 2, "x---x", "", "the taxpayer's PIT-37: no spouse named"},
        {1, 1, "-x-x-", spouse, "the spouse's PIT-36: three texts, a blank each"},
        {2, 1, "-----", "", "nobody: no square keeps its design cross"},
        {1, 3, "-x---", spouse, "a form code out of range marks no form"},
    };
    const char* squares[] = {"QRL_d_p", "QRL_d_m", "QRL_d28", "QRL_d36", "QRL_d37"};
    for (const char* page : {"TF_w36156", "TF_w37154"})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page) + ": " + c.why);
            host_state h = rekzez_builder{}
                               .integer("d_kto", c.kto)
                               .integer("d_form", c.form)
                               .text("d_us1", "7251801126")
                               .text("d_us2", "Wiśniewska Małgorzata")
                               .text("d_us3", "US Łódź-Bałuty");
            auto f = fill_page(page, h);
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(f[squares[i]].caption, c.marks[i] == 'x' ? "x" : "") << squares[i];
            EXPECT_EQ(f["QRL_d_us"].caption, c.d_us);
        }
}

} // namespace
