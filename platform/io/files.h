#pragma once
// Whole files in and out. Every file the project reads whole goes through read_file, every file
// it writes whole through write_file, so that a device, a folder or an endless stream is refused
// the same way everywhere, and a reader never sees half a file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::io {

// The largest document (a return file, a layout, a table) any command reads: far above a real
// one, far below what would make a run crawl.
inline constexpr std::size_t document_limit = std::size_t{16} << 20;

// The bytes of a regular file of at most `limit` bytes. A file that is missing, a folder, a
// device or a pipe, or a file larger than the limit, is refused with kestrun::error (input)
// naming `what` and the file ("return file /dev/zero: not a regular file"); a failure to read
// is kestrun::error (io).
std::vector<std::uint8_t> read_file(const std::filesystem::path& file, std::size_t limit,
                                    std::string_view what);
std::string read_text_file(const std::filesystem::path& file, std::size_t limit,
                           std::string_view what);

// Writes the bytes to a temporary file in the folder of `file`, syncs it and renames it over
// `file`: a reader sees the old file or the new one, never a part. On any failure the temporary
// file is removed and kestrun::error (io) names `file`. A device (`/dev/stdout`) is written in
// place, as renaming over it would replace the device.
void write_file(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
void write_file(const std::filesystem::path& file, std::string_view text);

// The file a temporary file of write_file is written for, from the temporary file's name
// (".014-W2815_4.pdf.lTm60c" is written for "014-W2815_4.pdf"); nullopt for any other name. What a
// killed writer leaves behind is found by this, and only this.
std::optional<std::string> temporary_target(std::string_view name);

// Appends the bytes to the end of `file` (created when missing) whole or not at all: when a
// write fails part-way the file is cut back to its old end. Throws kestrun::error (io).
void append_file(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

// Files that belong together (the images of one return): all are written to temporary names
// first and renamed only when every one is complete, so a failure leaves the old set whole.
struct file_content {
    std::filesystem::path file;
    std::span<const std::uint8_t> bytes;
};
void write_files(std::span<const file_content> files);

// From now on SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGXFSZ remove the temporary files being written
// before the process ends as the signal says. For a program's entry; a host that loads the
// module keeps its own handlers.
void remove_temporaries_on_signal();

// While one lives (in any thread), a terminating signal the handlers above catch waits for it to
// end: a step that must not be cut in two (a page's file taking its name and being counted as
// printed) finishes, then the signal ends the program as it would have.
class signals_deferred {
public:
    signals_deferred();
    ~signals_deferred();
    signals_deferred(const signals_deferred&) = delete;
    signals_deferred& operator=(const signals_deferred&) = delete;
};

// What a program tells its user when a signal ends it, once the temporary files are gone: called
// from the signal handler, so it may only do what a handler may (write(2); no allocation, no
// lock). Null says nothing.
using signal_note = void (*)(int signal);
void set_signal_note(signal_note note);
// The signal's name for such a note ("SIGINT"), without allocating.
const char* signal_name(int signal);

} // namespace kestrun::io
