#include "returns/pit36_identification.h"

#include <array>
#include <string>

namespace kestrun {

namespace {

using text_key = host::person_key<host::rekzez_layout, host::access::text, 0>;

struct address_box {
    std::string_view stem; // QRL_kr; the spouse's box adds "1"
    text_key field;
};

// Boxes 14-23 of the taxpayer and 27-36 of the spouse, in the form's order.
constexpr std::array<address_box, 10> address_boxes{{
    {"QRL_kr", "kr"},
    {"QRL_woj", "woj"},
    {"QRL_pow", "pow"},
    {"QRL_gmina", "gmina"},
    {"QRL_ul", "ul"},
    {"QRL_nrd", "nrd"},
    {"QRL_nrlok", "nrlok"},
    {"QRL_miejsc", "miejsc"},
    {"QRL_kodp", "kodp"},
    {"QRL_poczta", "poczta"},
}};

// Section C status 4: the exemption of art. 44 ust. 7a was used in one of the five previous
// years and the income is added back; boxes 41-42 then name that year.
constexpr int exemption_added_back = 4;

} // namespace

void identification_page::identification(first_page form)
{
    const auto z = host().rekzez();
    reference_number();    // the document number, two lines, only when the host prints it
    spouses_identifiers(); // boxes 1-2; the spouse's only under joint taxation
    year("QRL_rok", z.integer("rok")); // box 5
    // Box 6: individually, jointly (art. 6 ust. 2), jointly (art. 6a ust. 1), single parent;
    // any other code marks no square.
    mark({"QRL_sp_op1", "QRL_sp_op2", "QRL_sp_op3", "QRL_sp_op4"}, z.integer("sp_opod"));
    // Boxes 7-8, taxation under art. 29 ust. 4: the spouse's square is the spouse's own
    // statement and prints whether or not the return is joint.
    mark_if("QRL_nier", z.flag("nier"));
    mark_if("QRL_nier1", z.flag("nier_m"));
    text("QRL_urz", z.text("urz"));                             // box 9
    mark({"QRL_zl_zez", "QRL_kor_zez"}, z.flag("kor") ? 1 : 0); // box 10
    spouses_names(); // boxes 11-13 and, under joint taxation, 24-26
    address(1, true);
    address(2, joint());
    if (form.section_c)
        section_c();
}

void identification_page::address(int p, bool printed)
{
    const auto person = host().rekzez().person(p);
    for (const auto& box : address_boxes) {
        const std::string name = std::string(box.stem) + (p == 2 ? "1" : "");
        text(name, printed ? person.text(box.field) : "");
    }
}

void identification_page::section_c()
{
    const auto z = host().rekzez();
    const int idp = z.integer("idp");
    const int idm = joint() ? z.integer("idm") : 0;
    // Boxes 37-40 and 37a-40a: every square emptied, then the person's one square marked; the
    // spouse's only under joint taxation.
    mark({"QRL_idp1", "QRL_idp2", "QRL_idp3", "QRL_idp4"}, idp - 1);
    mark({"QRL_idm1", "QRL_idm2", "QRL_idm3", "QRL_idm4"}, idm - 1);
    // Boxes 41-42: the year the exemption was used, for a person whose income was added back.
    if (idp == exemption_added_back)
        year("QRL_rokzw_p", z.integer("rokzw"));
    else
        clear("QRL_rokzw_p");
    if (idm == exemption_added_back)
        year("QRL_rokzw_m", z.integer("rokzw_m"));
    else
        clear("QRL_rokzw_m");
}

} // namespace kestrun
