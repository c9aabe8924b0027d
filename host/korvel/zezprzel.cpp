#include "host/korvel/zezprzel.h"

#include "host/tamdor/host_state.h"
#include "host/tamdor/libr.h"
#include "platform/error.h"
#include "platform/vcl/sysutils.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Zezprzel {

namespace {

kestrun::qr::TQRLabel* find_label(kestrun::qr::TQRBand& band, std::string_view name)
{
    return dynamic_cast<kestrun::qr::TQRLabel*>(band.Lookup(name));
}

// Font sizes the host steps through when it makes a field smaller.
constexpr std::array<double, 9> font_steps = {6, 7, 8, 10, 12, 14, 16, 18, 20};

// The attachment fields a page reads, copied byte for byte from the host's store of the PIT-28
// return's attachments into rekzez. The names are checked when this file compiles.
template <std::size_t N> struct field_list {
    // Positions in the rekzez layout, found when this file compiles: a misspelt name does not
    // compile.
    std::array<std::size_t, N> fields{};
    consteval field_list(const std::array<std::string_view, N>& names)
    {
        for (std::size_t i = 0; i < N; ++i) {
            const int at = kestrun::host::rekzez_layout.index_of(names[i]);
            if (at < 0)
                throw "no such rekzez field";
            fields[i] = static_cast<std::size_t>(at);
        }
    }
};

template <std::size_t N>
void copy_from_pit28_store(kestrun::host::host_state& host, const field_list<N>& list)
{
    using kestrun::host::record_id;
    auto from = host.bytes(record_id::pit28_zal);
    auto to = host.bytes(record_id::rekzez);
    for (auto at : list.fields) {
        const auto& f = kestrun::host::rekzez_layout.fields[at];
        std::copy_n(from.begin() + f.offset, f.extent(), to.begin() + f.offset);
    }
}

} // namespace

void set_amount(kestrun::qr::TQRLabel* field, double value, int width, int decimals)
{
    if (!field)
        return;
    if (!std::isfinite(value))
        throw kestrun::host_error(field->Name() + ": amount is not a finite number");
    field->Caption = Sysutils::Trim(Libr::rstrsp(value, width, decimals));
}

void set_text(kestrun::qr::TQRLabel* field, std::string_view text)
{
    if (field)
        field->Caption = text;
}

void set_enabled(kestrun::qr::TQRPrintable* field, bool enabled)
{
    if (field)
        field->Enabled = enabled;
}

void reduce_font(kestrun::qr::TQRLabel* field, double value, double limit, int step)
{
    if (!field || !(value > limit))
        return;
    double design = field->Design().style.size_pt;
    auto it = std::lower_bound(font_steps.begin(), font_steps.end(), design);
    auto index = std::max<std::ptrdiff_t>(0, (it - font_steps.begin()) - step);
    field->Font.size_pt = font_steps[static_cast<std::size_t>(index)];
}

void ust_wart(kestrun::qr::TQRBand& band, std::string_view name, double value, int decimals)
{
    set_amount(find_label(band, name), value, 13, decimals);
}

void ust_w_str(kestrun::qr::TQRBand& band, std::string_view name, std::string_view text)
{
    set_text(find_label(band, name), text);
}

void ust_enable(kestrun::qr::TQRBand& band, std::string_view name)
{
    set_enabled(band.Lookup(name), true);
}

void zmn_font(kestrun::qr::TQRBand& band, std::string_view name, double value, double limit,
              int step)
{
    reduce_font(find_label(band, name), value, limit, step);
}

void przep_zal2k(kestrun::host::host_state& host)
{
    // The PIT-2K page reads the identification of both spouses, the joint-taxation code and the
    // statement on the housing investment.
    static constexpr field_list<20> pit2k{
        {"nip",    "nip_m",   "pesel", "pesel_m",  "id_pesel", "id_pesel_m", "sp_opod",
         "nazw",   "im",      "dur",   "nazw_m",   "im_m",     "dur_m",      "rodz_inw",
         "kw_wyd", "kw_fakt", "kw_kr", "rok_rozp", "rok_zak",  "rok_kr"}};
    copy_from_pit28_store(host, pit2k);
}

void ogr_odl_pod_pito(kestrun::host::host_state& host, int person)
{
    if (person != 1 && person != 2)
        throw kestrun::host_error("ogr_odl_pod_pito: person " + std::to_string(person) +
                                  " is neither 1 (taxpayer) nor 2 (spouse)");
    auto z = host.rekzez_mut();
    auto limit = [](double v) { return v < 0 ? 0.0 : v; };
    for (int i = 12; i <= 14; ++i) {
        if (person == 1)
            z.set_real("odl_o", i, limit(z.real("odl_o", i)));
        else
            z.set_real("odl_o_m", i, limit(z.real("odl_o_m", i)));
    }
    for (int i = 1; i <= 4; ++i) {
        if (person == 1)
            z.set_real("ulg_o", i, limit(z.real("ulg_o", i)));
        else
            z.set_real("ulg_o_m", i, limit(z.real("ulg_o_m", i)));
    }
}

// --- PIT/O and PIT/D of a PIT-28 return -------------------------------------------------------

void przep_zalo(kestrun::host::host_state& host)
{
    // PIT/O pages 1 and 2, the ones a PIT-28 return prints: the identification of both spouses
    // and the joint-taxation code, the year, the deductions from income (part B) and from tax
    // (part C), and the two donees (part D). The children of page 3 stay as they are.
    static constexpr field_list<28> pito{
        {"nip",        "nip_m",       "pesel",         "pesel_m",       "id_pesel",
         "id_pesel_m", "rok",         "sp_opod",       "nazw",          "im",
         "dur",        "nazw_m",      "im_m",          "dur_m",         "odl2013",
         "odl2013_m",  "inet_rok_ub", "inet_lata_pop", "inet_rok_ub_m", "inet_lata_pop_m",
         "odl_o",      "odl_o_m",     "in_odl_doch",   "ildz",          "ulg_o",
         "ulg_o_m",    "in_odl_pod",  "obdar"}};
    copy_from_pit28_store(host, pito);
}

void przep_zald(kestrun::host::host_state& host)
{
    // Both PIT/D pages: the identification, the year, the interest relief with its request,
    // the acquired rights, the deductions from income and from tax, and the three requests.
    static constexpr field_list<46> pitd{
        {"nip",       "nip_m",        "pesel",       "pesel_m",    "id_pesel",   "id_pesel_m",
         "rok",       "sp_opod",      "nazw",        "im",         "dur",        "nazw_m",
         "im_m",      "dur_m",        "ods",         "ods28",      "ods36",      "wn_b11_28",
         "wn_b11_36", "ods28p",       "ods28m",      "ods36p",     "ods36m",     "rodz_odl_doch",
         "odl_doch",  "odl_bez_pokr", "odl_doch_og", "odl_doch28", "odl_doch36", "wn_b31_28",
         "wn_b31_36", "ods28p1",      "ods28m1",     "ods36p1",    "ods36m1",    "kas",
         "bez_pokr",  "odl_pod_og",   "odl_pod28",   "odl_pod36",  "wn_c21_28",  "wn_c21_36",
         "pod28p",    "pod28m",       "pod36p",      "pod36m"}};
    copy_from_pit28_store(host, pitd);
}

} // namespace Zezprzel
