#include "attachments/person_page.h"

#include "platform/error.h"

#include <algorithm>
#include <array>
#include <string>

namespace kestrun {

namespace {

struct parameter_field {
    std::string_view name;
    int person_page::*field;
};
constexpr std::array<parameter_field, 3> fields{
    {{"nrp", &person_page::nrp}, {"nr", &person_page::nr}, {"ilb", &person_page::ilb}}};

std::string listed(std::span<const int> values)
{
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += i + 1 == values.size() ? " or " : ", ";
        out += std::to_string(values[i]);
    }
    return out;
}

} // namespace

std::span<const int> person_page::values(std::string_view name) const
{
    if (name == "nrp")
        return one_or_two;
    if (name == "nr" || name == "ilb")
        return one;
    return {};
}

int* person_page::parameter(std::string_view name)
{
    for (const auto& f : fields)
        if (f.name == name && !values(name).empty())
            return &(this->*f.field);
    return page_report::parameter(name);
}

void person_page::check_parameters() const
{
    for (const auto& f : fields) {
        const auto allowed = values(f.name);
        const int v = this->*f.field;
        if (allowed.empty() || std::find(allowed.begin(), allowed.end(), v) != allowed.end())
            continue;
        throw input_error(std::string(report().Design().class_name) + ": " + std::string(f.name) +
                          " " + std::to_string(v) + " is outside what the page shows (" +
                          listed(allowed) + ")");
    }
}

int person_page::status_code() const
{
    const auto z = host().rekzez();
    return nrp == 1 ? z.integer("idp") : z.integer("idm");
}

void person_page::person_header(id_box box)
{
    const auto p = person();
    if (box == id_box::nip)
        nip("QRL_nip", p.text("nip"));
    else
        identifier({}, person_identity(p));
    year("QRL_rok", host().rekzez().integer("rok"));
    text("QRL_nazw", p.text("nazw"));
    text("QRL_im", p.text("im"));
    date("QRL_dur", p.date("dur"));
}

} // namespace kestrun
