#pragma once
// The four returns a print run prints, one row each: how the command line names it, the record
// that identifies it, its print dialog class and its catalogue (whose caption names it, "PIT-28").
// Whatever asks which return a file holds, or which dialog prints it, reads this table.

#include "framework/printrun/print_catalogue.h"
#include "host/tamdor/host_state.h"

#include <array>
#include <string_view>

namespace kestrun {

enum class return_kind : unsigned char { pit28, pit36, pit36l, pit37 };

struct return_kind_row {
    return_kind kind;
    std::string_view type;  // pit28: the command line's name of the return
    host::record_id record; // rek28 for PIT-28, else rekzez
    int rodz_zez;           // rekzez.rodz_zez of the kind; -1 for PIT-28, identified by rek28
    std::string_view dialog_class; // Tf_wydpit28
    const print_catalogue* catalogue;

    std::string_view name() const { return catalogue->return_name; }
};

extern const std::array<return_kind_row, 4> return_kinds;

const return_kind_row& row_of(return_kind kind);
// Null when the command line's name or the rodz_zez value names no return.
const return_kind_row* find_return_type(std::string_view type);
const return_kind_row* find_rodz_zez(long long rodz_zez);

} // namespace kestrun
