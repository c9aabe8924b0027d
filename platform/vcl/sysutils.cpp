#include "platform/vcl/sysutils.h"

#include <algorithm>

namespace Sysutils {

std::string Trim(std::string_view text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto b = std::find_if_not(text.begin(), text.end(), blank);
    auto e = std::find_if_not(text.rbegin(), std::string_view::reverse_iterator(b), blank).base();
    return std::string(b, e);
}

} // namespace Sysutils
