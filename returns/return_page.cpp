#include "returns/return_page.h"

#include <string>

namespace kestrun {

void return_page::tax_due(double tax_after_deductions, int settlement_decimals)
{
    const auto z = host().rekzez();
    const auto spouse = z.person(2);
    amount("QRL_pod", z.real("pod"));
    amount("QRL_dolpod", z.real("dolpod"));
    amount("QRL_pod1", z.real("pod1"));
    amount("QRL_zdr", z.real("zdr"));
    spouse_amount("QRL_zdr1", spouse.real("zdr"));
    amount("QRL_zdr_zagr", z.real("zdr_zagr"));
    spouse_amount("QRL_zdr_zagr1", spouse.real("zdr_zagr"));
    amount("QRL_pod_o", z.real("pod_o"));
    spouse_amount("QRL_pod_o1", spouse.real("pod_o"));
    amount("QRL_pod_d", z.real("pod_d"));
    amount("QRL_pod_d_b", z.real("pod_d_b"));
    amount("QRL_pod_d_nast", z.real("pod_d_nast"));
    amount("QRL_pod_po_odl", tax_after_deductions);
    amount("QRL_pod_zaokr", z.real("pod_zaokr"), 0);
    amount("QRL_sum_zal", z.real("sum_zal"), settlement_decimals);
    amount("QRL_rozn", z.real("rozn"), settlement_decimals);
    amount("QRL_rozn1", z.real("rozn1"), settlement_decimals);
}

void return_page::child_relief_refund()
{
    const auto u = host().rek_uz();
    static constexpr std::string_view fields[] = {"QRL_uz_zus1", "QRL_uz_zus2", "QRL_uz_dz1",
                                                  "QRL_uz_dz2", "QRL_uz_rozn"};
    const bool shown =
        u.real("dz") != 0.0 || (joint() && u.real("dz_m") != 0.0) || u.real("rozn") != 0.0;
    for (auto name : fields) {
        if (shown)
            enable(name);
        else
            disable(name);
    }
    if (!shown)
        return;
    amount("QRL_uz_zus1", u.real("zus"));
    spouse_amount("QRL_uz_zus2", u.real("zus_m"));
    amount("QRL_uz_dz1", u.real("dz"));
    spouse_amount("QRL_uz_dz2", u.real("dz_m"));
    amount("QRL_uz_rozn", u.real("rozn"));
}

void return_page::months(std::string_view stem, monthly_key source, int person)
{
    const auto p = host().rekzez().person(person);
    for (int i = 1; i <= 12; ++i)
        amount_by_name(indexed(stem, i), p.real(source, i), 0);
}

void return_page::months_of_both(std::string_view taxpayer_stem, std::string_view spouse_stem,
                                 monthly_key source)
{
    months(taxpayer_stem, source, 1);
    if (joint()) {
        months(spouse_stem, source, 2);
        return;
    }
    for (int i = 1; i <= 12; ++i)
        text_by_name(indexed(spouse_stem, i), "");
}

void return_page::transfer_and_contact(std::string_view income_45_field)
{
    const auto z = host().rekzez();
    amount(income_45_field, z.real("doch_45"));
    text("QRL_krs", join({z.text("krs")}));
    amount("QRL_kwopp", z.real("kwopp"));
    text("QRL_cel", join({z.text("cel1"), z.text("cel2")}));
    mark_if("QRL_inf_cel", z.flag("inf_cel"));
    text("QRL_kontakt", join({z.text("kontakt1"), z.text("kontakt2")}));
}

void return_page::proxy()
{
    const auto z = host().rekzez();
    text("QRL_peln", z.flag("jest_peln") ? join({z.text("peln")}) : "");
}

void return_page::pitd_attached_elsewhere()
{
    const auto z = host().rekzez();
    const int attached_by = z.integer("d_kto");
    mark({"QRL_d_p", "QRL_d_m"}, attached_by);
    // With nobody attaching it, the form's squares stay empty whatever d_form holds.
    const bool attached = attached_by == 0 || attached_by == 1;
    mark({"QRL_d28", "QRL_d36", "QRL_d37"}, attached ? z.integer("d_form") : -1);
    // Three separate texts of the host, so each gets its blank.
    text("QRL_d_us",
         attached_by == 1 ? join({z.text("d_us1"), z.text("d_us2"), z.text("d_us3")}) : "");
}

void return_page::attachment_counts(std::initializer_list<std::pair<std::string_view, int>> counts)
{
    for (const auto& [name, count] : counts)
        text(name, std::to_string(count));
}

} // namespace kestrun
