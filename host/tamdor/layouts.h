#pragma once
// The layouts of the host's records, each declared once, field by field, with offsets in
// bytes from the start of the record (or of the element, for arrays of records). Bytes
// between the fields declared here belong to host data the module never touches.

#include "host/tamdor/layout.h"

namespace kestrun::host {

namespace tables {
using namespace declare;

// One partnership of a PIT-28/B attachment (rek28.sp).
inline constexpr field_def rek28_sp_fields[] = {
    text("nazsp", 0, 570),
    text("nipsp", 571, 120),
    real("prsp", 692),
    real("przsp", 698),
    matrix(real("prz_sp", 704), 2, 6),
    real("przwsp", 776),
    matrix(real("prz_wsp", 782), 2, 6),
};
inline constexpr record_layout rek28_sp_layout{"sp", rek28_sp_fields, 854};

// The PIT-28 return with its attachments PIT-28/A and PIT-28/B.
inline constexpr field_def rek28_fields[] = {
    text("nip", 9, 13),
    int32("rok", 23),
    text("urz", 27, 60),
    byte("cel", 88),
    text("nazw", 89, 50),
    text("im", 140, 50),
    date("dur", 191),
    text("pesel", 195, 11),
    text("kr", 207, 20),
    text("woj", 228, 20),
    text("pow", 249, 20),
    text("gmina", 270, 20),
    text("ul", 291, 50),
    text("nrd", 342, 10),
    text("nrlok", 353, 7),
    text("miejsc", 361, 35),
    text("kodp", 397, 6),
    text("poczta", 404, 35),
    array(real("przdg", 440), 7),
    array(real("przsp", 482), 7),
    array(real("prznaj", 524), 7),
    array(real("gbl", 566), 7),
    array(real("osz", 608), 7),
    array(real("pr", 650), 6),
    array(real("prosz", 686), 6),
    real("str", 728),
    real("zus", 740),
    real("zus_zagr", 752),
    real("o_prz", 758),
    real("prz_po_odl", 764),
    real("odl_ods", 770),
    real("prz_po_ods", 776),
    real("odl_prz_d", 782),
    real("odl_prz_d_b", 788),
    real("odl_prz_d_nast", 794),
    real("odl_og", 800),
    array(real("prz", 806), 7),
    array(real("podst_op", 848), 7),
    real("prz_po_odl1", 890),
    array(real("pod", 902), 7),
    real("pod_gbl", 962),
    real("dol_rycz", 968),
    real("pod_zagr", 974),
    real("rycz_po_dol", 998),
    real("zdr", 1010),
    real("zdr_zagr", 1022),
    real("odl_o", 1028),
    real("odl_pm", 1040),
    real("odl_pmb", 1046),
    real("pmnast", 1052),
    real("pod_zrycz", 1058),
    int32("rok_zw", 1064),
    real("pod_zwol", 1068),
    byte("zw", 1074),
    real("wpl_rycz", 1075),
    real("do_zapl", 1081),
    real("nadpl", 1087),
    array(real("pod_m", 1093), 11), // monthly flat tax, not a spouse's field
    real("sum_rycz", 1165),
    real("rycz_gr", 1171),
    text("krs", 1238, 31),
    real("poz_odl", 1270),
    text("kontakt1", 1276, 60),
    text("kontakt2", 1337, 60),
    text("cel1", 1398, 60),
    text("cel2", 1459, 60),
    flag("inf_cel", 1520),
    byte("zal_o", 1521),
    byte("zal_d", 1522),
    byte("zal_2k", 1523),
    byte("zal_a", 1526),
    byte("il_zal_b", 1527),
    byte("spr", 1528),
    byte("zal_d_kto", 1529),
    byte("zal_d_form", 1530),
    text("d_us1", 1531, 60),
    text("d_us2", 1592, 60),
    text("d_us3", 1653, 60),
    real("str2", 1720),
    flag("id_pesel", 1774),
    flag("pelnom", 1775),
    text("peln", 1776, 30),
    text("dzial1", 1807, 60),
    text("dzial2", 1868, 60),
    text("dzial3", 1929, 60),
    text("dzial4", 1990, 60),
    text("mp1", 2061, 60),
    text("mp2", 2122, 60),
    records("sp", 2219, 4, rek28_sp_layout), // element k at 1365 + 854k
    matrix(real("razem_sp", 5635), 2, 6),
};
inline constexpr record_layout rek28_layout{"rek28", rek28_fields, 5707};

// A donee of PIT/O part D (rekzez.obdar).
inline constexpr field_def obdar_fields[] = {
    text("nazpel", 0, 40), text("kr", 41, 88),      text("ul", 130, 35),  text("nrd", 166, 10),
    text("nrlok", 177, 7), text("miejsc", 185, 35), text("kodp", 221, 6), text("poczta", 228, 35),
    real("dar", 264),      real("dar_m", 270),
};
inline constexpr record_layout obdar_layout{"obdar", obdar_fields, 276};

// A child of PIT/O part E (rekzez.dziecko).
inline constexpr field_def dziecko_fields[] = {
    text("pesel", 0, 11),   text("im", 12, 20),
    text("nazw", 33, 22),   single("ud", 56),
    single("ud_m", 60),     date("dur", 64),
    int32("mies_tr", 68),   array(flag("mies", 72), 12),
    int32("mies_tr_m", 84), array(flag("mies_m", 88), 12),
};
inline constexpr record_layout dziecko_layout{"dziecko", dziecko_fields, 100};

// A business of PIT/B (rekzez.pitb[p].dg).
inline constexpr field_def pitb_dg_fields[] = {
    text("dzial", 0, 55), text("reg", 56, 9), text("mp", 66, 40),
    real("prz", 107),     real("ko", 113),    real("d", 119),
};
inline constexpr record_layout pitb_dg_layout{"dg", pitb_dg_fields, 125};

// A partnership of PIT/B (rekzez.pitb[p].sp).
inline constexpr field_def pitb_sp_fields[] = {
    text("nazsp", 0, 40), single("prsp", 41),      text("nipsp", 47, 10),
    text("regsp", 58, 9), text("mprowsp", 68, 40), array(real("kw", 109), 6),
};
inline constexpr record_layout pitb_sp_layout{"sp", pitb_sp_fields, 145};

// The PIT/B data of one person (rekzez.pitb).
inline constexpr field_def pitb_fields[] = {
    records("dg", 0, 4, pitb_dg_layout),
    records("sp", 500, 6, pitb_sp_layout),
};
inline constexpr record_layout pitb_layout{"pitb", pitb_fields, 1370};

// The PIT-36, PIT-36L and PIT-37 return with all its attachments. A taxpayer's field has its
// spouse's twin under the same name with "_m"; most twins lie at a fixed distance in
// per-person blocks (income 470 bytes, monthly 288, exemption 169, PIT/ZG 211, section L 54).
inline constexpr field_def rekzez_fields[] = {
    byte("rodz_zez", 27),
    text("nip", 28, 10),
    text("nip_m", 39, 10),
    int32("rok", 50),
    byte("sp_opod", 54),
    flag("nier", 55),
    flag("nier_m", 56),
    text("urz", 57, 60),
    flag("kor", 118),
    text("nazw", 119, 30),
    text("im", 150, 20),
    date("dur", 171),
    text("kr", 175, 25),
    text("woj", 201, 20),
    text("pow", 222, 20),
    text("gmina", 243, 20),
    text("ul", 264, 50),
    text("nrd", 315, 10),
    text("nrlok", 326, 7),
    text("miejsc", 334, 35),
    text("kodp", 370, 6),
    text("poczta", 377, 35),
    text("pesel", 413, 11),
    text("nazw_m", 425, 30),
    text("im_m", 456, 20),
    date("dur_m", 477),
    text("kr_m", 481, 25),
    text("woj_m", 507, 20),
    text("pow_m", 528, 20),
    text("gmina_m", 549, 20),
    text("ul_m", 570, 50),
    text("nrd_m", 621, 10),
    text("nrlok_m", 632, 7),
    text("miejsc_m", 640, 35),
    text("kodp_m", 676, 6),
    text("poczta_m", 683, 35),
    text("pesel_m", 719, 11),
    // Attachment counts, one byte per kind.
    byte("zal_b", 731),
    byte("zal_d", 732),
    byte("zal_2k", 733),
    byte("zal_m", 734), // the PIT/M count, not a spouse's field
    byte("zal_o", 735),
    byte("zal_zg", 736),
    byte("zal_z", 737),
    byte("zal_sser", 738),
    byte("zal_uz", 739),
    byte("zal_10", 740),
    byte("zal_ceny", 741),
    byte("zal_cert", 742),
    byte("d_kto", 743),
    byte("d_form", 744),
    text("d_us1", 745, 30),
    text("d_us2", 776, 30),
    text("d_us3", 807, 30),
    byte("idp", 838),
    byte("idm", 839),
    // The taxpayer's income block; the spouse's lies 470 bytes further.
    matrix(real("zr", 840), 9, 4),
    matrix(real("pitm", 1056), 5, 4),
    real("pitm_ds1", 1188),
    real("pitm_ds2", 1194),
    byte("pitm_wsp", 1200),
    real("dzw", 1213),
    real("str", 1225),
    text("zr_str", 1231, 42),
    real("zus_zagr", 1274),
    real("dpo", 1280),
    real("po", 1286),
    real("obn", 1298),
    matrix(real("zr_m", 1310), 9, 4),
    matrix(real("pitm_m", 1526), 5, 4),
    real("pitm_ds1_m", 1658),
    real("pitm_ds2_m", 1664),
    byte("pitm_wsp_m", 1670),
    real("dzw_m", 1683),
    real("str_m", 1695),
    real("zus_zagr_m", 1744),
    real("dpo_m", 1750),
    real("po_m", 1756),
    real("obn_m", 1768),
    real("ulga_ods", 1780),
    real("pd", 1792),
    real("pdbiez", 1798),
    real("pdnast", 1804),
    real("ikze", 1822),
    // The 72-byte per-person block of section G.
    real("zw", 1834),
    array(real("pg", 1852), 6),
    real("zw_m", 1906),
    array(real("pg_m", 1924), 6),
    real("doch_opod", 1966),
    real("dz", 1972),
    real("dz_m", 1978),
    real("podst_opod", 1984),
    real("pod", 2021),
    real("dolpod", 2027),
    real("pod1", 2045),
    real("zdr_zagr", 2063),
    real("zdr_zagr_m", 2069),
    real("pod_o", 2081),
    real("pod_o_m", 2087),
    real("pod_po_odl", 2093),
    real("pod_d", 2105),
    real("pod_d_b", 2111),
    real("pod_d_nast", 2117),
    real("pod_po_odl_d", 2123),
    real("pod_zaokr", 2141),
    real("sum_zal", 2147),
    real("rozn", 2153),
    real("rozn1", 2159),
    real("zal_wpl", 2165),
    real("do_zapl", 2171),
    real("nadpl", 2177),
    // The monthly block of 288 bytes per person.
    array(real("zr44", 2183), 12),
    array(real("ods44", 2255), 12),
    array(real("zal44_1", 2327), 12),
    array(real("zal44_7", 2399), 12),
    array(real("zr44_m", 2471), 12),
    array(real("ods44_m", 2543), 12),
    array(real("zal44_1_m", 2615), 12),
    array(real("zal44_7_m", 2687), 12),
    text("kontakt1", 2759, 61),
    text("kontakt2", 2821, 61),
    text("cel1", 2945, 60),
    text("cel2", 3006, 60),
    flag("inf_cel", 3067),
    flag("id_pesel", 3082),
    flag("id_pesel_m", 3083),
    array(real("k50", 3097), 4),
    array(real("k50_m", 3121), 4),
    text("krs", 3145, 25),
    real("kwopp", 3171),
    real("doch_45", 3177),
    flag("jest_peln", 3190),
    text("peln", 3191, 42),
    real("pod_zagr", 3234),
    real("pod_zagr_m", 3240),
    array(real("odl2013", 3251), 3),
    flag("inet_rok_ub", 3269),
    flag("inet_lata_pop", 3270),
    array(real("odl2013_m", 3271), 3),
    flag("inet_rok_ub_m", 3289),
    flag("inet_lata_pop_m", 3290),
    array(single("zbyc", 3291), 3),
    array(single("zbyc_m", 3303), 3),
    // PIT/D.
    real("ods", 3321),
    real("ods28", 3327),
    real("ods36", 3333),
    flag("wn_b11_28", 3339),
    flag("wn_b11_36", 3340),
    real("ods28p", 3341),
    real("ods28m", 3347),
    real("ods36p", 3353),
    real("ods36m", 3359),
    array(text("rodz_odl_doch", 3365, 40), 3),
    real("odl_doch", 3488),
    real("odl_bez_pokr", 3494),
    real("odl_doch_og", 3500),
    real("odl_doch28", 3506),
    real("odl_doch36", 3512),
    flag("wn_b31_28", 3518),
    flag("wn_b31_36", 3519),
    real("ods28p1", 3520),
    real("ods28m1", 3526),
    real("ods36p1", 3532),
    real("ods36m1", 3538),
    real("kas", 3544),
    real("bez_pokr", 3582),
    real("odl_pod_og", 3588),
    real("odl_pod28", 3594),
    real("odl_pod36", 3600),
    flag("wn_c21_28", 3606),
    flag("wn_c21_36", 3607),
    real("pod28p", 3608),
    real("pod28m", 3614),
    real("pod36p", 3620),
    real("pod36m", 3626),
    // PIT/O. The return pages know two of the deductions by their own names.
    array(real("odl_o", 3642), 15),
    alias(real("zus", 3648), "odl_o", 2),
    alias(real("zdr", 3726), "odl_o", 15),
    byte("ildz", 3732),
    array(real("ulg_o", 3733), 4),
    array(real("odl_o_m", 3757), 15),
    alias(real("zus_m", 3763), "odl_o_m", 2),
    alias(real("zdr_m", 3841), "odl_o_m", 15),
    array(real("ulg_o_m", 3848), 4),
    array(text("in_odl_doch", 3872, 30), 3),
    array(text("in_odl_pod", 3965, 30), 3),
    records("obdar", 4058, 2, obdar_layout),
    records("dziecko", 4886, 5, dziecko_layout), // element k at 4786 + 100k
    // The exemption block (PIT/Z) of 169 bytes per person.
    matrix(real("pitz_b", 5386), 3, 4),
    array(real("pitz_c1", 5458), 4),
    int32("rokzw", 5482),
    array(real("pitz_w", 5486), 4),
    real("pitz_doch", 5510),
    real("zw_doch", 5516),
    real("zw_str3", 5522),
    real("zw_str4", 5528),
    matrix(real("pitz_b_m", 5555), 3, 4),
    array(real("pitz_c1_m", 5627), 4),
    int32("rokzw_m", 5651),
    array(real("pitz_w_m", 5655), 4),
    real("pitz_doch_m", 5679),
    real("zw_doch_m", 5685),
    real("zw_str3_m", 5691),
    real("zw_str4_m", 5697),
    records("pitb", 5724, 2, pitb_layout),
    // PIT-2K.
    int32("rok_kr", 8464),
    real("kw_kr", 8468),
    int32("rok_rozp", 8474),
    int32("rok_zak", 8478),
    byte("rodz_inw", 8482),
    real("kw_wyd", 8483),
    real("kw_fakt", 8489),
    // Section L, 54 bytes per person; the spouse's array ends before PIT/ZG, after 8 elements.
    array(real("pl", 8507), 9),
    array(real("pl_m", 8561), 8),
    // The PIT/ZG block of 211 bytes per person.
    text("zg_kraj", 8611, 40),
    matrix(real("zg_prz", 8652), 7, 3),
    array(real("zg_w", 8778), 6),
    text("zg_kraj_m", 8822, 40),
    matrix(real("zg_prz_m", 8863), 7, 3),
    array(real("zg_w_m", 8989), 6),
};
inline constexpr record_layout rekzez_layout{"rekzez", rekzez_fields, 9033};

// The additional child-relief refund.
inline constexpr field_def rek_uz_fields[] = {
    real("zus", 0),   real("zus_m", 6),     real("dz", 12),
    real("dz_m", 18), real("rozn", 24),     real("uz_doza", 30),
    real("doza", 36), real("uz_nadpl", 42), real("zwrot", 48),
};
inline constexpr record_layout rek_uz_layout{"rek_uz", rek_uz_fields, 54};

// The host's settings record, record 0 of the settings file zbster.
inline constexpr field_def rekster_fields[] = {
    byte("dr_opt1", 1),          flag("dr_port", 2),         byte("dr_opt2", 8),
    int16("dr_opt3", 23),        flag("wydr_niezadr28", 45), flag("wydr_niezadr36", 46),
    flag("wydr_niezadr36l", 47), flag("wydr_niezadr37", 48),
};
inline constexpr record_layout rekster_layout{"rekster", rekster_fields, 1024};

} // namespace tables

using tables::dziecko_layout;
using tables::obdar_layout;
using tables::pitb_dg_layout;
using tables::pitb_layout;
using tables::pitb_sp_layout;
using tables::rek28_layout;
using tables::rek28_sp_layout;
using tables::rek_uz_layout;
using tables::rekster_layout;
using tables::rekzez_layout;

static_assert(rek28_layout.size == 5707 && layout_fault(rek28_layout).empty());
static_assert(rekzez_layout.size == 9033 && layout_fault(rekzez_layout).empty());
static_assert(twin_fault(rekzez_layout).empty());
static_assert(rek_uz_layout.size == 54 && layout_fault(rek_uz_layout).empty());
static_assert(rekster_layout.size == 1024 && layout_fault(rekster_layout).empty());
// Element k of the PIT-28/B partnerships starts at 1365 + 854k, child k at 4786 + 100k.
static_assert(rek28_layout["sp"].offset + rek28_sp_layout.size == 1365 + 854 * 2);
static_assert(rekzez_layout["dziecko"].offset + dziecko_layout.size == 4786 + 100 * 2);

} // namespace kestrun::host
