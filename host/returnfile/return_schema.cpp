#include "host/returnfile/return_schema.h"

#include "host/returnfile/return_file.h"
#include "host/tamdor/layouts.h"

#include <cassert>
#include <nlohmann/json.hpp>

namespace kestrun::host {

namespace {

using ordered = nlohmann::ordered_json;

// A text holds one line of printable characters: no control characters.
constexpr const char* printable_line = "^[^\\u0000-\\u001f\\u007f]*$";

// The name of a record's schema under $defs: two kinds of partnership share the name "sp".
std::string def_name(const record_layout& layout)
{
    if (&layout == &rek28_sp_layout)
        return "rek28_sp";
    if (&layout == &pitb_sp_layout)
        return "pitb_sp";
    if (&layout == &pitb_dg_layout)
        return "pitb_dg";
    return std::string(layout.name);
}

ordered integer_range(long long low, long long high)
{
    return {{"type", "integer"}, {"minimum", low}, {"maximum", high}};
}

ordered value_schema(const field_def& f)
{
    switch (f.type) {
    case field_type::real48:
    case field_type::single:
        return {{"type", "number"}};
    case field_type::text:
        return {{"type", "string"}, {"maxLength", f.capacity}, {"pattern", printable_line}};
    case field_type::flag:
        return {{"type", "boolean"}};
    case field_type::byte:
        return integer_range(0, 255);
    case field_type::int16:
        return integer_range(-32768, 32767);
    case field_type::int32:
        return integer_range(-2147483648LL, 2147483647LL);
    case field_type::date:
        return {{"type", {"string", "null"}},
                {"pattern", "^[0-9]{4}-[0-9]{2}-[0-9]{2}$"},
                {"format", "date"}};
    case field_type::record:
        return {{"$ref", "#/$defs/" + def_name(*f.members)}};
    }
    return {};
}

std::string shape_words(const field_def& f)
{
    switch (f.type) {
    case field_type::text:
        return "text of at most " + std::to_string(f.capacity) + " Windows-1250 characters";
    case field_type::date:
        return "date YYYY-MM-DD or null";
    case field_type::real48:
    case field_type::single:
        return "amount";
    default:
        return {};
    }
}

// The description of a key: the Polish words of its box, then the English ones. A spouse's
// twin without words of its own takes its taxpayer field's.
std::string description(const record_layout& layout, const field_def& f)
{
    std::string_view en = f.about_en;
    std::string_view pl = f.about_pl;
    const bool twin =
        f.name.ends_with("_m") && layout.find(f.name.substr(0, f.name.size() - 2)) != nullptr;
    if (twin && en.empty()) {
        const auto& taxpayer = *layout.find(f.name.substr(0, f.name.size() - 2));
        en = taxpayer.about_en;
        pl = pl.empty() ? taxpayer.about_pl : pl;
    }
    std::string out;
    if (!pl.empty()) {
        out = std::string(pl) + (twin ? " (małżonek)" : "") + " — ";
    }
    out += en;
    if (twin && en.find("spouse") == std::string_view::npos) {
        out += " (the spouse's)";
    }
    if (f.is_alias()) {
        out += (out.empty() ? "" : "; ") + std::string("the same field as ") +
               std::string(f.alias_of) + "[" + std::to_string(f.alias_index) +
               "]: give one of the two";
    }
    if (f.dimensions() != 0) {
        out += (out.empty() ? "" : "; ") + std::string("elements from index 1");
    }
    if (const auto shape = shape_words(f); !shape.empty()) {
        out += (out.empty() ? "" : "; ") + shape;
    }
    return out;
}

ordered field_schema(const record_layout& layout, const field_def& f)
{
    ordered s = value_schema(f);
    if (f.dimensions() == 2) {
        s = {{"type", "array"}, {"maxItems", f.count2}, {"items", s}};
    }
    if (f.dimensions() >= 1) {
        s = {{"type", "array"}, {"maxItems", f.count1}, {"items", s}};
    }
    ordered out = {{"description", description(layout, f)}};
    out.update(s);
    return out;
}

ordered record_schema(const record_layout& layout, std::string_view about)
{
    ordered properties = ordered::object();
    for (const field_def& f : layout.fields) {
        properties[std::string(f.name)] = field_schema(layout, f);
    }
    return {{"description", about},
            {"type", "object"},
            {"additionalProperties", false},
            {"properties", std::move(properties)}};
}

} // namespace

std::string return_file_schema()
{
    ordered defs = ordered::object();
    const auto define = [&](const record_layout& layout, std::string_view about) {
        assert(!defs.contains(def_name(layout)) && "each record's schema has a name of its own");
        defs[def_name(layout)] = record_schema(layout, about);
    };
    define(rek28_layout, "PIT-28 with PIT-28/A and PIT-28/B");
    define(rekzez_layout, "PIT-36, PIT-36L or PIT-37 with every attachment; a spouse's field has "
                          "the taxpayer field's name with \"_m\"");
    define(rek_uz_layout, "PIT/UZ, the additional child-relief refund");
    define(rekster_layout, "the host's settings record (record 0 of zbster)");
    define(rek28_sp_layout, "one partnership of PIT-28/B");
    define(obdar_layout, "one donee of PIT/O part D");
    define(dziecko_layout, "one child of PIT/O part E");
    define(pitb_layout, "the PIT/B data of one person");
    define(pitb_dg_layout, "one business of PIT/B");
    define(pitb_sp_layout, "one partnership of PIT/B");

    const auto record = [](std::string_view name, std::string_view about) {
        return ordered{{"description", about}, {"$ref", "#/$defs/" + std::string(name)}};
    };
    ordered properties = {
        {"rek28", record("rek28", "zeznanie PIT-28 — the PIT-28 return")},
        {"rekzez", record("rekzez", "zeznanie PIT-36, PIT-36L lub PIT-37 — the PIT-36, PIT-36L "
                                    "or PIT-37 return (rodz_zez: 0 PIT-36, 1 PIT-37, 2 PIT-36L)")},
        {"rek_uz", record("rek_uz", "PIT/UZ — the additional child-relief refund")},
        {"pit28_zal", record("rekzez", "the host's store of the PIT-28 return's attachments "
                                       "PIT/O, PIT/D and PIT-2K, laid out like rekzez")},
        {"rekster", record("rekster", "ustawienia wydruku — the host's print settings")},
        {"wsp_z_malz",
         {{"description", "kody sposobu opodatkowania wspólnie z małżonkiem — the codes (0 to "
                          "127) of rekzez.sp_opod that mean joint taxation with the spouse"},
          {"type", "array"},
          {"items", integer_range(0, 127)}}},
        {"nr_zez_refer",
         {{"description", "numer referencyjny zeznania — the return's reference number, printed "
                          "as two lines of 16 characters when dr_zez_ref is true"},
          {"type", "string"},
          {"maxLength", nr_zez_refer_capacity},
          {"pattern", printable_line}}},
        {"dr_zez_ref",
         {{"description", "drukuj numer referencyjny — print the reference number"},
          {"type", "boolean"}}},
    };
    const ordered schema = {
        {"$schema", "https://json-schema.org/draft/2020-12/schema"},
        {"title", "kestrun return file"},
        {"description", "A 2015 PIT-28, PIT-36, PIT-36L or PIT-37 return for kestrun: the host's "
                        "records keyed by their field names and the globals. Fields left out are "
                        "zero, false or empty; arrays list their elements from index 1."},
        {"type", "object"},
        {"additionalProperties", false},
        {"properties", std::move(properties)},
        {"$defs", std::move(defs)},
    };
    return schema.dump(2) + "\n";
}

} // namespace kestrun::host
