#include "returns/W28b15_1.h"

#include "framework/module.h"
#include "platform/error.h"

#include <string>

namespace kestrun {

namespace {
constexpr int partnerships = 4; // rek28.sp[1..4]: two PIT-28/B attachments at most
}

pit28b_page::pit28b_page(vcl::TComponent* owner, host::host_state& host, std::string_view unit,
                         int first_nrsp)
    : page_report(owner, host, unit), nrsp(first_nrsp)
{
}

int* pit28b_page::parameter(std::string_view name)
{
    return name == "nrsp" ? &nrsp : page_report::parameter(name);
}

void pit28b_page::check_parameters() const
{
    if (nrsp < 1 || nrsp > partnerships)
        throw input_error(std::string(report().Design().class_name) + ": nrsp " +
                          std::to_string(nrsp) +
                          " is outside 1 to 4 (rek28 holds four partnerships)");
}

void pit28b_page::partnership()
{
    const auto s = host().rek28().sp(nrsp);
    text("QRL_nazsp", s.text("nazsp"));
    // The partnership's NIP prints as the host stores it, dashes and all.
    text("QRL_nipsp", s.text("nipsp"));
    amount("QRL_prsp", s.real("prsp"), 2, 5);
    amount("QRL_przsp", s.real("przsp"), 2, 11);
    amount("QRL_przwsp", s.real("przwsp"), 2, 11);
    // Row 1 recorded revenue, row 2 revenue determined under art. 17; the columns are the rates
    // 3.0 % to 20 %. The partnership's amount of each box comes before the taxpayer's part.
    for (int row = 1; row <= 2; ++row) {
        for (int rate = 1; rate <= 6; ++rate) {
            amount(indexed("QRL_prz_sp", row, rate), s.real("prz_sp", row, rate));
            amount(indexed("QRL_prz_wsp", row, rate), s.real("prz_wsp", row, rate));
        }
    }
}

} // namespace kestrun

TF_w28b15_1* F_w28b15_1 = nullptr;

TF_w28b15_1::TF_w28b15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : pit28b_page(owner, host, "W28b15_1", 1)
{
    connect_before_print(&TF_w28b15_1::QR_28b_1BeforePrint);
}

void TF_w28b15_1::QR_28b_1BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto r = host().rek28();

    nip("QRL_nip", r.text("nip"));     // box 1: this form takes the NIP only, nothing is struck out
    year("QRL_rok", r.integer("rok")); // box 2
    text("QRL_nazw", r.text("nazw"));  // boxes 3-5
    text("QRL_im", r.text("im"));
    date("QRL_dur", r.date("dur"));
    // Box 6: the same count on every attachment, as plain digits.
    text("QRL_ilzalb", std::to_string(r.integer("il_zal_b")));
    partnership(); // boxes 7-35
}

KESTRUN_PAGE_UNIT(TF_w28b15_1, W28b15_1, F_w28b15_1)
