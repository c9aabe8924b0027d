#include "attachments/Wuz15_1.h"

#include "framework/module.h"

TF_wuz15_1* F_wuz15_1 = nullptr;

TF_wuz15_1::TF_wuz15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : page_report(owner, host, "Wuz15_1")
{
    connect_before_print(&TF_wuz15_1::QR_uz_1BeforePrint);
}

void TF_wuz15_1::QR_uz_1BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto z = host().rekzez();
    const auto u = host().rek_uz();
    const auto taxpayer = z.person(1);
    const auto spouse = z.person(2);
    const kestrun::identifier_fields spouse_box{"QRL_nip1", "QRL_kas_nip1", "QRL_kas_pes1"};
    // The spouse's column prints only under joint taxation; otherwise its boxes are empty.
    const auto spouse_amount = [this](std::string_view name, double v) {
        if (joint())
            amount(name, v);
        else
            clear(name);
    };

    identifier({}, kestrun::person_identity(taxpayer)); // box 1
    if (joint())                                        // box 2
        identifier(spouse_box, kestrun::person_identity(spouse));
    else
        no_identifier(spouse_box);

    text("QRL_nazw", taxpayer.text("nazw")); // boxes 4-6
    text("QRL_im", taxpayer.text("im"));
    date("QRL_dur", taxpayer.date("dur"));
    text("QRL_nazw1", joint() ? spouse.text("nazw") : ""); // boxes 7-9
    text("QRL_im1", joint() ? spouse.text("im") : "");
    if (joint())
        date("QRL_dur1", spouse.date("dur"));
    else
        clear("QRL_dur1");

    // Box 3: the return the information belongs to, square 1 PIT-36 (0), square 2 PIT-37 (1);
    // any other kind marks neither.
    mark({"QRL_36", "QRL_37"}, z.integer("rodz_zez"));

    // Boxes 10-18: the host's amounts as stored; the page computes nothing.
    amount("QRL_uz_zus1", u.real("zus"));
    spouse_amount("QRL_uz_zus2", u.real("zus_m"));
    amount("QRL_uz_dz1", u.real("dz"));
    spouse_amount("QRL_uz_dz2", u.real("dz_m"));
    amount("QRL_uz_rozn", u.real("rozn"));
    amount("QRL_uz_doza", u.real("uz_doza"));
    amount("QRL_uz_doza1", u.real("doza"));
    amount("QRL_uz_nadpl", u.real("uz_nadpl"));
    amount("QRL_uz_zwrot", u.real("zwrot"));
}

KESTRUN_PAGE_UNIT(TF_wuz15_1, Wuz15_1, F_wuz15_1)
