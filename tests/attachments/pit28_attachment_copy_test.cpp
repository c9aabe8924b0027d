// PIT/O and PIT/D of a PIT-28 return: the host copies the attachment from its PIT-28 store into
// rekzez before the pages print, exactly the fields those pages read and nothing else.

#include "host/korvel/zezprzel.h"
#include "tests/support/page_probe.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::testing::fill_page;

// rekzez holds a joint PIT-36 return; the store holds the PIT-28 attachments of a taxpayer
// filing alone.
host_state two_returns()
{
    host_state h;
    h.set_in_wsp_z_malz(2, true);
    auto z = h.rekzez_mut();
    z.set_integer("sp_opod", 2);
    z.set_text("nazw", "Wiśniewski");
    z.set_text("nazw_m", "Wiśniewska");
    z.set_real("zr", 1, 1, 84500);
    z.set_real("odl_o", 11, 1);
    z.set_real("ods", 77);
    z.dziecko(1).set_text("pesel", "05211401239");
    auto s = h.pit28_zal_mut();
    s.set_integer("sp_opod", 0);
    s.set_text("nip", "7251801126");
    s.set_text("nazw", "Nowak");
    s.set_integer("rok", 2015);
    s.set_real("odl_o", 11, 250);
    s.set_integer("ildz", 1);
    s.set_real("ulg_o", 1, 92.67);
    s.obdar(2).set_text("nazpel", "Fundacja „Promyk”");
    s.set_real("ods", 1200);
    s.set_flag("wn_c21_28", true);
    s.set_real("pod28m", 40);
    s.dziecko(1).set_text("pesel", "11310307820");
    return h;
}

TEST(pit28_attachment_copy, pito_pages_print_the_pit28_store)
{
    auto h = two_returns();
    Zezprzel::przep_zalo(h);
    auto p1 = fill_page("TF_wo15_1", h);
    EXPECT_EQ(p1["QRL_nip"].caption, "7 2 5 - 1 8 0 - 1 1 - 2 6");
    EXPECT_EQ(p1["QRL_nazw"].caption, "Nowak");
    EXPECT_EQ(p1["QRL_rok"].caption, "2 0 1 5");
    EXPECT_EQ(p1["QRL_odl18"].caption, "250,00");
    EXPECT_EQ(p1["QRL_nazw1"].caption, "") << "the joint code came along: not joint";
    auto p2 = fill_page("TF_wo15_2", h);
    EXPECT_EQ(p2["QRL_ildz"].caption, "1");
    EXPECT_EQ(p2["QRL_odl13"].caption, "92,67");
    EXPECT_EQ(p2["QRL_nazpel1"].caption, "Fundacja „Promyk”");

    const auto z = h.rekzez();
    EXPECT_EQ(z.real("zr", 1, 1), 84500) << "the return's own data stays";
    EXPECT_EQ(z.real("ods"), 77) << "PIT/D is copied by its own operation";
    EXPECT_EQ(z.dziecko(1).text("pesel"), "05211401239") << "page 3 is not printed for PIT-28";
}

TEST(pit28_attachment_copy, pitd_pages_print_the_pit28_store)
{
    auto h = two_returns();
    Zezprzel::przep_zald(h);
    auto p1 = fill_page("TF_wd15_1", h);
    EXPECT_EQ(p1["QRL_nazw"].caption, "Nowak");
    EXPECT_EQ(p1["QRL_ods"].caption, "1.200,00");
    EXPECT_FALSE(p1["QRL_nip1"].enabled);
    auto p2 = fill_page("TF_wd15_2", h);
    EXPECT_EQ(p2["QRL_ods28m"].caption, "40,00") << "the C.2.1 request and its flag";

    const auto z = h.rekzez();
    EXPECT_EQ(z.real("odl_o", 11), 1) << "PIT/O is copied by its own operation";
    EXPECT_EQ(z.real("zr", 1, 1), 84500);
}

} // namespace
