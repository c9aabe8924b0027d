#include "framework/pitb_sheets.h"

#include <algorithm>

namespace kestrun {

bool business_in_use(const host::record_view<host::pitb_dg_layout>& dg)
{
    return !dg.text("dzial").empty() || !dg.text("reg").empty();
}

bool partnership_in_use(const host::record_view<host::pitb_sp_layout>& sp)
{
    return !sp.text("nazsp").empty() || !sp.text("regsp").empty() || !sp.text("nipsp").empty();
}

pitb_sheets pitb_sheets::of(const host::rekzez_view& z, int p)
{
    const auto b = z.pitb(p);
    pitb_sheets s;
    for (int j = 1; j <= pitb_businesses; ++j)
        s.business[static_cast<std::size_t>(j - 1)] = business_in_use(b.dg(j));
    for (int i = 1; i <= pitb_partnerships; ++i)
        s.partnership[static_cast<std::size_t>(i - 1)] = partnership_in_use(b.sp(i));
    return s;
}

int pitb_sheets::businesses() const
{
    return static_cast<int>(std::count(business.begin(), business.end(), true));
}

int pitb_sheets::partnerships() const
{
    return static_cast<int>(std::count(partnership.begin(), partnership.end(), true));
}

int pitb_sheets::sheets() const
{
    return businesses() > businesses_per_sheet || partnerships() > partnerships_per_sheet ? 2 : 1;
}

std::vector<std::string> pitb_sheets::unprinted() const
{
    std::vector<std::string> out;
    if (!any())
        return out;
    const int n = sheets();
    for (int j = businesses_per_sheet * n + 1; j <= pitb_businesses; ++j)
        if (business[static_cast<std::size_t>(j - 1)])
            out.push_back("dg[" + std::to_string(j) + "]");
    for (int i = partnerships_per_sheet * n + 1; i <= pitb_partnerships; ++i)
        if (partnership[static_cast<std::size_t>(i - 1)])
            out.push_back("sp[" + std::to_string(i) + "]");
    return out;
}

std::string unprinted_warning(int person, const pitb_sheets& sheets)
{
    std::string entries;
    for (const auto& e : sheets.unprinted())
        entries += (entries.empty() ? "" : ", ") + e;
    const int n = sheets.sheets();
    return "rekzez.pitb[" + std::to_string(person) + "]: " + entries +
           " in use lie past the last position of " + std::to_string(n) +
           (n == 1 ? " PIT/B sheet" : " PIT/B sheets") +
           ", which show entries by position: they are not printed, though their amounts "
           "enter part D";
}

} // namespace kestrun
