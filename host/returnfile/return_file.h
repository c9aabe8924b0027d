#pragma once
// The return file (JSON) and the packed record images: loading them into a host state,
// writing the images and turning the records back into a return file.
//
// A return file is one JSON object: the records "rek28", "rekzez", "rek_uz", "pit28_zal" and
// "rekster" as objects keyed by their field names (spouse twins included), and the globals
// "wsp_z_malz" (codes 0..127), "nr_zez_refer" (text) and "dr_zez_ref" (bool). Arrays list
// their elements from index 1; fields left out are zero, false or empty; dates are
// "YYYY-MM-DD" or null. Every fault is one line naming its JSON path; a load reports all the
// faults of a file at once (one line each) and changes nothing in the host state when there is
// any.

#include "host/tamdor/host_state.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::host {

// The longest reference number: its printed form is two memo lines of 16 characters.
inline constexpr std::size_t nr_zez_refer_capacity = 32;

// The most faults one load names; past them the message says how many more there were.
inline constexpr std::size_t max_return_file_faults = 50;

// Replaces the records and globals of `state` with those of the return file. `origin`
// (a file name, or empty) starts every line of the error message. Throws kestrun::error
// (input) whose message holds every fault found, one per line. Returns the records the file
// gives, in layout order.
std::vector<record_id> load_return_json(std::string_view text, host_state& state,
                                        std::string_view origin);
// The same for a file. A file that is not a regular file or is larger than 16 MB is refused
// (input); one that cannot be read throws kestrun::error (io).
std::vector<record_id> load_return_file(const std::filesystem::path& path, host_state& state);

// Replaces the globals of `state` (wsp_z_malz, nr_zez_refer, dr_zez_ref) with those of a
// globals file, as write_images writes it; the records stay. A record in it is a fault. Throws
// as load_return_json does, every line starting with the file's name.
void load_globals_file(const std::filesystem::path& path, host_state& state);

// Replaces record NAME (rek28, rekzez, rek_uz, pit28_zal, rekster) by a packed image of
// exactly the record's size ("rekzez image: 9000 bytes, expected 9033").
void load_image(std::string_view name, const std::filesystem::path& file, host_state& state);
void load_image_bytes(std::string_view name, std::span<const std::uint8_t> image,
                      host_state& state);

// The return file of the state: keys in layout order, only fields that are not zero, amounts
// as the shortest decimal that reads back as the same stored value, and indented.
std::string to_return_json(const host_state& state);

// Writes rek28.bin, rekzez.bin, rek_uz.bin and rekster.bin into `dir` (created when missing),
// pit28_zal.bin when that record holds anything, and globals.json (a return file of the
// globals only) when a global is set. Each file is written to a temporary name and renamed.
// Throws kestrun::error (io).
void write_images(const host_state& state, const std::filesystem::path& dir);

// The file name write_images gives a record: "<name>.bin".
std::string image_file_name(record_id id);

} // namespace kestrun::host
