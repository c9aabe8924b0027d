#pragma once
// The income table of the PIT-36 and PIT-37 returns: one row per source of income and person,
// with the columns income (przychód), costs, income, loss and advance tax. The forms differ in
// which sources they list and in which order, so each page describes its rows in a table and
// one routine fills them.

#include "framework/page_report.h"

#include <span>

namespace kestrun {

// How a row of the form shows the stored result income minus costs.
enum class income_shape {
    split,    // income and loss columns: a loss is moved to the loss column as a positive amount
    pension,  // pensions: income, the result with its sign, advance tax (no costs, no loss)
    total,    // the total row: income, costs, the result with its sign, advance tax
    business, // business: split, except that section C's exemption codes 3 and 4 decide the loss
};

struct income_row {
    int field_row; // the row digit of the field names: QRL_p<c><row><column>
    int data_row;  // the row of the person's stored income table zr / zr_m
    income_shape shape;
};

struct income_table {
    std::span<const income_row> rows;
    int field_rows; // the row digits 1..field_rows name the person's fields
    // The field rows whose 50 % cost boxes (<row>1_1, <row>2_1) take k50[1..2] and k50[3..4].
    int half_cost_rows[2];
};

class income_page : public page_report {
public:
    using page_report::page_report;

protected:
    // The income rows of person p (1 taxpayer, letter p; 2 spouse, letter m), in table order.
    void income_rows(const income_table& table, int p);
    // The 50 % cost boxes of person p.
    void half_cost_rows(const income_table& table, int p);
    // A return that is not joint: every name of the spouse's rows emptied, including names
    // the layout does not hold (the total row has no loss box, pensions no costs or loss).
    void clear_spouse_rows(const income_table& table);

    static char person_letter(int p) { return p == 1 ? 'p' : 'm'; }
    // QRL_p<c><suffix>: QRL_pp11, QRL_pm_zwol.
    static std::string person_field(int p, std::string_view suffix);
};

} // namespace kestrun
