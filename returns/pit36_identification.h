#pragma once
// The first page of the PIT-36 and PIT-37 returns: identification of the taxpayer and, under
// joint taxation, of the spouse, the method of taxation, the tax office, the purpose of filing,
// the personal data and addresses of both persons and, on PIT-36 only, section C. Both forms
// print the same boxes under the same names, so the page is filled by one routine.

#include "framework/page_report.h"

namespace kestrun {

class identification_page : public page_report {
public:
    using page_report::page_report;

protected:
    // What the forms' first pages differ in: PIT-37 has no section C (boxes 37-42).
    struct first_page {
        bool section_c = true;
    };
    void identification(first_page form);

private:
    // The address boxes of person p (1 taxpayer, 2 spouse): the field stems with suffix "" or
    // "1", filled from the person's address, or emptied.
    void address(int p, bool printed);
    // Section C: the status squares of both persons and the years of boxes 41-42.
    void section_c();
};

} // namespace kestrun
