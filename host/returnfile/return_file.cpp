#include "host/returnfile/return_file.h"

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"
#include "platform/io/names.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <system_error>

namespace kestrun::host {

namespace {

using json = nlohmann::json;
using ordered = nlohmann::ordered_json;

std::string with_origin(std::string_view origin, const std::string& message)
{
    return origin.empty() ? message : std::string(origin) + ": " + message;
}

// Builds the paths of messages: "rekzez.obdar[2].kr".
std::string member_path(std::string_view parent, std::string_view key)
{
    std::string out(parent);
    if (!out.empty()) {
        out += '.';
    }
    out += key;
    return out;
}

std::string element_path(std::string_view parent, std::size_t index)
{
    return std::string(parent) + "[" + std::to_string(index) + "]";
}

// The faults of one return file, each one line naming its JSON path. The load goes on past a
// fault, so that one run names every fault of the file; the list keeps the first ones only, so
// that a hostile file cannot flood the terminal.
class fault_list {
public:
    // Runs one step of the load; a fault it throws is kept and the load goes on.
    template <class Step> void check(Step&& step)
    {
        try {
            step();
        } catch (const kestrun::error& e) {
            if (m_lines.size() < max_return_file_faults) {
                m_lines.emplace_back(e.what());
            }
            ++m_count;
        }
    }
    void throw_if_any(std::string_view origin) const
    {
        if (m_count == 0) {
            return;
        }
        std::string message;
        for (const auto& line : m_lines) {
            message += (message.empty() ? "" : "\n") + with_origin(origin, line);
        }
        if (m_count > m_lines.size()) {
            message +=
                "\n" + with_origin(origin, "and " + std::to_string(m_count - m_lines.size()) +
                                               " more faults");
        }
        throw input_error(message);
    }

private:
    std::vector<std::string> m_lines;
    std::size_t m_count = 0;
};

[[noreturn]] void wrong_type(const std::string& path, std::string_view expected, const json& v)
{
    throw input_error(path + ": expected " + std::string(expected) + ", got " + v.type_name());
}

dt1 parse_date(const json& v, const std::string& path)
{
    if (v.is_null()) {
        return {};
    }
    if (!v.is_string()) {
        wrong_type(path, "a date \"YYYY-MM-DD\" or null", v);
    }
    const auto& s = v.get_ref<const std::string&>();
    const auto digits = [&](std::size_t from, std::size_t count) {
        int n = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (s[i] < '0' || s[i] > '9') {
                return -1;
            }
            n = n * 10 + (s[i] - '0');
        }
        return n;
    };
    dt1 d;
    if (s.size() == 10 && s[4] == '-' && s[7] == '-') {
        const int y = digits(0, 4);
        const int m = digits(5, 2);
        const int day = digits(8, 2);
        if (y >= 0 && m >= 0 && day >= 0) {
            d = {static_cast<std::uint16_t>(y), static_cast<std::uint8_t>(m),
                 static_cast<std::uint8_t>(day)};
        }
    }
    if (!field_io::valid_date(d)) {
        throw input_error(path + ": date \"" + s + "\" is not a calendar date YYYY-MM-DD or null");
    }
    return d;
}

void store_value(std::uint8_t* at, const field_def& f, const json& v, const std::string& path)
{
    switch (f.type) {
    case field_type::real48:
    case field_type::single:
        if (!v.is_number()) {
            wrong_type(path, "an amount (number)", v);
        }
        field_io::store_real(at, f.type, v.get<double>(), path);
        return;
    case field_type::text:
        if (!v.is_string()) {
            wrong_type(path, "a text", v);
        }
        field_io::store_text(at, f.capacity, v.get_ref<const std::string&>(), path);
        return;
    case field_type::flag:
        if (!v.is_boolean()) {
            wrong_type(path, "true or false", v);
        }
        field_io::store_flag(at, v.get<bool>());
        return;
    case field_type::byte:
    case field_type::int16:
    case field_type::int32:
        if (!v.is_number_integer()) {
            wrong_type(path, "an integer", v);
        }
        if (v.is_number_unsigned() && v.get<std::uint64_t>() > INT64_MAX) {
            throw input_error(path + ": " + v.dump() + " is too large");
        }
        field_io::store_integer(at, f.type, v.get<std::int64_t>(), path);
        return;
    case field_type::date:
        field_io::store_date(at, parse_date(v, path), path);
        return;
    case field_type::record:
        break;
    }
}

void load_record(const json& object, const record_layout& layout, std::uint8_t* base,
                 const std::string& path, fault_list& faults);

// The elements of an array that has room for `room`; a wrong type or too many elements is one
// fault, and then no element is read.
const json* array_of(const json& v, std::size_t room, const std::string& path, fault_list& faults)
{
    const json* out = nullptr;
    faults.check([&] {
        if (!v.is_array()) {
            wrong_type(path, "an array", v);
        }
        if (v.size() > room) {
            throw input_error(path + ": array of " + std::to_string(v.size()) +
                              " elements, room for " + std::to_string(room));
        }
        out = &v;
    });
    return out;
}

void load_field(const json& v, const field_def& f, std::uint8_t* base, const std::string& path,
                fault_list& faults)
{
    if (f.dimensions() == 0) {
        faults.check([&] { store_value(base + f.offset, f, v, path); });
        return;
    }
    const json* rows = array_of(v, f.count1, path, faults);
    for (std::size_t i = 0; rows != nullptr && i < rows->size(); ++i) {
        std::uint8_t* row = base + f.offset + std::size_t{f.stride1} * i;
        const std::string row_path = element_path(path, i + 1);
        const json& element = (*rows)[i];
        if (f.type == field_type::record) {
            load_record(element, *f.members, row, row_path, faults);
        } else if (f.dimensions() == 1) {
            faults.check([&] { store_value(row, f, element, row_path); });
        } else {
            const json* columns = array_of(element, f.count2, row_path, faults);
            for (std::size_t j = 0; columns != nullptr && j < columns->size(); ++j) {
                faults.check([&] {
                    store_value(row + std::size_t{f.stride2} * j, f, (*columns)[j],
                                element_path(row_path, j + 1));
                });
            }
        }
    }
}

void load_record(const json& object, const record_layout& layout, std::uint8_t* base,
                 const std::string& path, fault_list& faults)
{
    if (!object.is_object()) {
        faults.check([&] { wrong_type(path, "an object", object); });
        return;
    }
    for (const auto& [key, value] : object.items()) {
        const std::string field_path = member_path(path, key);
        const field_def* f = layout.find(key);
        if (f == nullptr) {
            const std::string& name = key; // clang 14 cannot capture a structured binding
            faults.check([&] {
                std::vector<std::string> names;
                for (const auto& known : layout.fields) {
                    names.emplace_back(known.name);
                }
                throw input_error(field_path + ": unknown field" + io::did_you_mean(name, names));
            });
            continue;
        }
        if (f->is_alias()) {
            // One place in the record, two names: the file gives it under one of them only.
            const auto target = object.find(std::string(f->alias_of));
            if (target != object.end() && target->is_array() && target->size() >= f->alias_index) {
                faults.check([&] {
                    throw input_error(field_path + ": set together with " +
                                      std::string(f->alias_of) + "[" +
                                      std::to_string(f->alias_index) +
                                      "], which is the same field; give one of them");
                });
                continue;
            }
        }
        load_field(value, *f, base, field_path, faults);
    }
}

void load_wsp_z_malz(const json& value, host_state& state, fault_list& faults)
{
    const std::string key = "wsp_z_malz";
    if (!value.is_array()) {
        faults.check([&] { wrong_type(key, "an array of codes", value); });
        return;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        faults.check([&] {
            const std::string path = element_path(key, i + 1);
            const json& code = value[i];
            if (!code.is_number_integer()) {
                wrong_type(path, "an integer code", code);
            }
            if (code.is_number_unsigned()
                    ? code.get<std::uint64_t>() > 127
                    : (code.get<std::int64_t>() < 0 || code.get<std::int64_t>() > 127)) {
                throw input_error(path + ": code " + code.dump() + " outside 0..127");
            }
            state.set_in_wsp_z_malz(code.get<int>(), true);
        });
    }
}

void load_nr_zez_refer(const json& value, host_state& state)
{
    const std::string key = "nr_zez_refer";
    if (!value.is_string()) {
        wrong_type(key, "a text", value);
    }
    const auto& text = value.get_ref<const std::string&>();
    if (const auto control = first_control(text); !control.empty()) {
        throw input_error(key + ": control character " + control +
                          " in a text (a text is one line of printable characters)");
    }
    if (utf8_length(text) > nr_zez_refer_capacity) {
        throw input_error(key + ": text of " + std::to_string(utf8_length(text)) +
                          " characters, capacity " + std::to_string(nr_zez_refer_capacity));
    }
    state.set_nr_zez_refer(text);
}

void load_globals_and_records(const json& root, host_state& state, fault_list& faults)
{
    if (!root.is_object()) {
        faults.check([&] { wrong_type("the return file", "an object", root); });
        return;
    }
    for (const auto& item : root.items()) {
        // Named, not bound: a lambda below captures them.
        const std::string& key = item.key();
        const json& value = item.value();
        if (const auto id = record_by_name(key)) {
            load_record(value, record_layout_of(*id), state.bytes(*id).data(), key, faults);
        } else if (key == "wsp_z_malz") {
            load_wsp_z_malz(value, state, faults);
        } else if (key == "nr_zez_refer") {
            faults.check([&] { load_nr_zez_refer(value, state); });
        } else if (key == "dr_zez_ref") {
            faults.check([&] {
                if (!value.is_boolean()) {
                    wrong_type(key, "true or false", value);
                }
                state.set_dr_zez_ref(value.get<bool>());
            });
        } else {
            faults.check([&] {
                std::vector<std::string> names{"wsp_z_malz", "nr_zez_refer", "dr_zez_ref"};
                for (const record_id record : all_records) {
                    names.emplace_back(record_name(record));
                }
                throw input_error(key + ": unknown key" + io::did_you_mean(key, names));
            });
        }
    }
}

// ---- writing a return file ----

bool is_zero(const ordered& v)
{
    return v.is_null() || (v.is_number() && v.get<double>() == 0.0) ||
           (v.is_string() && v.get_ref<const std::string&>().empty()) ||
           (v.is_boolean() && !v.get<bool>()) || ((v.is_array() || v.is_object()) && v.empty());
}

// A zero element inside an array keeps its place; trailing zero elements are left out.
ordered trimmed(ordered array, const ordered& zero)
{
    while (!array.empty() && is_zero(array.back())) {
        array.erase(array.size() - 1);
    }
    for (auto& e : array) {
        if (e.is_null()) {
            e = zero;
        }
    }
    return array;
}

double amount_value(double v)
{
    return std::strtod(real48_shortest_text(v).c_str(), nullptr);
}

ordered record_json(const record_layout& layout, const std::uint8_t* base, const std::string& path);

ordered value_json(const field_def& f, const std::uint8_t* at, const std::string& path)
{
    switch (f.type) {
    case field_type::real48: {
        const double v = decode_real48(at);
        return v == 0.0 ? ordered() : ordered(amount_value(v));
    }
    case field_type::single: {
        float v = 0;
        std::memcpy(&v, at, sizeof v);
        if (v == 0.0F) {
            return {};
        }
        if (!std::isfinite(v)) {
            throw input_error(path + ": the 4-byte float is not a finite number");
        }
        return std::strtod(single_shortest_text(v).c_str(), nullptr);
    }
    case field_type::text: {
        std::string t = field_io::read_text(at, f.capacity);
        return t.empty() ? ordered() : ordered(std::move(t));
    }
    case field_type::flag:
        return field_io::read_flag(at) ? ordered(true) : ordered();
    case field_type::byte:
    case field_type::int16:
    case field_type::int32: {
        const std::int32_t n = field_io::read_integer(at, f.type);
        return n == 0 ? ordered() : ordered(n);
    }
    case field_type::date: {
        const dt1 d = field_io::read_date(at);
        if (d.empty()) {
            return {};
        }
        char text[16];
        std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned{d.year}, unsigned{d.month},
                      unsigned{d.day});
        return text;
    }
    case field_type::record: {
        ordered r = record_json(*f.members, at, path);
        return r.empty() ? ordered() : r;
    }
    }
    return {};
}

ordered zero_of(const field_def& f)
{
    switch (f.type) {
    case field_type::text:
        return "";
    case field_type::flag:
        return false;
    case field_type::record:
        return ordered::object();
    case field_type::date:
        return nullptr;
    default:
        return 0;
    }
}

ordered field_json(const field_def& f, const std::uint8_t* base, const std::string& path)
{
    if (f.dimensions() == 0) {
        return value_json(f, base + f.offset, path);
    }
    ordered rows = ordered::array();
    for (std::size_t i = 0; i < f.count1; ++i) {
        const std::uint8_t* row = base + f.offset + std::size_t{f.stride1} * i;
        if (f.dimensions() == 1) {
            rows.push_back(value_json(f, row, element_path(path, i + 1)));
        } else {
            ordered columns = ordered::array();
            for (std::size_t j = 0; j < f.count2; ++j) {
                columns.push_back(value_json(f, row + std::size_t{f.stride2} * j,
                                             element_path(element_path(path, i + 1), j + 1)));
            }
            columns = trimmed(std::move(columns), zero_of(f));
            rows.push_back(columns.empty() ? ordered() : columns);
        }
    }
    const ordered zero = f.dimensions() == 2 ? ordered::array() : zero_of(f);
    rows = trimmed(std::move(rows), zero);
    return rows.empty() ? ordered() : rows;
}

ordered record_json(const record_layout& layout, const std::uint8_t* base, const std::string& path)
{
    ordered out = ordered::object();
    for (const field_def& f : layout.fields) {
        if (f.is_alias()) {
            continue; // its array carries the value
        }
        ordered v = field_json(f, base, member_path(path, f.name));
        if (!v.is_null()) {
            out[std::string(f.name)] = std::move(v);
        }
    }
    return out;
}

ordered globals_json(const host_state& state)
{
    ordered out = ordered::object();
    ordered codes = ordered::array();
    for (int c = 0; c < 128; ++c) {
        if (state.in_wsp_z_malz(c)) {
            codes.push_back(c);
        }
    }
    if (!codes.empty()) {
        out["wsp_z_malz"] = std::move(codes);
    }
    if (!state.nr_zez_refer().empty()) {
        out["nr_zez_refer"] = state.nr_zez_refer();
    }
    if (state.dr_zez_ref()) {
        out["dr_zez_ref"] = true;
    }
    return out;
}

void copy_globals(const host_state& from, host_state& to)
{
    to.wsp_z_malz_mut() = from.wsp_z_malz();
    to.set_nr_zez_refer(from.nr_zez_refer());
    to.set_dr_zez_ref(from.dr_zez_ref());
}

} // namespace

std::vector<record_id> load_return_json(std::string_view text, host_state& state,
                                        std::string_view origin)
{
    const json root = io::parse_json(text, origin);
    // Loaded aside first, so that a fault leaves the state as it was.
    host_state loaded;
    fault_list faults;
    load_globals_and_records(root, loaded, faults);
    faults.throw_if_any(origin);
    for (const record_id id : all_records) {
        std::ranges::copy(loaded.bytes(id), state.bytes(id).begin());
    }
    copy_globals(loaded, state);
    std::vector<record_id> given;
    for (const record_id id : all_records)
        if (root.contains(std::string(record_name(id))))
            given.push_back(id);
    return given;
}

std::vector<record_id> load_return_file(const std::filesystem::path& path, host_state& state)
{
    return load_return_json(io::read_text_file(path, io::document_limit, "return file"), state,
                            path.string());
}

void load_globals_file(const std::filesystem::path& path, host_state& state)
{
    const std::string origin = path.string();
    json root =
        io::parse_json(io::read_text_file(path, io::document_limit, "globals file"), origin);
    host_state loaded;
    fault_list faults;
    for (const record_id id : all_records) {
        const std::string name(record_name(id));
        if (root.is_object() && root.erase(name) > 0) {
            faults.check([&] {
                throw input_error(name + ": a globals file holds only wsp_z_malz, nr_zez_refer and "
                                         "dr_zez_ref; a record comes as its image");
            });
        }
    }
    load_globals_and_records(root, loaded, faults);
    faults.throw_if_any(origin);
    copy_globals(loaded, state);
}

void load_image_bytes(std::string_view name, std::span<const std::uint8_t> image, host_state& state)
{
    const auto id = record_by_name(name);
    if (!id) {
        throw input_error("image of an unknown record \"" + std::string(name) +
                          "\" (rek28, rekzez, rek_uz, pit28_zal or rekster)");
    }
    const auto target = state.bytes(*id);
    if (image.size() != target.size()) {
        throw input_error(std::string(name) + " image: " + std::to_string(image.size()) +
                          " bytes, expected " + std::to_string(target.size()));
    }
    std::ranges::copy(image, target.begin());
}

void load_image(std::string_view name, const std::filesystem::path& file, host_state& state)
{
    if (!record_by_name(name)) {
        load_image_bytes(name, {}, state); // names the unknown record
    }
    // Far above any record, so that an image a little off still gets its size named below.
    constexpr std::size_t image_limit = std::size_t{1} << 20;
    const auto bytes = io::read_file(file, image_limit, std::string(name) + " image");
    load_image_bytes(name, bytes, state);
}

std::string to_return_json(const host_state& state)
{
    ordered root = ordered::object();
    for (const record_id id : all_records) {
        ordered r =
            record_json(record_layout_of(id), state.bytes(id).data(), std::string(record_name(id)));
        if (!r.empty()) {
            root[std::string(record_name(id))] = std::move(r);
        }
    }
    const ordered globals = globals_json(state);
    for (const auto& [key, value] : globals.items()) {
        root[key] = value;
    }
    return root.dump(2) + "\n";
}

std::string image_file_name(record_id id)
{
    return std::string(record_name(id)) + ".bin";
}

void write_images(const host_state& state, const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        throw io_error(dir.string() + ": cannot create the folder: " + ec.message());
    }
    // Written as a set: a failure part-way leaves the images of the previous run whole.
    std::vector<io::file_content> files;
    for (const record_id id : all_records) {
        const auto bytes = state.bytes(id);
        const bool present = id != record_id::pit28_zal ||
                             std::ranges::any_of(bytes, [](std::uint8_t b) { return b != 0; });
        if (present) {
            files.push_back({dir / image_file_name(id), bytes});
        }
    }
    const ordered globals = globals_json(state);
    const std::string text = globals.empty() ? std::string() : globals.dump(2) + "\n";
    if (!globals.empty()) {
        files.push_back({dir / "globals.json",
                         {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}});
    }
    io::write_files(files);
}

} // namespace kestrun::host
