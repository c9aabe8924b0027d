#pragma once
// The host's field-filling operations: fields are found on the band by component name, and a
// name the band does not hold is passed over without effect.

#include "platform/qr/report.h"

#include <string>
#include <string_view>

namespace kestrun::host {
class host_state;
}

namespace Zezprzel {

// What every fill does to a field once it has been looked up, whether a page convention or one
// of the by-name operations below found it. A null field is one the band does not hold: the
// fill passes it over.
//
// caption := Trim(rstrsp(value, width, decimals)); a value that is not finite raises an error
// naming the field.
void set_amount(kestrun::qr::TQRLabel* field, double value, int width, int decimals);
void set_text(kestrun::qr::TQRLabel* field, std::string_view text);
void set_enabled(kestrun::qr::TQRPrintable* field, bool enabled);
// Above the limit the field's font is `step` sizes smaller than its design font (10 -> 8 pt).
void reduce_font(kestrun::qr::TQRLabel* field, double value, double limit, int step);

// The host's by-name operations: the field is the band's child of that name, and a name the
// band does not hold is passed over, so that a page may fill a whole name pattern.
void ust_wart(kestrun::qr::TQRBand& band, std::string_view name, double value, int decimals);
void ust_w_str(kestrun::qr::TQRBand& band, std::string_view name, std::string_view text);
void ust_enable(kestrun::qr::TQRBand& band, std::string_view name);
void zmn_font(kestrun::qr::TQRBand& band, std::string_view name, double value, double limit,
              int step);

// Copy into rekzez what the PIT/O, PIT/D and PIT-2K pages read, from the host's store of the
// PIT-28 return's attachments.
void przep_zalo(kestrun::host::host_state& host);
void przep_zald(kestrun::host::host_state& host);
void przep_zal2k(kestrun::host::host_state& host);

// Brings the PIT/O deductions from tax of a person (1 taxpayer, 2 spouse) within their limit:
// a negative odl_o[12..14] or ulg_o[1..4] becomes 0.
void ogr_odl_pod_pito(kestrun::host::host_state& host, int person);

} // namespace Zezprzel
