#pragma once
// The print catalogue: for each return, the host tables its print run loads and the page steps
// its dialog walks, in the dialog's order: the page box, the condition besides the box, the two
// prompts, the page report with its parameters, and the host's direct-print method with its
// margin entry. The dialogs, the host's direct printing and the tests all read these rows, so a
// page of a dialog is listed here and nowhere else.

#include "host/korvel/direct_pages.h"

#include <optional>
#include <span>
#include <string_view>

namespace kestrun::host {
class host_state;
}

namespace kestrun {

// What must hold besides the box for a step to be prompted. A step of person 2 (the spouse) is
// prompted only on a joint return, whatever its condition.
enum class print_condition : unsigned char {
    none,
    pitm_amounts, // the person's PIT/M amounts pitm_ds1 or pitm_ds2 are not zero
    pitz_code,    // the person's square of section C (idp, idm) is 3 or 4
    idm_code_4,   // PIT-36L: rekzez.idm is 4
};

// The host's preparation of the attachment store, called after OK and before the page.
enum class record_preparation : unsigned char { none, przep_zalo, przep_zald, przep_zal2k };

// How often a step prints: once, per PIT-28/B attachment (its argument is the attachment), or
// per PIT/B sheet of a person (its arguments are the person, the sheet's first entry and, on
// page 1, the number of sheets).
enum class print_repeat : unsigned char { once, per_pit28b, per_pitb_sheet };

struct print_step {
    std::string_view box;
    print_condition condition = print_condition::none;
    std::string_view page;              // names the page in progress lines and errors
    std::string_view blank_prompt;      // first line; the base adds "   Włóż kartkę"
    std::string_view preprinted_prompt; // the whole prompt
    host::direct_page direct;           // page class, host object, method, margin, arguments
    // The method's arguments for a step that prints once (the person of PIT/M, PIT/Z, PIT/ZG).
    std::array<int, 3> args{};
    record_preparation prepare = record_preparation::none;
    print_repeat repeat = print_repeat::once;

    std::string_view page_class() const { return direct.class_name; }
    // The person the step prints for: its argument nrp, else the taxpayer.
    int person() const;
};

enum class host_table : unsigned char { margins, offsets };

// One table of the host that a print run allocates and loads, in loading order. A margin table
// belongs to the direct-print object named by `object`.
struct host_table_load {
    host_table kind;
    std::string_view name; // the host's stored set: "ofdr"
    int count;
    std::string_view object = {}; // drukzez, wydp28 (margin tables only)
};

struct print_catalogue {
    std::string_view return_name; // "PIT-28": the dialog's and the prompts' caption
    std::span<const host_table_load> tables;
    std::span<const print_step> steps;
};

extern const print_catalogue pit28_catalogue;
extern const print_catalogue pit36_catalogue;
extern const print_catalogue pit36l_catalogue;
extern const print_catalogue pit37_catalogue;

inline constexpr const print_catalogue* print_catalogues[] = {&pit28_catalogue, &pit36_catalogue,
                                                              &pit36l_catalogue, &pit37_catalogue};

// The preparation a catalogue's dialog runs before the page of `page_class`: none when the
// dialog prints the page without one, nothing when it does not print the page at all.
std::optional<record_preparation> preparation_of(const print_catalogue& catalogue,
                                                 std::string_view page_class);
// Runs a preparation on the host's records, with its `prepare` trace event.
void prepare_records(record_preparation op, host::host_state& host);

// Fills the host's table of direct pages from every catalogue (at package load).
void register_direct_pages();

} // namespace kestrun
