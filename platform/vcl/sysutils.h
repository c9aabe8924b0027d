#pragma once
// The toolkit runtime's string functions the host's units and the pages call.

#include <string>
#include <string_view>

namespace Sysutils {

// Leading and trailing blanks and control characters removed.
std::string Trim(std::string_view text);

} // namespace Sysutils
