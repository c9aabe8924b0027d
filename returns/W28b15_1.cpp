// PIT-28/B (version 14), page 1/2: the taxpayer, the number of PIT-28/B attachments and part
// C.1, the first partnership of the attachment.

#include "returns/pit28b_page.h"

class TF_w28b15_1 : public kestrun::pit28b_page {
public:
    TF_w28b15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host,
                const kestrun::page_setup& setup)
        : pit28b_page(owner, host, setup, 1)
    {
    }
    void QR_28b_1BeforePrint();
};
KESTRUN_PAGE(TF_w28b15_1, F_w28b15_1, QR_28b_1BeforePrint)

void TF_w28b15_1::QR_28b_1BeforePrint()
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
