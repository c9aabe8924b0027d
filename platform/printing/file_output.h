#pragma once
// Writing a finished print job to its file so that a reader never sees half of it.

#include <cstdint>
#include <filesystem>
#include <span>

namespace kestrun::printing {

// Writes the bytes to a temporary file next to `file` and renames it over `file`; on any failure
// the temporary file is removed and kestrun::error (kind io) names `file`. A device or pipe
// (`/dev/stdout`) is written in place, as renaming over it would replace the device.
void write_file_whole(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace kestrun::printing
