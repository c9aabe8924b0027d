// PIT-28/B (version 14), page 2/2: part C.2, the second partnership of the attachment, and part
// C.3, the taxpayer's revenue by rate from the partnerships of the attachments together.

#include "returns/pit28b_page.h"

class TF_w28b15_2 : public kestrun::pit28b_page {
public:
    TF_w28b15_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host,
                const kestrun::page_setup& setup)
        : pit28b_page(owner, host, setup, 2)
    {
    }
    void QR_28b_2BeforePrint();
};
KESTRUN_PAGE(TF_w28b15_2, F_w28b15_2, QR_28b_2BeforePrint)

void TF_w28b15_2::QR_28b_2BeforePrint()
{
    const auto r = host().rek28();

    partnership(); // boxes 36-64

    // Part C.3 (boxes 65-76). With one attachment the host's stored totals print as they are.
    // With two, each attachment totals its own pair of partnerships: entries 1 and 2 for the
    // first (nrsp 1 or 2), entries 3 and 4 for the second.
    const bool stored_totals = r.integer("il_zal_b") < 2;
    const int first = nrsp <= 2 ? 1 : 3;
    for (int row = 1; row <= 2; ++row) {
        for (int rate = 1; rate <= 6; ++rate) {
            double total = 0.0;
            if (stored_totals) {
                total = r.real("razem_sp", row, rate);
            } else {
                const long double sum =
                    static_cast<long double>(r.sp(first).real("prz_wsp", row, rate)) +
                    static_cast<long double>(r.sp(first + 1).real("prz_wsp", row, rate));
                total = static_cast<double>(sum);
            }
            amount(indexed("QRL_sp", row, rate), total);
        }
    }
}
