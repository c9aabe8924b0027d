#include "framework/printrun/print_catalogue.h"

#include "framework/module.h"
#include "host/korvel/zezprzel.h"
#include "platform/vcl/trace.h"

namespace kestrun {

namespace {

using host::direct_argument;
using host::direct_page;
using args3 = std::array<direct_argument, 3>;

// Margin entries of the set "ofdr3" (wydp28): PIT-28 pages 1-4, PIT-28/A, PIT-28/B 1/2 and 2/2.
constexpr direct_page wydp28(std::string_view method, std::string_view page, int margin,
                             args3 arguments = {})
{
    return {"wydp28", method, page, margin, arguments};
}

// Margin entries of the set "ofdr" (drukzez): PIT-36 pages 1-6, PIT-36L 7-9, PIT-37 10-13,
// PIT/O 14-16, PIT/D 17-18, PIT-2K 19, PIT/B 20-21, PIT/M 22, PIT/Z 23-24, PIT/ZG 25.
constexpr direct_page drukzez(std::string_view method, std::string_view page, int margin,
                              args3 arguments = {})
{
    return {"drukzez", method, page, margin, arguments};
}

constexpr args3 person{{{"nrp"}}};

// The attachments a PIT-28 return carries, the PIT/O, PIT/D and PIT-2K pages of which the host
// copies from its store into rekzez before printing them.
constexpr print_step pito_1{"chbox_o_1",           print_condition::none,
                            "PIT/O 1/3",           "Wydruk PIT/O 1/3",
                            "Włóż druk PIT/O 1/3", drukzez("wydzalo_I", "TF_wo15_1", 14)};
constexpr print_step pito_2{"chbox_o_2",           print_condition::none,
                            "PIT/O 2/3",           "Wydruk PIT/O 2/3",
                            "Włóż druk PIT/O 2/3", drukzez("wydzalo_II", "TF_wo15_2", 15)};
constexpr print_step pito_3{"chbox_o_3",           print_condition::none,
                            "PIT/O 3/3",           "Wydruk PIT/O 3/3",
                            "Włóż druk PIT/O 3/3", drukzez("wydzalo_III", "TF_wo15_3", 16)};
constexpr print_step pitd_1{"chbox_d_1",           print_condition::none,
                            "PIT/D 1/2",           "Wydruk PIT/D 1/2",
                            "Włóż druk PIT/D 1/2", drukzez("wydzald_I", "TF_wd15_1", 17)};
constexpr print_step pitd_2{"chbox_d_2",           print_condition::none,
                            "PIT/D 2/2",           "Wydruk PIT/D 2/2",
                            "Włóż druk PIT/D 2/2", drukzez("wydzald_II", "TF_wd15_2", 18)};
constexpr print_step pit2k{"chbox_2k_1",           print_condition::none,
                           "PIT-2K 1/1",           "Wydruk PIT-2K 1/1",
                           "Włóż druk PIT-2K 1/1", drukzez("wydzal_2k_I", "TF_w2k15_1", 19)};
constexpr print_step pitb_1{"chbox_b_1",
                            print_condition::none,
                            "PIT/B 1/2",
                            "Wydruk PIT/B 1/2",
                            "Włóż druk PIT/B 1/2",
                            drukzez("wydB_I", "TF_wb15_1", 20, {{{"nrp"}, {"nr"}, {"ilb"}}}),
                            {},
                            record_preparation::none,
                            print_repeat::per_pitb_sheet};
constexpr print_step pitb_2{"chbox_b_2",
                            print_condition::none,
                            "PIT/B 2/2",
                            "Wydruk PIT/B 2/2",
                            "Włóż druk PIT/B 2/2",
                            drukzez("wydB_II", "TF_wb15_2", 21, {{{"nrp"}, {"nr"}}}),
                            {},
                            record_preparation::none,
                            print_repeat::per_pitb_sheet};

constexpr print_step prepared(print_step s, record_preparation op, std::string_view box)
{
    s.prepare = op;
    s.box = box;
    return s;
}

// clang-format off
constexpr print_step pit28_steps[] = {
    {"chbox_st_1", print_condition::none, "PIT-28 1/4", "Wydruk strony 1/4", "Włóż druk PIT-28 1/4", wydp28("w28_st1", "TF_w2815_1", 1)},
    {"chbox_st_2", print_condition::none, "PIT-28 2/4", "Wydruk strony 2/4", "Włóż druk PIT-28 2/4", wydp28("w28_st2", "TF_w2815_2", 2)},
    {"chbox_st_3", print_condition::none, "PIT-28 3/4", "Wydruk strony 3/4", "Włóż druk PIT-28 3/4", wydp28("w28_st3", "TF_w2815_3", 3)},
    {"chbox_st_4", print_condition::none, "PIT-28 4/4", "Wydruk strony 4/4", "Włóż druk PIT-28 4/4", wydp28("w28_st4", "TF_w2815_4", 4)},
    {"chbox_a", print_condition::none, "PIT-28/A", "Wydruk PIT-28/A", "Włóż druk PIT-28/A 1/1", wydp28("w28_zal_a", "TF_w28a15_1", 5)},
    // Attachment i shows partnerships 2i - 1 and 2i.
    {"chbox_b_1", print_condition::none, "PIT-28/B 1/2", "Wydruk PIT-28/B 1/2", "Włóż druk PIT-28/B 1/2", wydp28("zal_b_1", "TF_w28b15_1", 6, {{{"nrsp", 2, -1}}}), {}, record_preparation::none, print_repeat::per_pit28b},
    {"chbox_b_2", print_condition::none, "PIT-28/B 2/2", "Wydruk PIT-28/B 2/2", "Włóż druk PIT-28/B 2/2", wydp28("zal_b_2", "TF_w28b15_2", 7, {{{"nrsp", 2, 0}}}), {}, record_preparation::none, print_repeat::per_pit28b},
    prepared(pito_1, record_preparation::przep_zalo, "chbox_o_1"),
    prepared(pito_2, record_preparation::przep_zalo, "chbox_o_2"),
    prepared(pitd_1, record_preparation::przep_zald, "chbox_d_1"),
    prepared(pitd_2, record_preparation::przep_zald, "chbox_d_2"),
    prepared(pit2k, record_preparation::przep_zal2k, "chbox_2k"),
};

constexpr print_step pit36_steps[] = {
    {"chbox_st_1", print_condition::none, "PIT-36 1/6", "Wydruk strony 1/6", "Włóż druk PIT-36 1/6", drukzez("wyd36_st1", "TF_w36151", 1)},
    {"chbox_st_2", print_condition::none, "PIT-36 2/6", "Wydruk strony 2/6", "Włóż druk PIT-36 2/6", drukzez("wyd36_st2", "TF_w36152", 2)},
    {"chbox_st_3", print_condition::none, "PIT-36 3/6", "Wydruk strony 3/6", "Włóż druk PIT-36 3/6", drukzez("wyd36_st3", "TF_w36153", 3)},
    {"chbox_st_4", print_condition::none, "PIT-36 4/6", "Wydruk strony 4/6", "Włóż druk PIT-36 4/6", drukzez("wyd36_st4", "TF_w36154", 4)},
    {"chbox_st_5", print_condition::none, "PIT-36 5/6", "Wydruk strony 5/6", "Włóż druk PIT-36 5/6", drukzez("wyd36_st5", "TF_w36155", 5)},
    {"ChBox_st_6", print_condition::none, "PIT-36 6/6", "Wydruk strony 6/6", "Włóż druk PIT-36 6/6", drukzez("wyd36_st6", "TF_w36156", 6)},
    pitb_1,
    pitb_2,
    pito_1,
    pito_2,
    pito_3,
    pitd_1,
    pitd_2,
    {"chbox_m_1", print_condition::pitm_amounts, "PIT/M 1/1 (podatnik)", "Wydruk PIT/M 1/1 (podatnik)", "Włóż druk PIT/M 1/1 (podatnik)", drukzez("wydzalm_I", "TF_wm15_1", 22, person), {1}},
    {"chbox_m_1", print_condition::pitm_amounts, "PIT/M 1/1 (małżonek)", "Wydruk PIT/M 1/1 (małżonek)", "Włóż druk PIT/M 1/1 (małżonek)", drukzez("wydzalm_I", "TF_wm15_1", 22, person), {2}},
    pit2k,
    {"ChBox_z_1", print_condition::pitz_code, "PIT/Z 1/2 (podatnik)", "Wydruk PIT/Z 1/2 (podatnik)", "Włóż druk PIT/Z 1/2 (podatnik)", drukzez("wydzalz_I", "TF_wz15_1", 23, person), {1}},
    {"ChBox_z_2", print_condition::pitz_code, "PIT/Z 2/2 (podatnik)", "Wydruk PIT/Z 2/2 (podatnik)", "Włóż druk PIT/Z 2/2 (podatnik)", drukzez("wydzalz_II", "TF_wz15_2", 24, person), {1}},
    {"ChBox_z_1", print_condition::pitz_code, "PIT/Z 1/2 (małżonek)", "Wydruk PIT/Z 1/2 (małżonek)", "Włóż druk PIT/Z 1/2 (małżonek)", drukzez("wydzalz_I", "TF_wz15_1", 23, person), {2}},
    {"ChBox_z_2", print_condition::pitz_code, "PIT/Z 2/2 (małżonek)", "Wydruk PIT/Z 2/2 (małżonek)", "Włóż druk PIT/Z 2/2 (małżonek)", drukzez("wydzalz_II", "TF_wz15_2", 24, person), {2}},
    {"Chbox_zg_1", print_condition::none, "PIT/ZG 1/1 (podatnik)", "Wydruk PIT/ZG 1/1 (podatnik)", "Włóż druk PIT/ZG 1/1 (podatnik)", drukzez("wydzalzg_I", "TF_wzg15_1", 25, person), {1}},
    {"Chbox_zg_1", print_condition::none, "PIT/ZG 1/1 (małżonek)", "Wydruk PIT/ZG 1/1 (małżonek)", "Włóż druk PIT/ZG 1/1 (małżonek)", drukzez("wydzalzg_I", "TF_wzg15_1", 25, person), {2}},
};

// One person: the taxpayer's PIT/Z prints when idm is 4, the square PIT-36L page 1 marks.
constexpr print_step pit36l_steps[] = {
    {"chbox_st_1", print_condition::none, "PIT-36L 1/3", "Wydruk strony 1/3", "Włóż druk PIT-36L 1/3", drukzez("w36L_st1", "TF_w36l15_1", 7)},
    {"chbox_st_2", print_condition::none, "PIT-36L 2/3", "Wydruk strony 2/3", "Włóż druk PIT-36L 2/3", drukzez("w36L_st2", "TF_w36l15_2", 8)},
    {"chbox_st_3", print_condition::none, "PIT-36L 3/3", "Wydruk strony 3/3", "Włóż druk PIT-36L 3/3", drukzez("w36L_st3", "TF_w36l15_3", 9)},
    pitb_1,
    pitb_2,
    {"ChBox_z_1", print_condition::idm_code_4, "PIT/Z 1/2", "Wydruk PIT/Z 1/2", "Włóż druk PIT/Z 1/2", drukzez("wydzalz_I", "TF_wz15_1", 23, person), {1}},
    {"ChBox_z_2", print_condition::idm_code_4, "PIT/Z 2/2", "Wydruk PIT/Z 2/2", "Włóż druk PIT/Z 2/2", drukzez("wydzalz_II", "TF_wz15_2", 24, person), {1}},
    {"Chbox_zg_1", print_condition::none, "PIT/ZG 1/1", "Wydruk PIT/ZG 1/1", "Włóż druk PIT/ZG 1/1", drukzez("wydzalzg_I", "TF_wzg15_1", 25, person), {1}},
};

constexpr print_step pit37_steps[] = {
    {"chbox_st_1", print_condition::none, "PIT-37 1/4", "Wydruk strony 1/4", "Włóż druk PIT-37 1/4", drukzez("wyd37_st1", "TF_w37151", 10)},
    {"chbox_st_2", print_condition::none, "PIT-37 2/4", "Wydruk strony 2/4", "Włóż druk PIT-37 2/4", drukzez("wyd37_st2", "TF_w37152", 11)},
    {"chbox_st_3", print_condition::none, "PIT-37 3/4", "Wydruk strony 3/4", "Włóż druk PIT-37 3/4", drukzez("wyd37_st3", "TF_w37153", 12)},
    {"chbox_st_4", print_condition::none, "PIT-37 4/4", "Wydruk strony 4/4", "Włóż druk PIT-37 4/4", drukzez("wyd37_st4", "TF_w37154", 13)},
    pito_1,
    pito_2,
    prepared(pito_3, record_preparation::none, "ChBox_o_3"),
    pitd_1,
    pitd_2,
    pit2k,
};
// clang-format on

constexpr host_table_load pit28_tables[] = {
    {host_table::margins, "ofdr", 26, "drukzez"},
    {host_table::offsets, "odszezr", 91},
    {host_table::margins, "ofdr3", 7, "wydp28"},
    {host_table::offsets, "odscz28", 27},
};
constexpr host_table_load zez_tables[] = {
    {host_table::margins, "ofdr", 26, "drukzez"},
    {host_table::offsets, "odszezr", 91},
};
constexpr host_table_load pit36l_tables[] = {
    {host_table::margins, "ofdr", 26, "drukzez"},
    {host_table::offsets, "odszezr", 91},
    {host_table::offsets, "ods36l", 17},
};

} // namespace

const print_catalogue pit28_catalogue{"PIT-28", pit28_tables, pit28_steps};
const print_catalogue pit36_catalogue{"PIT-36", zez_tables, pit36_steps};
const print_catalogue pit36l_catalogue{"PIT-36L", pit36l_tables, pit36l_steps};
const print_catalogue pit37_catalogue{"PIT-37", zez_tables, pit37_steps};

int print_step::person() const
{
    return direct.arguments[0].parameter == "nrp" ? args[0] : 1;
}

std::optional<record_preparation> preparation_of(const print_catalogue& catalogue,
                                                 std::string_view page_class)
{
    for (const auto& step : catalogue.steps)
        if (step.page_class() == page_class)
            return step.prepare;
    return std::nullopt;
}

void prepare_records(record_preparation op, host::host_state& host)
{
    switch (op) {
    case record_preparation::none:
        return;
    case record_preparation::przep_zalo:
        vcl::trace::emit("prepare", {{"op", "przep_zalo"}});
        Zezprzel::przep_zalo(host);
        return;
    case record_preparation::przep_zald:
        vcl::trace::emit("prepare", {{"op", "przep_zald"}});
        Zezprzel::przep_zald(host);
        return;
    case record_preparation::przep_zal2k:
        vcl::trace::emit("prepare", {{"op", "przep_zal2k"}});
        Zezprzel::przep_zal2k(host);
        return;
    }
}

void register_direct_pages()
{
    for (const auto* catalogue : print_catalogues)
        for (const auto& step : catalogue->steps)
            host::register_direct_page(step.direct);
}

namespace {
// The host's direct-print methods are known once the package is loaded, before a dialog runs.
const bool direct_pages_at_load = [] {
    register_unit({"print_catalogue", register_direct_pages, {}});
    return true;
}();
} // namespace

} // namespace kestrun
