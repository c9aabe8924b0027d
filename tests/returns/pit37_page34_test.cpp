// PIT-37 pages 3 and 4: what they keep of their own next to the blocks they share with PIT-36.

#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;
using kestrun::testing::fill_page;

TEST(pit37_pages34, tax_boxes_differ_from_pit36_where_the_forms_differ)
{
    host_state h = rekzez_builder{}
                       .real("pod_po_odl", 3120.4)
                       .real("pod_po_odl_d", 2870.4)
                       .real("sum_zal", 1234.56)
                       .real("rozn", 1885.5)
                       .real("rozn1", 0.49)
                       .then<kestrun::host::record_id::rek_uz>()
                       .real("zwrot", 845);
    struct page_case {
        const char *page, *after_deductions, *sum_zal, *rozn, *rozn1, *why;
    };
    const page_case cases[] = {
        {"TF_w37153", "3.120,40", "1.235", "1.886", "0", "before the housing relief, whole zloty"},
        {"TF_w36154", "2.870,40", "1.234,56", "1.885,50", "0,49", "PIT-36: after it, grosze"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto f = fill_page(c.page, h);
        EXPECT_EQ(f["QRL_pod_po_odl"].caption, c.after_deductions);
        EXPECT_EQ(f["QRL_sum_zal"].caption, c.sum_zal);
        EXPECT_EQ(f["QRL_rozn"].caption, c.rozn);
        EXPECT_EQ(f["QRL_rozn1"].caption, c.rozn1);
    }
    auto f = fill_page("TF_w37153", h);
    EXPECT_FALSE(f["QRL_uz_rozn"].enabled) << "no difference: the refund block is hidden";
    EXPECT_EQ(f["QRL_uz_zwrot"].caption, "845,00") << "box 135 prints in any case";
}

TEST(pit37_pages34, attachment_counts_are_plain_integers_of_the_forms_own_choice)
{
    host_state h = rekzez_builder{}
                       .integer("zal_o", 0)
                       .integer("zal_d", 2)
                       .integer("zal_2k", 3)
                       .integer("zal_cert", 255)
                       .integer("zal_b", 7);
    auto f = fill_page("TF_w37154", h);
    EXPECT_EQ(f["QRL_zal1"].caption, "0") << "box 142, PIT/O, zero printed";
    EXPECT_EQ(f["QRL_zal2"].caption, "2") << "box 143, PIT/D";
    EXPECT_EQ(f["QRL_zal3"].caption, "3") << "box 144, PIT-2K";
    EXPECT_EQ(f["QRL_zal4"].caption, "255") << "box 145, certificates, not the PIT/B count";
}

} // namespace
