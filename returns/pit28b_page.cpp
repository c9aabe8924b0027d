#include "returns/pit28b_page.h"

#include "platform/error.h"

#include <string>

namespace kestrun {

namespace {
constexpr int partnerships = 4; // rek28.sp[1..4]: two PIT-28/B attachments at most
}

pit28b_page::pit28b_page(vcl::TComponent* owner, host::host_state& host, const page_setup& setup,
                         int first_nrsp)
    : page_report(owner, host, setup), nrsp(first_nrsp)
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
