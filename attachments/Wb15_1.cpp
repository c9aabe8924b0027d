// PIT/B (version 14), page 1/2: the person's header with the number of the person's PIT/B sheets,
// the two businesses of the sheet (part B) and the identification of the sheet's first
// partnership (part C.1.1). Entries are shown by their position: the sheet that starts at
// business nr shows businesses nr and nr + 1, whether or not the entries before them are in use.

#include "attachments/person_page.h"
#include "framework/pitb_sheets.h"
#include "host/tamdor/libr.h"
#include "platform/vcl/sysutils.h"

class TF_wb15_1 : public kestrun::person_page {
public:
    using person_page::person_page;
    void QR_b_1BeforePrint();

protected:
    std::span<const int> values(std::string_view name) const override;
};
KESTRUN_PAGE(TF_wb15_1, F_wb15_1, QR_b_1BeforePrint)

std::span<const int> TF_wb15_1::values(std::string_view name) const
{
    static constexpr int first_business[] = {1, 3}; // sheet 1 or sheet 2
    if (name == "nr")
        return first_business;
    if (name == "ilb")
        return one_or_two;
    return person_page::values(name);
}

void TF_wb15_1::QR_b_1BeforePrint()
{
    const auto b = host().rekzez().pitb(nrp);

    cells("QRL_ilzalb", std::to_string(ilb)); // box 3, the same on every sheet of the person
    person_header(id_box::nip);               // boxes 1, 2, 4-6: PIT/B takes the NIP alone

    // Parts B.1 and B.2 (boxes 7-18): the texts trimmed, the amounts as the host formats them.
    struct business_fields {
        const char *dzial, *reg, *mp, *prz, *ko, *d;
    };
    constexpr business_fields rows[] = {
        {"QRL_dzial", "QRL_reg", "QRL_mp", "QRL_prz_dg1", "QRL_ko_dg1", "QRL_d_dg1"},
        {"QRL_dzial1", "QRL_reg1", "QRL_mp1", "QRL_prz_dg2", "QRL_ko_dg2", "QRL_d_dg2"},
    };
    for (int k = 0; k < 2; ++k) {
        const auto& f = rows[k];
        const auto dg = b.dg(nr + k);
        if (!kestrun::business_in_use(dg)) {
            for (const char* name : {f.dzial, f.reg, f.mp, f.prz, f.ko, f.d})
                clear(name);
            continue;
        }
        text(f.dzial, Sysutils::Trim(dg.text("dzial")));
        text(f.reg, Sysutils::Trim(dg.text("reg")));
        text(f.mp, Sysutils::Trim(dg.text("mp")));
        amount(f.prz, dg.real("prz"));
        amount(f.ko, dg.real("ko"));
        amount(f.d, dg.real("d"));
    }

    // Part C.1.1 (boxes 19-23): the sheet's first partnership, 1 on the first sheet, 4 on the
    // second. Unlike page 2, the share is the host's text of width 6 and the texts are trimmed;
    // the NIP is edited in the host's style 0 and not spread over cells.
    const auto sp = b.sp(nr == 1 ? 1 : 4);
    if (!kestrun::partnership_in_use(sp)) {
        for (const char* name :
             {"QRL_nazsp1", "QRL_prsp1", "QRL_nipsp1", "QRL_regsp1", "QRL_mprowsp1"})
            clear(name);
        return;
    }
    text("QRL_nazsp1", Sysutils::Trim(sp.text("nazsp")));
    amount("QRL_prsp1", sp.real("prsp"), 2, 6);
    text("QRL_nipsp1", Libr::red_nip(Libr::usun_kreski(sp.text("nipsp")), 0));
    text("QRL_regsp1", Sysutils::Trim(sp.text("regsp")));
    text("QRL_mprowsp1", Sysutils::Trim(sp.text("mprowsp")));
}
