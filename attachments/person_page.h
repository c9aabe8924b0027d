#pragma once
// The base of the pages printed once per person of the return (PIT/B, PIT/M, PIT/Z, PIT/ZG): the
// parameters the print dialogs set before printing (the person and, on PIT/B, the sheet), the
// check that refuses a value the page cannot show, and the one-person header.

#include "framework/page_report.h"

#include <span>
#include <string_view>

namespace kestrun {

class person_page : public page_report {
public:
    using page_report::page_report;

    // Set by the print dialog between creating the page and printing it.
    int nrp = 1; // the person: 1 the taxpayer, 2 the spouse
    int nr = 1;  // PIT/B: the sheet's first business (page 1) or first partnership (page 2)
    int ilb = 1; // PIT/B: how many sheets the person's PIT/B takes

    // The parameters the page takes (see values); null for any other name.
    int* parameter(std::string_view name) override;
    // Throws kestrun::error (input) naming the parameter and the values the page shows, so a
    // value that no sheet of the form has never reaches the record as an index.
    void check_parameters() const override;

protected:
    // The values of a parameter that the page can show; empty when the page does not take it.
    // By default the person, 1 or 2, on a page that prints one sheet per person: nr and ilb 1.
    virtual std::span<const int> values(std::string_view name) const;
    static constexpr int one[] = {1};
    static constexpr int one_or_two[] = {1, 2};

    // The person's own fields of rekzez: the taxpayer's, or the spouse's twins.
    auto person() const { return host().rekzez().person(nrp); }
    // The square of PIT-36 section C marked for the person (idp for the taxpayer, idm for the
    // spouse): 3 uses the exemption of art. 44 ust. 7a in the tax year, 4 adds back income
    // exempt in past years.
    int status_code() const;

    // Box 1 of the header: forms without a PESEL alternative take the NIP alone.
    enum class id_box { nip, nip_or_pesel };
    // The one-person header: box 1 (QRL_nip, with its strike-out where the form has one), the
    // tax year (QRL_rok), surname, first name and date of birth (QRL_nazw, QRL_im, QRL_dur).
    void person_header(id_box box);
};

} // namespace kestrun
