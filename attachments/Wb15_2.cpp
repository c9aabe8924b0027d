// PIT/B (version 14), page 2/2: the amounts of the sheet's first partnership (C.1.2), the second
// and third partnerships (C.2, C.3) and part D, the totals over all the person's businesses and
// partnerships in use. Part D prints once per person, on the last sheet.

#include "attachments/person_page.h"
#include "framework/pitb_sheets.h"
#include "host/tamdor/libr.h"

class TF_wb15_2 : public kestrun::person_page {
public:
    using person_page::person_page;
    void QR_b_2BeforePrint();

protected:
    std::span<const int> values(std::string_view name) const override;

private:
    void partnership_amounts(int i);
    void partnership_identification(int i);
};
KESTRUN_PAGE(TF_wb15_2, F_wb15_2, QR_b_2BeforePrint)

std::span<const int> TF_wb15_2::values(std::string_view name) const
{
    static constexpr int first_partnership[] = {1, 4}; // sheet 1 or sheet 2
    if (name == "nr")
        return first_partnership;
    // Box 3 is on page 1; page 2 takes the sheet's count all the same, so that one sheet's
    // parameters print both its pages.
    if (name == "ilb")
        return one_or_two;
    return person_page::values(name);
}

void TF_wb15_2::QR_b_2BeforePrint()
{
    const auto b = host().rekzez().pitb(nrp);

    // Part D sums every entry in use wherever it lies, the partnerships' amounts attributable to
    // the person (columns 2, 4, 6), whatever the sheet; an entry that no sheet shows still counts.
    double revenue = 0.0, costs = 0.0, income = 0.0;
    for (int j = 1; j <= kestrun::pitb_businesses; ++j) {
        const auto dg = b.dg(j);
        if (kestrun::business_in_use(dg)) {
            revenue += dg.real("prz");
            costs += dg.real("ko");
            income += dg.real("d");
        }
    }
    for (int i = 1; i <= kestrun::pitb_partnerships; ++i) {
        const auto sp = b.sp(i);
        if (kestrun::partnership_in_use(sp)) {
            revenue += sp.real("kw", 2);
            costs += sp.real("kw", 4);
            income += sp.real("kw", 6);
        }
    }

    // Rows 1-3: partnerships nr to nr + 2 (boxes 24-51); row 1's identification is on page 1.
    partnership_amounts(nr);
    partnership_identification(nr + 1);
    partnership_amounts(nr + 1);
    partnership_identification(nr + 2);
    partnership_amounts(nr + 2);

    // Part D (boxes 52-55): empty on the first of two sheets.
    const bool first_of_two =
        kestrun::pitb_sheets::of(host().rekzez(), nrp).sheets() == 2 && nr <= 1;
    if (first_of_two) {
        for (const char* name : {"QRL_prz_sum", "QRL_ko_sum", "QRL_d_sum", "QRL_st_sum"})
            clear(name);
        return;
    }
    amount("QRL_prz_sum", revenue);
    amount("QRL_ko_sum", costs);
    sign_split("QRL_d_sum", "QRL_st_sum", income); // a loss shows in box 55, box 54 then 0
}

// The six amounts of partnership i, by name, in the page row the partnership takes on its sheet.
void TF_wb15_2::partnership_amounts(int i)
{
    const int row = i % 3 == 0 ? 3 : i % 3;
    const auto sp = host().rekzez().pitb(nrp).sp(i);
    const bool in_use = kestrun::partnership_in_use(sp);
    for (int c = 1; c <= 6; ++c) {
        const auto name = indexed("QRL_prz_sp", row, c);
        if (in_use)
            amount_by_name(name, sp.real("kw", c));
        else
            text_by_name(name, "");
    }
}

// Name, share, NIP, REGON and address of partnership i (the second or third of its sheet), by
// name and as stored: unlike page 1 the share is an ordinary amount and nothing is trimmed.
void TF_wb15_2::partnership_identification(int i)
{
    const int row = i == 2 || i == 5 ? 2 : 3;
    const auto sp = host().rekzez().pitb(nrp).sp(i);
    if (!kestrun::partnership_in_use(sp)) {
        for (const char* stem : {"QRL_nazsp", "QRL_prsp", "QRL_nipsp", "QRL_regsp", "QRL_mprowsp"})
            text_by_name(indexed(stem, row), "");
        return;
    }
    text_by_name(indexed("QRL_nazsp", row), sp.text("nazsp"));
    amount_by_name(indexed("QRL_prsp", row), sp.real("prsp"));
    text_by_name(indexed("QRL_nipsp", row), Libr::red_nip(Libr::usun_kreski(sp.text("nipsp")), 0));
    text_by_name(indexed("QRL_regsp", row), sp.text("regsp"));
    text_by_name(indexed("QRL_mprowsp", row), sp.text("mprowsp"));
}
