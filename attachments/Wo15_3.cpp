// PIT/O (version 21) page 3/3: part E, the five children of the child relief with the months in
// which the relief is due to each parent.

#include "framework/page_report.h"

class TF_wo15_3 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_o_3BeforePrint();

private:
    // Child k (1 to 5, E.1 to E.5): its identification, its months and its relief amounts.
    void fill_child(int k);
};
KESTRUN_PAGE(TF_wo15_3, F_wo15_3, QR_o_3BeforePrint)

void TF_wo15_3::QR_o_3BeforePrint()
{
    // Nothing of the design's sample captions survives: every label of the band starts empty,
    // and a child that is not given leaves its boxes blank.
    for (const auto* child : DB_dane().Children())
        if (dynamic_cast<const kestrun::qr::TQRLabel*>(child))
            clear(child->Name());
    for (int k = 1; k <= 5; ++k) {
        fill_child(k);
        // The month squares are disabled in the design; all 26 of every child print, blank
        // or marked, also for a child that was skipped.
        const std::string taxpayer = indexed("QRL_p", k);
        const std::string spouse = indexed("QRL_m", k);
        enable(taxpayer + "_cr");
        enable(spouse + "_cr");
        for (int month = 1; month <= 12; ++month) {
            enable(indexed(taxpayer, month));
            enable(indexed(spouse, month));
        }
    }
}

void TF_wo15_3::fill_child(int k)
{
    const auto child = host().rekzez().dziecko(k);
    const std::string pesel = child.text("pesel");
    // Without a PESEL a child counts only with both names and a date of birth.
    const bool present =
        !pesel.empty() ||
        (!child.text("im").empty() && !child.text("nazw").empty() && !child.date("dur").empty());
    if (!present)
        return;

    cells(indexed("QRL_pes_d", k), pesel); // boxes 1-4
    text(indexed("QRL_im_d", k), child.text("im"));
    text(indexed("QRL_nazw_d", k), child.text("nazw"));
    date(indexed("QRL_dur_d", k), child.date("dur"));

    // Boxes 5 and 6: months mode 1 marks the whole year, 2 the months flagged; any other mode
    // marks nothing. The spouse's months count only under joint taxation.
    const std::string taxpayer = indexed("QRL_p", k);
    const std::string spouse = indexed("QRL_m", k);
    const int taxpayer_mode = child.integer("mies_tr");
    const int spouse_mode = joint() ? child.integer("mies_tr_m") : 0;
    mark_if(taxpayer + "_cr", taxpayer_mode == 1);
    mark_if(spouse + "_cr", spouse_mode == 1);
    for (int month = 1; month <= 12; ++month) {
        mark_if(indexed(taxpayer, month), taxpayer_mode == 2 && child.flag("mies", month));
        mark_if(indexed(spouse, month), spouse_mode == 2 && child.flag("mies_m", month));
    }

    amount(indexed("QRL_ud", k, 1), child.real("ud")); // box 7
    // Box 8: the spouse's relief as stored, without the joint test.
    amount(indexed("QRL_ud", k, 2), child.real("ud_m"));
}
