#pragma once
// The page base of the PIT-36, PIT-36L and PIT-37 return pages: the blocks these forms repeat
// under their own box numbers, written once so that each page only says where they go and what
// differs on its form.

#include "framework/page_report.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace kestrun {

class return_page : public page_report {
public:
    using page_report::page_report;

protected:
    // A monthly array of rekzez (zr44, ods44, zal44_1, zal44_7) read for either person.
    using monthly_key = host::person_key<host::rekzez_layout, host::access::real, 1>;

    // The tax computed down to the settlement with the advances (PIT-36 boxes 185-203, PIT-37
    // 113-129), the boxes both forms share. The forms differ in what the box after the
    // deductions holds (PIT-36: the tax after the housing relief too, PIT-37: before it) and in
    // whether the advances and their differences show grosze.
    void tax_due(double tax_after_deductions, int settlement_decimals);

    // The additional child-relief refund (PIT-36 boxes 204-208, PIT-37 130-134). The block
    // prints only when there is a difference to refund: the taxpayer's, the spouse's under
    // joint taxation, or the difference due. Contributions alone never make it appear. When it
    // prints, its five fields are enabled whatever their state before, and the spouse's boxes
    // stay empty on a return that is not joint; otherwise none of the five prints.
    void child_relief_refund();

    // Months I-XII of one person's monthly array into stem1 ... stem12, in whole zloty, by
    // name. Quarterly payers' quarters are the months III, VI, IX and XII of the same array.
    void months(std::string_view stem, monthly_key source, int person = 1);
    // The taxpayer's months and, under joint taxation, the spouse's; on a return that is not
    // joint the spouse's twelve boxes are emptied.
    void months_of_both(std::string_view taxpayer_stem, std::string_view spouse_stem,
                        monthly_key source);

    // The income of art. 45 ust. 3c (its field is named differently on each form), the request
    // to transfer 1 % of the tax to a public-benefit organisation with its purpose and consent,
    // and the additional information for contact.
    void transfer_and_contact(std::string_view income_45_field);

    // The proxy's name, only when a proxy signs the return.
    void proxy();

    // Whose other return the PIT/D went with (square 1 the taxpayer's, square 2 the spouse's),
    // to which form (PIT-28, PIT-36, PIT-37), and, when it went with the spouse's, the spouse's
    // identifier, name and tax office. The form's squares are cleared on every page and marked
    // only when someone attached the PIT/D.
    void pitd_attached_elsewhere();

    // Attachment counts as plain decimal integers, zero included.
    void attachment_counts(std::initializer_list<std::pair<std::string_view, int>> counts);
};

} // namespace kestrun
