#include "returns/income_rows.h"

#include <string>

namespace kestrun {

namespace {

// Section C codes that replace the business loss: 3, the exemption of art. 44 ust. 7a used in
// the tax year (the exempt income shows in its own box); 4, used in one of the five previous
// years and added back.
constexpr int exemption_used_this_year = 3;
constexpr int exemption_added_back = 4;

} // namespace

std::string income_page::person_field(int p, std::string_view suffix)
{
    return std::string("QRL_p") + person_letter(p) + std::string(suffix);
}

void income_page::income_rows(const income_table& table, int p)
{
    const auto z = host().rekzez();
    const auto person = z.person(p);
    const int status = p == 1 ? z.integer("idp") : z.integer("idm");
    for (const auto& row : table.rows) {
        const auto field = [&](int column) {
            return person_field(p, std::to_string(row.field_row) + std::to_string(column));
        };
        const double income = person.real("zr", row.data_row, 1);
        const double costs = person.real("zr", row.data_row, 2);
        const double result = person.real("zr", row.data_row, 3);
        const double advance = person.real("zr", row.data_row, 4);
        amount(field(1), income);
        switch (row.shape) {
        case income_shape::split:
            amount(field(2), costs);
            sign_split(field(3), field(4), result);
            break;
        case income_shape::pension:
            amount(field(3), result);
            break;
        case income_shape::total:
            amount(field(2), costs);
            amount(field(3), result);
            break;
        case income_shape::business:
            amount(field(2), costs);
            amount(field(3), result >= 0 ? result : 0.0);
            if (status == exemption_used_this_year) {
                amount(person_field(p, "_zwol"), person.real("zw_doch"));
                amount(field(4), person.real("zw_str3"));
            } else if (status == exemption_added_back) {
                amount(field(4), person.real("zw_str4"));
            } else {
                amount(field(4), result < 0 ? -result : 0.0);
            }
            break;
        }
        amount(field(5), advance, 0);
    }
}

void income_page::half_cost_rows(const income_table& table, int p)
{
    const auto person = host().rekzez().person(p);
    for (int i = 0; i < 2; ++i) {
        const std::string row = std::to_string(table.half_cost_rows[i]);
        amount(person_field(p, row + "1_1"), person.real("k50", 2 * i + 1));
        amount(person_field(p, row + "2_1"), person.real("k50", 2 * i + 2));
    }
}

void income_page::clear_spouse_rows(const income_table& table)
{
    for (int row = 1; row <= table.field_rows; ++row)
        for (int column = 1; column <= 5; ++column)
            text_by_name(indexed("QRL_pm", row, column), "");
    for (int half_cost_row : table.half_cost_rows)
        for (int column = 1; column <= 2; ++column)
            text_by_name(indexed("QRL_pm", half_cost_row, column) + "_1", "");
}

} // namespace kestrun
