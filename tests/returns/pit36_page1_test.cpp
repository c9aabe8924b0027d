// PIT-36 page 1/6: the spouse's boxes under the joint test, and section C's squares and years
// for every status code of both persons.

#include "tests/returns/pit36_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit36_test;

TEST(pit36_page1, spouse_boxes_and_section_c_follow_the_joint_test_and_the_codes)
{
    struct page1_case {
        int sp_opod, code; // the code of section C, the same for both persons
        bool joint;
        const char* why;
    };
    const page1_case cases[] = {
        {joint_code, 4, true, "jointly, art. 6a ust. 1: both years of the exemption print"},
        {individual_code, 4, false, "individually: nothing of the spouse, the taxpayer's year"},
        {3, 3, false, "a single parent's code lies outside the joint set"},
        {joint_code, 1, true, "code 1: squares only"},
        {joint_code, 0, true, "code 0 marks no square"},
        {4, 5, false, "codes without a square mark none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit36_return()
                           .integer("sp_opod", c.sp_opod)
                           .integer("idp", c.code)
                           .integer("idm", c.code)
                           .flag("nier_m", true)
                           .integer("rokzw", 2011)
                           .person(2)
                           .integer("rokzw", 2013);
        auto f = fill_page("TF_w36151", h);
        EXPECT_EQ(f["QRL_nip1"].enabled, c.joint);
        EXPECT_EQ(f["QRL_nip1"].caption, c.joint ? "7 6 0 9 0 2 1 1 2 8 8" : "");
        EXPECT_EQ(f["QRL_kas_nip1"].enabled, c.joint); // the spouse is identified by PESEL
        EXPECT_FALSE(f["QRL_kas_pes1"].enabled);
        EXPECT_EQ(f["QRL_dur1"].caption, c.joint ? "02-09-1976" : "");
        EXPECT_EQ(f["QRL_kodp1"].caption, c.joint ? "05-850" : "");
        EXPECT_EQ(f["QRL_nier1"].caption, "x") << "the spouse's own statement prints always";
        EXPECT_EQ(f["QRL_rokzw_p"].caption, c.code == 4 ? "2 0 1 1" : "");
        EXPECT_EQ(f["QRL_rokzw_m"].caption, c.code == 4 && c.joint ? "2 0 1 3" : "");
        for (int i = 1; i <= 4; ++i) {
            const auto n = std::to_string(i);
            EXPECT_EQ(f["QRL_sp_op" + n].caption, i == c.sp_opod + 1 ? "x" : "") << i;
            EXPECT_EQ(f["QRL_idp" + n].caption, i == c.code ? "x" : "") << i;
            EXPECT_EQ(f["QRL_idm" + n].caption, i == c.code && c.joint ? "x" : "") << i;
        }
    }
}

} // namespace
