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
    about(text("nazsp", 0, 570), "full name of the partnership (PIT-28/B box 7 / box 36)",
          "nazwa spółki"),
    about(text("nipsp", 571, 120),
          "NIP of the partnership as stored, printed unchanged (box 8 / box 37)", "NIP spółki"),
    about(
        real("prsp", 692),
        "taxpayer share in the partnership revenue, percent (box 9 / box 38; width 5, 2 decimals)",
        "udział w spółce"),
    about(real("przsp", 698), "partnership revenue (box 10 / box 39; width 11, 2 decimals)"),
    about(matrix(real("prz_sp", 704), 2, 6),
          "partnership revenue by rate 3.0, 5.5, 8.5, 10, 17, 20 %; row 1 recorded revenue, row 2 "
          "revenue determined under art. 17 (boxes 11-22 / 40-51)"),
    about(real("przwsp", 776),
          "revenue attributable to the taxpayer (box 23 / box 52; width 11, 2 decimals)"),
    about(matrix(real("prz_wsp", 782), 2, 6),
          "taxpayer share of the revenue by rate, rows as prz_sp (boxes 24-35 / 53-64)"),
};
inline constexpr record_layout rek28_sp_layout{"sp", rek28_sp_fields, 854};

// The PIT-28 return with its attachments PIT-28/A and PIT-28/B.
inline constexpr field_def rek28_fields[] = {
    about(text("nip", 9, 13), "taxpayer NIP as entered; PIT-28 page 1 box 1 when identified by NIP",
          "identyfikator podatkowy NIP"),
    about(int32("rok", 23), "tax year; PIT-28 page 1 box 4 (spread over cells)", "rok podatkowy"),
    about(text("urz", 27, 60), "tax office the return is addressed to; PIT-28 page 1 box 5",
          "urząd skarbowy, do którego adresowane jest zeznanie"),
    about(byte("cel", 88),
          "purpose of filing: 0 = filing (box 6 square 1 \"x\"), otherwise correction (box 6 "
          "square 2 \"x\")",
          "cel złożenia formularza"),
    about(text("nazw", 89, 50), "taxpayer surname; PIT-28 page 1 box 7", "nazwisko"),
    about(text("im", 140, 50), "taxpayer first name; PIT-28 page 1 box 8", "pierwsze imię"),
    about(date("dur", 191), "taxpayer date of birth; PIT-28 page 1 box 9", "data urodzenia"),
    about(text("pesel", 195, 11),
          "taxpayer PESEL; PIT-28 page 1 box 1 when identified by PESEL (spread over cells)",
          "numer PESEL"),
    about(text("kr", 207, 20), "country; PIT-28 page 1 box 10", "kraj"),
    about(text("woj", 228, 20), "province; box 11", "województwo"),
    about(text("pow", 249, 20), "district; box 12", "powiat"),
    about(text("gmina", 270, 20), "commune; box 13", "gmina"),
    about(text("ul", 291, 50), "street; box 14", "ulica"),
    about(text("nrd", 342, 10), "house number; box 15", "nr domu"),
    about(text("nrlok", 353, 7), "flat number; box 16", "nr lokalu"),
    about(text("miejsc", 361, 35), "town; box 17", "miejscowość"),
    about(text("kodp", 397, 6), "postal code; box 18", "kod pocztowy"),
    about(text("poczta", 404, 35), "post office; box 19", "poczta"),
    about(array(real("przdg", 440), 7),
          "part C row 1, business run in own name: revenue at the rates 3.0, 5.5, 8.5, 10, 17, 20 "
          "% and total (boxes 20-26)"),
    about(array(real("przsp", 482), 7),
          "part C row 2, business run as a partnership of natural persons: boxes 27-33"),
    about(array(real("prznaj", 524), 7), "part C row 3, rental and lease: [3] 8.5 % box 34, [7] "
                                         "total box 35 (other elements not printed)"),
    about(array(real("gbl", 566), 7), "part C row 5 RAZEM, sum of rows 1 to 4: boxes 39-45"),
    about(array(real("osz", 608), 7),
          "part C row 6, revenue determined by the tax authority under art. 17: boxes 47-53"),
    about(array(real("pr", 650), 6), "percentage share of row 5 amounts in the total of boxes 45 "
                                     "and 53, stored as a fraction (printed x 100): boxes 55-60"),
    about(array(real("prosz", 686), 6),
          "percentage share of row 6 amounts in the total of boxes 45 and 53, stored as a fraction "
          "(printed x 100): boxes 62-67"),
    about(real("str", 728), "losses from previous years (PIT-28 box 68 = str + str2)",
          "straty z lat ubiegłych"),
    about(real("zus", 740), "social-insurance contributions, box 69",
          "składki na ubezpieczenia społeczne"),
    about(real("zus_zagr", 752),
          "of which contributions paid abroad (art. 26 ust. 1 pkt 2a), box 70"),
    about(real("o_prz", 758), "deductions from revenue shown in part B of PIT/O, box 71"),
    about(real("prz_po_odl", 764), "revenue after deductions, box 72"),
    about(real("odl_ods", 770), "interest relief (PIT/D part B.1), box 73"),
    about(real("prz_po_ods", 776), "revenue after the interest deduction, box 74"),
    about(real("odl_prz_d", 782),
          "housing-expense deductions from revenue (PIT/D part B.3), box 75"),
    about(real("odl_prz_d_b", 788), "housing expenses deducted in the tax year, box 76"),
    about(real("odl_prz_d_nast", 794), "housing expenses to deduct in following years, box 77"),
    about(real("odl_og", 800), "deductions in total, box 78"),
    about(array(real("prz", 806), 7),
          "deductions attributable to the rates 3.0, 5.5, 8.5, 10, 17, 20 % (boxes 80-85) and to "
          "revenue determined under art. 17 (box 86)"),
    about(array(real("podst_op", 848), 7),
          "tax base per rate after deductions, whole zloty (boxes 88-94)"),
    about(real("prz_po_odl1", 890), "total revenue after deductions, whole zloty, box 95"),
    about(array(real("pod", 902), 7),
          "flat tax at the rates 3.0 ... 20 % (boxes 97-102) and on revenue determined under art. "
          "17 (box 103)",
          "podatek"),
    about(real("pod_gbl", 962), "flat tax on recorded revenue, box 104"),
    about(real("dol_rycz", 968), "additions to the flat tax, box 105"),
    about(real("pod_zagr", 974), "tax paid abroad, box 106"),
    about(real("rycz_po_dol", 998), "flat tax after additions and foreign tax, box 107"),
    about(real("zdr", 1010), "health-insurance contribution, box 108",
          "składki na ubezpieczenie zdrowotne"),
    about(real("zdr_zagr", 1022), "of which paid abroad, box 109"),
    about(real("odl_o", 1028), "deductions from the flat tax (PIT/O part C), box 110"),
    about(real("odl_pm", 1040),
          "housing-expense deductions from the flat tax (PIT/D part C.2), box 111"),
    about(real("odl_pmb", 1046), "housing reliefs deducted in the tax year, box 112"),
    about(real("pmnast", 1052), "housing reliefs to deduct in following years, box 113"),
    about(real("pod_zrycz", 1058), "flat tax due, whole zloty, box 114"),
    about(int32("rok_zw", 1064), "tax year in which the exemption of art. 21 ust. 6-13 was used "
                                 "(box 115); printed only when greater than 2000"),
    about(real("pod_zwol", 1068),
          "20 % of the flat tax of that year, whole zloty, box 116 (printed only with box 115)"),
    about(byte("zw", 1074),
          "use of the exemption in the tax year, box 117: 0 = yes, from all revenue; 1 = yes, from "
          "part of the revenue; other = no",
          "dochody zwolnione"),
    about(real("wpl_rycz", 1075),
          "flat tax paid for January-November (or quarters I-III), whole zloty, box 118"),
    about(real("do_zapl", 1081), "amount to pay, whole zloty, box 119", "podatek do zapłaty"),
    about(real("nadpl", 1087), "overpayment, whole zloty, box 120", "nadpłata"),
    about(array(real("pod_m", 1093), 11),
          "flat tax of the months January to November (or quarters), "
          "whole zloty, boxes 121-131"), // monthly flat tax, not a
                                         // spouse's field
    about(real("sum_rycz", 1165), "total flat tax January-November, whole zloty, box 132"),
    about(real("rycz_gr", 1171), "flat tax for December (or quarter IV), whole zloty, box 133"),
    about(text("krs", 1238, 31), "KRS number of the public-benefit organisation, box 134 (trimmed)",
          "numer KRS organizacji pożytku publicznego"),
    about(real("poz_odl", 1270), "requested 1 % amount, box 135"),
    about(
        text("kontakt1", 1276, 60),
        "additional information (e.g. contact), first part; box 138 = kontakt1 + blank + kontakt2",
        "dane kontaktowe"),
    about(text("kontakt2", 1337, 60), "additional information, second part", "dane kontaktowe"),
    about(text("cel1", 1398, 60),
          "detailed purpose of the 1 %, first part; box 136 = cel1 + blank + cel2",
          "cel szczegółowy 1%"),
    about(text("cel2", 1459, 60), "detailed purpose of the 1 %, second part", "cel szczegółowy 1%"),
    about(flag("inf_cel", 1520),
          "consent to pass the taxpayer data to the organisation, box 137 \"x\"",
          "zgoda na przekazanie informacji organizacji pożytku publicznego"),
    about(byte("zal_o", 1521),
          "number of PIT/O attachments of the PIT-28 return (0 = none), box 139 on page 4; when 0 "
          "the PIT-28 print dialog disables and clears its two PIT/O page boxes",
          "liczba załączników PIT/O"),
    about(byte("zal_d", 1522),
          "number of PIT/D attachments (0 = none), box 140; when 0 the PIT-28 print dialog "
          "disables and clears its two PIT/D page boxes",
          "liczba załączników PIT/D"),
    about(byte("zal_2k", 1523),
          "number of PIT-2K attachments (0 = none), box 141; when 0 the PIT-28 print dialog "
          "disables and clears its PIT-2K box",
          "liczba załączników PIT-2K"),
    about(byte("zal_a", 1526), "number of PIT-28/A attachments (0 = none), box 142; when 0 the "
                               "PIT-28 print dialog disables and clears its PIT-28/A box"),
    about(byte("il_zal_b", 1527),
          "number of PIT-28/B attachments (0 = none), box 143; the PIT-28 print dialog prints the "
          "two PIT-28/B pages once per attachment and disables its PIT-28/B boxes when 0"),
    about(byte("spr", 1528),
          "report on the transfer-pricing method, box 147 (printed as a number, width 3)"),
    about(byte("zal_d_kto", 1529), "PIT/D attached to the return of: 0 = taxpayer (box 144 square "
                                   "1), 1 = spouse (square 2); other = none"),
    about(
        byte("zal_d_form", 1530),
        "form the PIT/D is attached to, box 145: 0 = PIT-28, 1 = PIT-36, 2 = PIT-37; other = none"),
    about(text("d_us1", 1531, 60),
          "box 146 first part (spouse identifier, name, tax office): box 146 = d_us1 + blank + "
          "d_us2 + d_us3",
          "adres urzędu skarbowego"),
    about(text("d_us2", 1592, 60), "box 146 second part"),
    about(text("d_us3", 1653, 60), "box 146 third part (joined to d_us2 without a blank)"),
    about(real("str2", 1720),
          "second component of box 68 (losses from previous years), added to str"),
    about(flag("id_pesel", 1774),
          "true: the taxpayer is identified by PESEL (the word NIP is struck out), false: by NIP "
          "(the words numer PESEL are struck out)",
          "identyfikator podatkowy: PESEL zamiast NIP"),
    about(flag("pelnom", 1775), "a proxy signs the return; box 149 printed only when set"),
    about(text("peln", 1776, 30), "name of the proxy, box 149 (trimmed)",
          "imię i nazwisko pełnomocnika"),
    about(text("dzial1", 1807, 60), "PIT-28/A box 6 kind of business, first part; box 6 = dzial1 + "
                                    "blank + dzial2 + blank + dzial3 + blank + dzial4 (trimmed)"),
    about(text("dzial2", 1868, 60), "PIT-28/A box 6, second part"),
    about(text("dzial3", 1929, 60), "PIT-28/A box 6, third part"),
    about(text("dzial4", 1990, 60), "PIT-28/A box 6, fourth part"),
    about(text("mp1", 2061, 60), "PIT-28/A box 7 place of business, first part; box 7 = mp1 + mp2 "
                                 "joined without a blank (trimmed)"),
    about(text("mp2", 2122, 60), "PIT-28/A box 7, second part"),
    about(records("sp", 2219, 4, rek28_sp_layout),
          "partnerships of the PIT-28/B attachments (element k at 1365 + 854k; attachment i holds "
          "elements 2i-1 and 2i)"), // element k at 1365 + 854k
    about(matrix(real("razem_sp", 5635), 2, 6),
          "totals by rate printed in PIT-28/B part C.3 (boxes 65-76) when the return has fewer "
          "than two PIT-28/B attachments"),
};
inline constexpr record_layout rek28_layout{"rek28", rek28_fields, 5707};

// A donee of PIT/O part D (rekzez.obdar).
inline constexpr field_def obdar_fields[] = {
    about(text("nazpel", 0, 40), "donee full name (D.j.1 poz. 1)",
          "nazwa lub imię i nazwisko obdarowanego"),
    about(text("kr", 41, 88), "donee country (poz. 2); 89 bytes lie between it and ul", "kraj"),
    about(text("ul", 130, 35), "donee street (poz. 5)", "ulica"),
    about(text("nrd", 166, 10), "donee house number (poz. 6)", "nr domu"),
    about(text("nrlok", 177, 7), "donee flat number (poz. 7)", "nr lokalu"),
    about(text("miejsc", 185, 35), "donee town (poz. 4)", "miejscowość"),
    about(text("kodp", 221, 6), "donee postal code (poz. 8)", "kod pocztowy"),
    about(text("poczta", 228, 35), "donee post office (poz. 9)", "poczta"),
    about(real("dar", 264), "amount donated by the taxpayer (D.j.2 poz. 10)", "kwota darowizny"),
    about(real("dar_m", 270), "amount donated by the spouse (D.j.2 poz. 11)"),
};
inline constexpr record_layout obdar_layout{"obdar", obdar_fields, 276};

// A child of PIT/O part E (rekzez.dziecko).
inline constexpr field_def dziecko_fields[] = {
    about(text("pesel", 0, 11), "child PESEL (E.k poz. 1)", "numer PESEL"),
    about(text("im", 12, 20), "child first name (poz. 2)", "pierwsze imię"),
    about(text("nazw", 33, 22), "child surname (poz. 3)", "nazwisko"),
    about(single("ud", 56), "child relief due to the taxpayer (poz. 7)",
          "udział w uldze na dziecko"),
    about(single("ud_m", 60), "child relief due to the spouse (poz. 8)"),
    about(date("dur", 64),
          "child date of birth (poz. 4); a child counts as present without PESEL only if the third "
          "byte of this value is non-zero",
          "data urodzenia"),
    about(int32("mies_tr", 68),
          "taxpayer months mode: 1 = whole year (poz. 5 square), 2 = the months flagged in mies"),
    about(array(flag("mies", 72), 12), "taxpayer: relief due for month I..XII",
          "miesiące sprawowania władzy rodzicielskiej"),
    about(int32("mies_tr_m", 84),
          "spouse months mode: 1 = whole year (poz. 6 square), 2 = months flagged in mies_m"),
    about(array(flag("mies_m", 88), 12), "spouse: relief due for month I..XII"),
};
inline constexpr record_layout dziecko_layout{"dziecko", dziecko_fields, 100};

// A business of PIT/B (rekzez.pitb[p].dg).
inline constexpr field_def pitb_dg_fields[] = {
    about(text("dzial", 0, 55), "kind of business (PIT/B poz. 7 / 13)", "rodzaj działalności"),
    about(text("reg", 56, 9), "REGON of the business (poz. 8 / 14)", "REGON"),
    about(text("mp", 66, 40), "place of business (poz. 9 / 15)",
          "miejsce prowadzenia działalności"),
    about(real("prz", 107), "revenue (poz. 10 / 16)", "przychód"),
    about(real("ko", 113), "costs of obtaining revenue (poz. 11 / 17)",
          "koszty uzyskania przychodu"),
    about(real("d", 119), "income or loss, a loss negative (poz. 12 / 18)", "dochód / strata"),
};
inline constexpr record_layout pitb_dg_layout{"dg", pitb_dg_fields, 125};

// A partnership of PIT/B (rekzez.pitb[p].sp).
inline constexpr field_def pitb_sp_fields[] = {
    about(text("nazsp", 0, 40), "partnership name (poz. 19 / 30 / 41)", "nazwa spółki"),
    about(single("prsp", 41), "share in the partnership, percent (poz. 20 / 31 / 42)",
          "udział w spółce (%)"),
    about(text("nipsp", 47, 10), "partnership NIP (poz. 21 / 32 / 43)", "NIP spółki"),
    about(text("regsp", 58, 9), "partnership REGON (poz. 22 / 33 / 44)", "REGON spółki"),
    about(text("mprowsp", 68, 40), "place of business of the partnership (poz. 23 / 34 / 45)",
          "miejsce prowadzenia działalności spółki"),
    about(array(real("kw", 109), 6),
          "partnership amounts: [1] revenue of the partnership, [2] revenue attributable to the "
          "person, [3] costs of the partnership, [4] costs attributable, [5] income/loss of the "
          "partnership, [6] income/loss attributable (poz. 24-29 / 35-40 / 46-51)"),
};
inline constexpr record_layout pitb_sp_layout{"sp", pitb_sp_fields, 145};

// The PIT/B data of one person (rekzez.pitb).
inline constexpr field_def pitb_fields[] = {
    about(records("dg", 0, 4, pitb_dg_layout), "PIT/B businesses (B.1, B.2 of each sheet); a "
                                               "business exists when dzial or reg is non-empty"),
    about(records("sp", 500, 6, pitb_sp_layout),
          "PIT/B partnerships (C.1 to C.3 of each sheet); a partnership exists when nazsp, regsp "
          "or nipsp is non-empty"),
};
inline constexpr record_layout pitb_layout{"pitb", pitb_fields, 1370};

// The PIT-36, PIT-36L and PIT-37 return with all its attachments. A taxpayer's field has its
// spouse's twin under the same name with "_m"; most twins lie at a fixed distance in
// per-person blocks (income 470 bytes, monthly 288, exemption 169, PIT/ZG 211, section L 54).
inline constexpr field_def rekzez_fields[] = {
    about(byte("rodz_zez", 27),
          "kind of return the data belongs to; 0 = PIT-36 (PIT/UZ marks square 1 of poz. 3), 1 = "
          "PIT-37 (square 2); PIT/Z page 2 also prints for person 1 when it is 2 and idm = 4 (the "
          "PIT-36L case)",
          "rodzaj zeznania"),
    about(text("nip", 28, 10),
          "taxpayer NIP as entered (dashes allowed); printed with dashes removed and spread over "
          "cells (PIT/O poz. 1 and every attachment header)",
          "identyfikator podatkowy NIP"),
    about(text("nip_m", 39, 10), "spouse NIP (PIT/O poz. 2 and spouse header boxes)",
          "identyfikator podatkowy NIP"),
    about(int32("rok", 50), "tax year printed in the year box of attachments (spread over cells)",
          "rok podatkowy"),
    about(byte("sp_opod", 54),
          "method-of-taxation code; joint taxation with the spouse when the code is a member of "
          "the host set wsp_z_malz",
          "sposób opodatkowania"),
    about(flag("nier", 55),
          "PIT-36/PIT-37 page 1 poz. 7: the taxpayer is taxed as provided in art. 29 ust. 4"),
    about(flag("nier_m", 56), "PIT-36/PIT-37 page 1 poz. 8: the same for the spouse"),
    about(text("urz", 57, 60), "name of the tax office the return is addressed to",
          "urząd skarbowy, do którego adresowane jest zeznanie"),
    about(flag("kor", 118),
          "purpose of filing (page 1 poz. 10): false = filing of the return, true = correction",
          "cel złożenia formularza (korekta)"),
    about(text("nazw", 119, 30), "taxpayer surname", "nazwisko"),
    about(text("im", 150, 20), "taxpayer first name", "pierwsze imię"),
    about(date("dur", 171), "taxpayer date of birth", "data urodzenia"),
    about(text("kr", 175, 25), "taxpayer address: country (poz. 14)", "kraj"),
    about(text("woj", 201, 20), "taxpayer address: province (poz. 15)", "województwo"),
    about(text("pow", 222, 20), "taxpayer address: district (poz. 16)", "powiat"),
    about(text("gmina", 243, 20), "taxpayer address: commune (poz. 17)", "gmina"),
    about(text("ul", 264, 50), "taxpayer address: street (poz. 18)", "ulica"),
    about(text("nrd", 315, 10), "taxpayer address: house number (poz. 19)", "nr domu"),
    about(text("nrlok", 326, 7), "taxpayer address: flat number (poz. 20)", "nr lokalu"),
    about(text("miejsc", 334, 35), "taxpayer address: town (poz. 21)", "miejscowość"),
    about(text("kodp", 370, 6), "taxpayer address: postal code (poz. 22)", "kod pocztowy"),
    about(text("poczta", 377, 35), "taxpayer address: post office (poz. 23)", "poczta"),
    about(text("pesel", 413, 11), "taxpayer PESEL", "numer PESEL"),
    about(text("nazw_m", 425, 30), "spouse surname", "nazwisko"),
    about(text("im_m", 456, 20), "spouse first name", "pierwsze imię"),
    about(date("dur_m", 477), "spouse date of birth", "data urodzenia"),
    about(text("kr_m", 481, 25), "spouse address: country (poz. 27)", "kraj"),
    about(text("woj_m", 507, 20), "spouse address: province (poz. 28)", "województwo"),
    about(text("pow_m", 528, 20), "spouse address: district (poz. 29)", "powiat"),
    about(text("gmina_m", 549, 20), "spouse address: commune (poz. 30)", "gmina"),
    about(text("ul_m", 570, 50), "spouse address: street (poz. 31)", "ulica"),
    about(text("nrd_m", 621, 10), "spouse address: house number (poz. 32)", "nr domu"),
    about(text("nrlok_m", 632, 7), "spouse address: flat number (poz. 33)", "nr lokalu"),
    about(text("miejsc_m", 640, 35), "spouse address: town (poz. 34)", "miejscowość"),
    about(text("kodp_m", 676, 6), "spouse address: postal code (poz. 35)", "kod pocztowy"),
    about(text("poczta_m", 683, 35), "spouse address: post office (poz. 36)", "poczta"),
    about(text("pesel_m", 719, 11), "spouse PESEL", "numer PESEL"),
    // Attachment counts, one byte per kind.
    about(byte("zal_b", 731),
          "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the "
          "return has PIT/B attachments; when 0 the PIT-36 and PIT-36L print dialogs disable and "
          "clear their PIT/B page boxes",
          "liczba załączników PIT/B"),
    about(byte("zal_d", 732),
          "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the "
          "return has a PIT/D attachment; when 0 the PIT-36 and PIT-37 print dialogs disable and "
          "clear their PIT/D page boxes",
          "liczba załączników PIT/D"),
    about(byte("zal_2k", 733),
          "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the "
          "return has a PIT-2K attachment; when 0 the PIT-36 and PIT-37 print dialogs disable and "
          "clear their PIT-2K box",
          "liczba załączników PIT-2K"),
    about(
        byte("zal_m", 734),
        "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the return "
        "has PIT/M attachments; when 0 the PIT-36 print dialog disables and clears its PIT/M box",
        "liczba informacji PIT/M"), // the PIT/M count, not a spouse's field
    about(byte("zal_o", 735),
          "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the "
          "return has a PIT/O attachment; when 0 the PIT-36 and PIT-37 print dialogs disable and "
          "clear their three PIT/O page boxes",
          "liczba załączników PIT/O"),
    about(byte("zal_zg", 736),
          "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the "
          "return has PIT/ZG attachments; when 0 the PIT-36 and PIT-36L print dialogs disable and "
          "clear their PIT/ZG box",
          "liczba załączników PIT/ZG"),
    about(byte("zal_z", 737),
          "number of attachments of this kind (0 = none); the dialogs treat non-zero as: the "
          "return has PIT/Z attachments; when 0 the PIT-36 and PIT-36L print dialogs disable and "
          "clear their two PIT/Z page boxes",
          "liczba informacji PIT/Z"),
    about(byte("zal_sser", 738),
          "number of SSE-R attachments; bytes 731..742 are the attachment counts zal_b .. "
          "zal_cert, printed as numbers on PIT-36 page 6 and PIT-37 page 4"),
    about(byte("zal_uz", 739), "attachment count of index 9 (PIT/UZ); assigned to the disabled "
                               "margin field QRL_zaluz of PIT-36 page 6, never printed"),
    about(byte("zal_10", 740), "attachment count of index 10; assigned to the disabled margin "
                               "field QRL_zal10 of PIT-36 page 6, never printed"),
    about(byte("zal_ceny", 741),
          "number of reports on the realisation of an agreed transfer-pricing method"),
    about(byte("zal_cert", 742), "number of residence certificates"),
    about(byte("d_kto", 743),
          "who attaches PIT/D to his own other return: 0 taxpayer (square 1 of PIT-36 poz. 338 / "
          "PIT-37 poz. 146), 1 spouse (square 2); any other value: nobody"),
    about(byte("d_form", 744), "form to which that PIT/D was attached (PIT-36 poz. 339 / PIT-37 "
                               "poz. 147): 0 PIT-28, 1 PIT-36, 2 PIT-37"),
    about(text("d_us1", 745, 30),
          "spouse identifier for poz. 340 / 148, first part (printed only when d_kto = 1)",
          "adres urzędu skarbowego"),
    about(text("d_us2", 776, 30), "poz. 340 / 148, second part (spouse surname and first name)"),
    about(text("d_us3", 807, 30),
          "poz. 340 / 148, third part (tax office where that PIT/D was filed)"),
    about(byte("idp", 838), "taxpayer status code; PIT-36 page 1 marks square QRL_idp<n> for value "
                            "n = 1..4; the PIT-36 driver prints the taxpayer PIT/Z only when it is "
                            "3 or 4; PIT-36L page 1 marks QRL_dok when it is 2"),
    about(byte("idm", 839),
          "spouse status code on PIT-36; the PIT-36 driver prints the spouse PIT/Z only when it is "
          "3 or 4; on PIT-36L the value 4 marks QRL_zw and is the condition for printing PIT/Z"),
    // The taxpayer's income block; the spouse's lies 470 bytes further.
    about(matrix(real("zr", 840), 9, 4),
          "taxpayer income by source, first element of the 470-byte per-person block (spouse block "
          "at +470, zr_m): row j = data row of the form table (PIT-36: 1 employment, 2 pensions, 3 "
          "business, 4 special agricultural production, 5 art. 13 activity, 6 rental, 7 author's "
          "rights, 8 other sources, 9 total; PIT-37: 1 employment, 2 pensions, 3 art. 13 activity, "
          "4 author's rights, 5 other sources, 9 total); column c: 1 income (przychód), 2 costs, 3 "
          "income minus costs (negative = loss), 4 advance tax due / collected (whole zloty)"),
    about(matrix(real("pitm", 1056), 5, 4),
          "PIT/M of person 1 (spouse at 1526, +470): rows 1 pensions, 2 rental or lease, 3 "
          "property rights, 4 other sources, 5 total; columns revenue, costs, income minus costs "
          "(negative = loss), advance tax due (whole zloty)"),
    about(real("pitm_ds1", 1188),
          "PIT/M of the taxpayer, amount printed in QRL_ds1 (per-person block of 470 bytes: the "
          "spouse value lies at 1658); the PIT-36 driver prints the taxpayer PIT/M only when this "
          "or pitm_ds2 is non-zero"),
    about(real("pitm_ds2", 1194),
          "PIT/M of the taxpayer, amount printed in QRL_ds2 (spouse value at 1664)"),
    about(byte("pitm_wsp", 1200),
          "1 = the taxpayer PIT/M amounts (pitm_ds1, pitm_ds2) are added to both spouses in PIT-36 "
          "poz. 145-148 when filing jointly (spouse flag pitm_wsp_m at 1670)"),
    about(real("dzw", 1213), "income exempt under art. 21 ust. 1 pkt 63a (PIT-36 poz. 149); spouse "
                             "dzw_m at 1683 (poz. 150)"),
    about(real("str", 1225),
          "losses of previous years deducted (PIT-36 poz. 151); spouse str_m at 1695 (poz. 152)",
          "straty z lat ubiegłych"),
    about(text("zr_str", 1231, 42), "sources of the losses of previous years, text"),
    about(real("zus_zagr", 1274),
          "social-insurance contributions paid abroad, art. 26 ust. 1 pkt 2a (PIT-36 poz. 155, "
          "PIT-37 poz. 101); spouse zus_zagr_m at 1744"),
    about(real("dpo", 1280), "income after deducting exempt income, losses and social insurance "
                             "(PIT-36 poz. 157, PIT-37 poz. 103); spouse dpo_m at 1750"),
    about(real("po", 1286), "deductions from income per PIT/O part B (PIT-36 poz. 159, PIT-37 poz. "
                            "105); spouse po_m at 1756"),
    about(real("obn", 1298),
          "additional reduction (PIT-36 poz. 162); spouse obn_m at 1768 (poz. 163)"),
    about(matrix(real("zr_m", 1310), 9, 4), "spouse income by source, same layout as zr"),
    matrix(real("pitm_m", 1526), 5, 4),
    about(real("pitm_ds1_m", 1658),
          "PIT/M of the spouse, amount printed in QRL_ds1 of the spouse copy; with pitm_ds2_m the "
          "condition for printing the spouse PIT/M"),
    about(real("pitm_ds2_m", 1664),
          "PIT/M of the spouse, amount printed in QRL_ds2 of the spouse copy"),
    about(byte("pitm_wsp_m", 1670),
          "1 = the spouse PIT/M amounts are added to both spouses when filing jointly"),
    real("dzw_m", 1683),
    real("str_m", 1695),
    real("zus_zagr_m", 1744),
    real("dpo_m", 1750),
    real("po_m", 1756),
    real("obn_m", 1768),
    about(real("ulga_ods", 1780),
          "interest relief from PIT/D part B.1 (PIT-36 poz. 161, PIT-37 poz. 107)"),
    about(real("pd", 1792), "housing expenses deducted from income per PIT/D part B.3 (PIT-36 poz. "
                            "164, PIT-37 poz. 108)"),
    about(real("pdbiez", 1798),
          "housing expenses deductible in the tax year (PIT-36 poz. 165, PIT-37 poz. 109)"),
    about(real("pdnast", 1804),
          "housing expenses deductible in following years (PIT-36 poz. 166, PIT-37 poz. 110)"),
    about(real("ikze", 1822), "payments to the individual retirement-security account IKZE "
                              "deducted from income (PIT-36L poz. 26)"),
    // The 72-byte per-person block of section G.
    about(real("zw", 1834),
          "income exempt under the special-economic-zone rules (PIT-36 poz. 167); spouse zw_m at "
          "1906 (poz. 168); start of a 72-byte per-person block",
          "dochody zwolnione"),
    about(array(real("pg", 1852), 6),
          "PIT-36 section G, taxpayer: [1] relief rights lost poz. 169, [2] amounts increasing the "
          "tax base poz. 171, [3] reducing the business loss poz. 173, [4] reducing the "
          "agricultural loss poz. 175, [5] business loss after reductions poz. 177, [6] "
          "agricultural loss after reductions poz. 179; spouse pg_m[1..6] at 1924 (poz. 170-180)"),
    real("zw_m", 1906),
    array(real("pg_m", 1924), 6),
    about(real("doch_opod", 1966),
          "income to be taxed (PIT-36 poz. 181); income after deductions (PIT-37 poz. 111)"),
    about(real("dz", 1972),
          "foreign income raising the rate base (PIT-36 poz. 182); spouse dz_m at 1978 (poz. 183)"),
    real("dz_m", 1978),
    about(real("podst_opod", 1984),
          "tax base rounded to whole zloty (PIT-36 poz. 184, PIT-37 poz. 112)"),
    about(real("pod", 2021), "tax computed per art. 27 (PIT-36 poz. 185, PIT-37 poz. 113)",
          "podatek"),
    about(real("dolpod", 2027), "additions to tax (PIT-36 poz. 186, PIT-37 poz. 114)"),
    about(real("pod1", 2045), "tax (PIT-36 poz. 189, PIT-37 poz. 115)"),
    about(real("zdr_zagr", 2063), "health insurance paid abroad, art. 27b ust. 1 pkt 2 (PIT-36 "
                                  "poz. 192, PIT-37 poz. 118); spouse zdr_zagr_m at 2069"),
    real("zdr_zagr_m", 2069),
    about(real("pod_o", 2081), "deductions from tax per PIT/O part C (PIT-36 poz. 194, PIT-37 poz. "
                               "120); spouse pod_o_m at 2087"),
    real("pod_o_m", 2087),
    about(real("pod_po_odl", 2093),
          "tax after deductions before the housing relief (PIT-37 poz. 122)"),
    about(
        real("pod_d", 2105),
        "housing reliefs deducted from tax per PIT/D part C.2 (PIT-36 poz. 196, PIT-37 poz. 123)"),
    about(real("pod_d_b", 2111),
          "housing reliefs deductible in the tax year (PIT-36 poz. 197, PIT-37 poz. 124)"),
    about(real("pod_d_nast", 2117),
          "housing reliefs deductible in following years (PIT-36 poz. 198, PIT-37 poz. 125)"),
    about(real("pod_po_odl_d", 2123),
          "tax after all deductions including the housing relief (PIT-36 poz. 199)"),
    about(real("pod_zaokr", 2141),
          "tax due rounded to whole zloty (PIT-36 poz. 200, PIT-37 poz. 126)"),
    about(real("sum_zal", 2147),
          "sum of advance tax due / collected (PIT-36 poz. 201, PIT-37 poz. 127)"),
    about(real("rozn", 2153),
          "tax due minus advances, when positive (PIT-36 poz. 202, PIT-37 poz. 128)"),
    about(real("rozn1", 2159),
          "advances minus tax due, when positive (PIT-36 poz. 203, PIT-37 poz. 129)"),
    about(real("zal_wpl", 2165), "advances paid and collected, whole zloty (PIT-36 poz. 209)"),
    about(real("do_zapl", 2171), "amount to pay (PIT-36 poz. 222)", "podatek do zapłaty"),
    about(real("nadpl", 2177), "overpayment (PIT-36 poz. 224)", "nadpłata"),
    // The monthly block of 288 bytes per person.
    about(array(real("zr44", 2183), 12),
          "flat-rate tax of art. 44 ust. 1b per month I..XII, taxpayer (PIT-36 poz. 226-237); "
          "first array of a 288-byte per-person block, spouse zr44_m at 2471 (poz. 238-249)"),
    about(array(real("ods44", 2255), 12), "interest of art. 22e per month, taxpayer (PIT-36 poz. "
                                          "250-261); spouse ods44_m at 2543 (poz. 262-273)"),
    about(array(real("zal44_1", 2327), 12),
          "advances due of art. 44 ust. 1 per month (months 3, 6, 9, 12 also quarters), taxpayer "
          "(PIT-36 poz. 274-285); spouse zal44_1_m at 2615 (poz. 286-297)"),
    about(array(real("zal44_7", 2399), 12),
          "advances due of art. 44 ust. 1a, 1c and 7 per month, taxpayer (PIT-36 poz. 298-309); "
          "spouse zal44_7_m at 2687 (poz. 310-321)"),
    array(real("zr44_m", 2471), 12),
    array(real("ods44_m", 2543), 12),
    array(real("zal44_1_m", 2615), 12),
    array(real("zal44_7_m", 2687), 12),
    about(text("kontakt1", 2759, 61),
          "additional information, first part (PIT-36 poz. 327, PIT-37 poz. 141)",
          "dane kontaktowe"),
    about(text("kontakt2", 2821, 61), "additional information, second part", "dane kontaktowe"),
    about(text("cel1", 2945, 60),
          "specific purpose of the 1% transfer, first part (PIT-36 poz. 325, PIT-37 poz. 139)",
          "cel szczegółowy 1%"),
    about(text("cel2", 3006, 60), "specific purpose of the 1% transfer, second part",
          "cel szczegółowy 1%"),
    about(flag("inf_cel", 3067),
          "consent to pass name, address and amount to the organisation (PIT-36 poz. 326, PIT-37 "
          "poz. 140)",
          "zgoda na przekazanie informacji organizacji pożytku publicznego"),
    about(flag("id_pesel", 3082),
          "true: the taxpayer is identified by PESEL on the forms (the word NIP is struck out), "
          "false: by NIP (the words numer PESEL are struck out)",
          "identyfikator podatkowy: PESEL zamiast NIP"),
    about(flag("id_pesel_m", 3083), "the same for the spouse",
          "identyfikator podatkowy: PESEL zamiast NIP"),
    about(array(real("k50", 3097), 4),
          "taxpayer income with 50% costs: [1] employment income poz. 48 (PIT-37 42), [2] its "
          "costs poz. 49 (43), [3] author's-rights income poz. 79 (PIT-37 57), [4] its costs poz. "
          "80 (58); spouse k50_m[1..4] at 3121"),
    array(real("k50_m", 3121), 4),
    about(text("krs", 3145, 25),
          "KRS number of the public-benefit organisation (PIT-36 poz. 323, PIT-37 poz. 137)",
          "numer KRS organizacji pożytku publicznego"),
    about(real("kwopp", 3171),
          "amount requested for the organisation, 1% (PIT-36 poz. 324, PIT-37 poz. 138)",
          "kwota 1% dla organizacji pożytku publicznego"),
    about(real("doch_45", 3177),
          "amount of income shown under art. 45 ust. 3c (PIT-36 poz. 322, PIT-37 poz. 136)"),
    about(flag("jest_peln", 3190), "a proxy signs the return; peln is printed only when set"),
    about(text("peln", 3191, 42),
          "name and surname of the proxy (PIT-36 poz. 343, PIT-37 poz. 151)",
          "imię i nazwisko pełnomocnika"),
    about(real("pod_zagr", 3234), "tax paid abroad, art. 27 ust. 9 and 9a (PIT-36 poz. 187); "
                                  "spouse pod_zagr_m at 3240 (poz. 188)"),
    real("pod_zagr_m", 3240),
    about(array(real("odl2013", 3251), 3),
          "PIT/O taxpayer: [1] donations to public-benefit organisations (poz. 11), [2] donations "
          "for religious worship (poz. 13), [3] payments to the individual retirement-security "
          "account IKZE (poz. 29)"),
    about(flag("inet_rok_ub", 3269),
          "PIT/O poz. 23 square 1: taxpayer used the internet relief for the previous year"),
    about(flag("inet_lata_pop", 3270), "PIT/O poz. 23 square 2: taxpayer used the internet relief "
                                       "for a year (years) before the previous year"),
    about(array(real("odl2013_m", 3271), 3), "PIT/O spouse: same as odl2013 (poz. 12, 14, 30)"),
    about(flag("inet_rok_ub_m", 3289), "PIT/O poz. 24 square 1 (spouse)"),
    about(flag("inet_lata_pop_m", 3290), "PIT/O poz. 24 square 2 (spouse)"),
    about(array(single("zbyc", 3291), 3),
          "PIT-36 row 8 (paid disposal of things, art. 10 ust. 1 pkt 8 lit. d), taxpayer: [1] "
          "income poz. 81, [2] costs poz. 82, [3] income minus costs (negative = loss) poz. 83/84; "
          "spouse zbyc_m[1..3] at 3303 (poz. 132-135)"),
    array(single("zbyc_m", 3303), 3),
    // PIT/D.
    about(real("ods", 3321),
          "PIT/D poz. 10: interest on a housing loan, deductible in the tax year"),
    about(real("ods28", 3327), "PIT/D poz. 11: part of poz. 10 deducted from revenue in PIT-28"),
    about(real("ods36", 3333), "PIT/D poz. 12: part deducted from income in PIT-36 or PIT-37"),
    about(flag("wn_b11_28", 3339), "PIT/D B.1.1 spouses' request, PIT-28 row (poz. 13, 14) filled"),
    about(flag("wn_b11_36", 3340),
          "PIT/D B.1.1 spouses' request, PIT-36/PIT-37 row (poz. 15, 16) filled"),
    about(real("ods28p", 3341), "PIT/D poz. 13 (taxpayer)"),
    about(real("ods28m", 3347), "PIT/D poz. 14 (spouse)"),
    about(real("ods36p", 3353), "PIT/D poz. 15 (taxpayer)"),
    about(real("ods36m", 3359), "PIT/D poz. 16 (spouse)"),
    about(array(text("rodz_odl_doch", 3365, 40), 3),
          "PIT/D poz. 17 kind of housing expenses under acquired rights, three lines joined by "
          "single spaces"),
    about(real("odl_doch", 3488), "PIT/D poz. 18: housing expenses under acquired rights"),
    about(real("odl_bez_pokr", 3494),
          "PIT/D poz. 19: deductions not covered by income in past years"),
    about(real("odl_doch_og", 3500), "PIT/D poz. 20: total to deduct from income in the tax year"),
    about(real("odl_doch28", 3506), "PIT/D poz. 21: part deducted from revenue in PIT-28"),
    about(real("odl_doch36", 3512), "PIT/D poz. 22: part deducted from income in PIT-36 or PIT-37"),
    about(flag("wn_b31_28", 3518), "PIT/D B.3.1 spouses' request, PIT-28 row (poz. 23, 24) filled"),
    about(flag("wn_b31_36", 3519),
          "PIT/D B.3.1 spouses' request, PIT-36/PIT-37 row (poz. 25, 26) filled"),
    about(real("ods28p1", 3520), "PIT/D poz. 23 (taxpayer)"),
    about(real("ods28m1", 3526), "PIT/D poz. 24 (spouse)"),
    about(real("ods36p1", 3532), "PIT/D poz. 25 (taxpayer)"),
    about(real("ods36m1", 3538), "PIT/D poz. 26 (spouse)"),
    about(real("kas", 3544),
          "PIT/D poz. 27: deduction for systematic saving on a housing savings account"),
    about(real("bez_pokr", 3582), "PIT/D poz. 28: deductions from tax not covered in past years"),
    about(real("odl_pod_og", 3588), "PIT/D poz. 29: total to deduct from tax in the tax year"),
    about(real("odl_pod28", 3594), "PIT/D poz. 30: part deducted from tax in PIT-28"),
    about(real("odl_pod36", 3600), "PIT/D poz. 31: part deducted from tax in PIT-36 or PIT-37"),
    about(flag("wn_c21_28", 3606), "PIT/D C.2.1 spouses' request, PIT-28 row (poz. 32, 33) filled"),
    about(flag("wn_c21_36", 3607),
          "PIT/D C.2.1 spouses' request, PIT-36/PIT-37 row (poz. 34, 35) filled"),
    about(real("pod28p", 3608), "PIT/D poz. 32 (taxpayer)"),
    about(real("pod28m", 3614), "PIT/D poz. 33 (spouse)"),
    about(real("pod36p", 3620), "PIT/D poz. 34 (taxpayer)"),
    about(real("pod36m", 3626), "PIT/D poz. 35 (spouse)"),
    // PIT/O. The return pages know two of the deductions by their own names.
    about(array(real("odl_o", 3642), 15),
          "PIT/O taxpayer amounts: [1] blood-donation donations poz. 15, [2] social-insurance "
          "contributions (zus, not printed on PIT/O), [3] donations under separate acts poz. 17, "
          "[4] rehabilitation poz. 19, [5] refund of unduly received benefits poz. 21, [6] "
          "internet poz. 25, [7] new technologies poz. 27, [8] other deductions from income poz. "
          "32, [11] total deductions from income poz. 34, [12] training of apprentices poz. 36, "
          "[13] social-insurance contributions for a home help poz. 38, [14] other deductions from "
          "tax poz. 46 (9 and 10 not printed); element [2] is the field `zus` and element [15] the "
          "field `zdr` of the return pages, which PIT/O does not print"),
    about(alias(real("zus", 3648), "odl_o", 2),
          "social-insurance contributions deducted from income (PIT/O)",
          "składki na ubezpieczenia społeczne"),
    about(alias(real("zdr", 3726), "odl_o", 15),
          "health-insurance contributions deducted from tax (PIT/O)",
          "składki na ubezpieczenie zdrowotne"),
    about(byte("ildz", 3732), "PIT/O poz. 40 number of children for the child relief"),
    about(array(real("ulg_o", 3733), 4),
          "PIT/O taxpayer: [1] child relief poz. 41, [2] relief of art. 27g poz. 43, [4] total "
          "deductions from tax poz. 48 ([3] not printed)"),
    about(array(real("odl_o_m", 3757), 15),
          "PIT/O spouse amounts, same indices as odl_o (poz. 16, 18, 20, 22, 26, 28, 33, 35, 37, "
          "39, 47; [2] = zus_m); element [2] is `zus_m`, element [15] is `zdr_m`"),
    alias(real("zus_m", 3763), "odl_o_m", 2),
    alias(real("zdr_m", 3841), "odl_o_m", 15),
    about(array(real("ulg_o_m", 3848), 4), "PIT/O spouse: [1] child relief poz. 42, [2] art. 27g "
                                           "poz. 44, [4] total deductions from tax poz. 49"),
    about(
        array(text("in_odl_doch", 3872, 30), 3),
        "PIT/O poz. 31 kind of other deductions from income, three lines joined by single spaces"),
    about(array(text("in_odl_pod", 3965, 30), 3),
          "PIT/O poz. 45 kind of other deductions from tax, three lines joined by single spaces"),
    about(records("obdar", 4058, 2, obdar_layout), "PIT/O part D donees D.1 and D.2"),
    about(records("dziecko", 4886, 5, dziecko_layout),
          "PIT/O part E children E.1 to E.5 (element "
          "k at 4786+100k)"), // element k at 4786 + 100k
    // The exemption block (PIT/Z) of 169 bytes per person.
    about(matrix(real("pitz_b", 5386), 3, 4),
          "PIT/Z part B of person 1, rows B.1 (total business), B.2 (not exempt), B.3 (exempt "
          "under art. 44 ust. 7a); columns revenue, costs, income, loss (poz. 6-17); first field "
          "of the 169-byte per-person exemption block (person 2 at +169)"),
    about(array(real("pitz_c1", 5458), 4), "PIT/Z part C.1 of person 1: revenue, costs, income, "
                                           "loss (poz. 23-26); also poz. 32, 33 take [1], [2]"),
    about(int32("rokzw", 5482), "year in which the taxpayer used the exemption of art. 44 ust. 7a "
                                "(PIT-36 poz. 41, printed when idp = 4); first field used of a "
                                "169-byte per-person block, spouse rokzw_m at 5651 (poz. 42)"),
    about(array(real("pitz_w", 5486), 4),
          "PIT/Z part C.2 of person 1: [1] 20 % of the exempt income (poz. 28), [2] business loss "
          "after the addition (poz. 29, also poz. 35), [3] income to be added (poz. 30), [4] "
          "business income after the addition (poz. 31, also poz. 34)"),
    about(real("pitz_doch", 5510), "PIT/Z poz. 20 of person 1: business income in part B.4"),
    about(real("zw_doch", 5516), "business income exempt under art. 44 ust. 7a (PIT-36 poz. 58 "
                                 "when idp = 3); spouse zw_doch_m at 5685 (poz. 109 when idm = 3)"),
    about(real("zw_str3", 5522), "business loss printed in PIT-36 poz. 56 when idp = 3; spouse "
                                 "zw_str3_m at 5691 (poz. 107)"),
    about(real("zw_str4", 5528), "business loss printed in PIT-36 poz. 56 when idp = 4; spouse "
                                 "zw_str4_m at 5697 (poz. 107)"),
    matrix(real("pitz_b_m", 5555), 3, 4),
    array(real("pitz_c1_m", 5627), 4),
    int32("rokzw_m", 5651),
    array(real("pitz_w_m", 5655), 4),
    real("pitz_doch_m", 5679),
    real("zw_doch_m", 5685),
    real("zw_str3_m", 5691),
    real("zw_str4_m", 5697),
    about(records("pitb", 5724, 2, pitb_layout),
          "PIT/B data per person (1 taxpayer, 2 spouse): businesses dg[1..4] then partnerships "
          "sp[1..6]"),
    // PIT-2K.
    about(int32("rok_kr", 8464), "PIT-2K poz. 14: year in which the housing loan was granted"),
    about(real("kw_kr", 8468), "PIT-2K poz. 15: amount of the housing loan"),
    about(int32("rok_rozp", 8474),
          "PIT-2K poz. 12: year in which the investment was started (building permit)"),
    about(int32("rok_zak", 8478), "PIT-2K poz. 13: year in which the investment was completed"),
    about(byte("rodz_inw", 8482), "PIT-2K poz. 9: kind of investment, 0 building a house, 1 "
                                  "contribution to a housing cooperative, 2 purchase of a new "
                                  "house or flat, 3 extension or conversion (squares 1 to 4)"),
    about(real("kw_wyd", 8483), "PIT-2K poz. 10: total expenses on the investment"),
    about(real("kw_fakt", 8489), "PIT-2K poz. 11: part of poz. 10 documented by VAT invoices"),
    // Section L, 54 bytes per person; the spouse's array ends before PIT/ZG, after 8 elements.
    about(array(real("pl", 8507), 9),
          "PIT-36 section L amounts, taxpayer (per-person stride 54, spouse pl_m at 8561): [2] "
          "flat-rate tax of art. 29, 30, 30a poz. 210, [3] flat-rate tax on foreign income poz. "
          "212, [4] tax paid abroad art. 30a ust. 9 poz. 214, [5] tax paid abroad art. 30a ust. 10 "
          "poz. 216, [6] flat-rate tax minus foreign tax poz. 218, [7] foreign tax minus flat-rate "
          "tax poz. 220 ([1], [8], [9] not printed)"),
    array(real("pl_m", 8561), 8),
    // The PIT/ZG block of 211 bytes per person.
    about(text("zg_kraj", 8611, 40),
          "PIT/ZG poz. 6 of person 1: country where the income was earned; start of the person's "
          "211-byte PIT/ZG block (person 2 at +211)",
          "kraj uzyskania dochodu"),
    about(matrix(real("zg_prz", 8652), 7, 3),
          "PIT/ZG part C.1 of person 1: rows 1 employment, 2 business, 3 personal activity of art. "
          "13, 4 rental, 5 author's rights, 6 other sources, 7 total; columns income of art. 27 "
          "ust. 8, income of art. 27 ust. 9 and 9a, tax paid abroad (poz. 8-28)"),
    about(array(real("zg_w", 8778), 6),
          "PIT/ZG parts C.2-C.4 of person 1: [1] income of art. 30c ust. 4 and 5 (poz. 29), [2] "
          "tax paid abroad (poz. 30), [3] income of art. 30b ust. 5a and 5b (poz. 31), [4] tax "
          "paid abroad (poz. 32), [5] income of art. 30e ust. 8 and 9 (poz. 33), [6] tax paid "
          "abroad (poz. 34)"),
    text("zg_kraj_m", 8822, 40),
    matrix(real("zg_prz_m", 8863), 7, 3),
    array(real("zg_w_m", 8989), 6),
};
inline constexpr record_layout rekzez_layout{"rekzez", rekzez_fields, 9033};

// The additional child-relief refund.
inline constexpr field_def rek_uz_fields[] = {
    about(real("zus", 0),
          "additional child-relief refund: social and health insurance contributions, taxpayer "
          "(PIT-36 poz. 204, PIT-37 poz. 130)",
          "składki na ubezpieczenia społeczne"),
    about(real("zus_m", 6),
          "additional child-relief refund: social and health insurance contributions, spouse "
          "(PIT-36 poz. 205, PIT-37 poz. 131)",
          "składki na ubezpieczenia społeczne małżonka"),
    about(real("dz", 12), "difference between the child relief due and the relief deducted, "
                          "taxpayer (PIT-36 poz. 206, PIT-37 poz. 132)"),
    about(
        real("dz_m", 18),
        "difference between the child relief due and the relief deducted, spouse (PIT-36 poz. 207, "
        "PIT-37 poz. 133)"),
    about(real("rozn", 24), "difference amount due (PIT-36 poz. 208, PIT-37 poz. 134)"),
    about(real("uz_doza", 30), "PIT/UZ poz. 15: amount to pay from the return"),
    about(real("doza", 36),
          "amount to pay reduced by the difference due (PIT-36 poz. 223, PIT/UZ poz. 16)"),
    about(real("uz_nadpl", 42), "PIT/UZ poz. 17: overpayment from the return"),
    about(real("zwrot", 48), "total refund (PIT-36 poz. 225, PIT-37 poz. 135)"),
};
inline constexpr record_layout rek_uz_layout{"rek_uz", rek_uz_fields, 54};

// The host's settings record, record 0 of the settings file zbster.
inline constexpr field_def rekster_fields[] = {
    about(byte("dr_opt1", 1),
          "print-job option handed unchanged to the host's print job (second argument)"),
    about(flag("dr_port", 2),
          "the host prints through its own port driver instead of a printer: the dialogs offer "
          "pre-printed forms only and no printer choice",
          "drukowanie przez port"),
    about(byte("dr_opt2", 8),
          "print-job option handed unchanged to the host's print job (third argument)"),
    about(int16("dr_opt3", 23),
          "print-job option handed unchanged to the host's print job (fourth argument)"),
    about(flag("wydr_niezadr28", 45), "the stored blank-paper choice of the PIT-28 print dialog",
          "wydruk na czystym papierze"),
    about(flag("wydr_niezadr36", 46), "the stored blank-paper choice of the PIT-36 print dialog",
          "wydruk na czystym papierze"),
    about(flag("wydr_niezadr36l", 47), "the stored blank-paper choice of the PIT-36L print dialog",
          "wydruk na czystym papierze"),
    about(flag("wydr_niezadr37", 48), "the stored blank-paper choice of the PIT-37 print dialog",
          "wydruk na czystym papierze"),
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
static_assert(layout_fault(rek28_sp_layout).empty() && layout_fault(obdar_layout).empty());
static_assert(layout_fault(dziecko_layout).empty() && layout_fault(pitb_layout).empty());
static_assert(layout_fault(pitb_dg_layout).empty() && layout_fault(pitb_sp_layout).empty());
// Element k of the PIT-28/B partnerships starts at 1365 + 854k, child k at 4786 + 100k.
static_assert(rek28_layout["sp"].offset + rek28_sp_layout.size == 1365 + 854 * 2);
static_assert(rekzez_layout["dziecko"].offset + dziecko_layout.size == 4786 + 100 * 2);

} // namespace kestrun::host
