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

// The caption of an amount field: Trim(rstrsp(value, width, decimals)). A value that is not
// finite raises an error naming the field.
std::string amount_caption(std::string_view name, double value, int width, int decimals);

// caption := Trim(rstrsp(value, 13, decimals)). A value that is not finite raises an error
// naming the field.
void ust_wart(kestrun::qr::TQRBand& band, std::string_view name, double value, int decimals);
void ust_w_str(kestrun::qr::TQRBand& band, std::string_view name, std::string_view text);
void ust_enable(kestrun::qr::TQRBand& band, std::string_view name);
// Above the limit the field's font is `step` sizes smaller than its design font (10 -> 8 pt).
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
