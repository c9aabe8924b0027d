#include "framework/printrun/return_kinds.h"

#include <algorithm>

namespace kestrun {

const std::array<return_kind_row, 4> return_kinds{{
    {return_kind::pit28, "pit28", host::record_id::rek28, -1, "Tf_wydpit28", &pit28_catalogue},
    {return_kind::pit36, "pit36", host::record_id::rekzez, 0, "Tf_wydpit36", &pit36_catalogue},
    {return_kind::pit36l, "pit36l", host::record_id::rekzez, 2, "Tf_wydpit36L", &pit36l_catalogue},
    {return_kind::pit37, "pit37", host::record_id::rekzez, 1, "Tf_wydpit37", &pit37_catalogue},
}};

const return_kind_row& row_of(return_kind kind)
{
    return return_kinds[static_cast<std::size_t>(kind)];
}

const return_kind_row* find_return_type(std::string_view type)
{
    const auto row = std::ranges::find(return_kinds, type, &return_kind_row::type);
    return row == return_kinds.end() ? nullptr : &*row;
}

const return_kind_row* find_rodz_zez(long long rodz_zez)
{
    const auto row = std::ranges::find_if(return_kinds, [rodz_zez](const return_kind_row& r) {
        return r.record == host::record_id::rekzez && r.rodz_zez == rodz_zez;
    });
    return row == return_kinds.end() ? nullptr : &*row;
}

} // namespace kestrun
