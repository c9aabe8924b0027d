#pragma once
// The commands of the kestrun command line, each a function of its parsed options that returns
// the exit status: 0 done, 1 a failure while printing, 2 bad input or usage.

#include "dialogs/print_run.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrun::cli {

// Flushes the standard output; a write that failed (a full device, a closed pipe) throws
// kestrun::error (io), so the output is never lost with a report of success.
void finish_standard_output();

// A page's parameters as given (--nrp, --nr, --ilb, --nrsp).
using page_parameters = std::map<std::string, int>;

// The folder of an output file must exist and take files before anything is filled: throws
// kestrun::error (input) naming the option otherwise.
void check_writable_folder(const std::filesystem::path& file, std::string_view option);

// An output file (--pdf): an existing one is refused unless `replace`, and the nearest existing
// folder on its path must take files; throws kestrun::error (input) naming the option otherwise.
// Nothing is made: make_parent_folders makes the missing folders when the file is written.
void check_output_file(const std::filesystem::path& file, std::string_view option, bool replace);
void make_parent_folders(const std::filesystem::path& file, std::string_view option);

// `page` and `fields` show a page from the records as they are stored; `prepare` ("pit28")
// first runs the PIT-28 dialog's copy into the attachment store, as `print pit28` does.
int fields(const std::string& class_name, const return_source& source,
           const page_parameters& parameters, const std::optional<std::string>& prepare = {});
int page(const std::string& class_name, const return_source& source,
         const page_parameters& parameters, const std::filesystem::path& out,
         const std::optional<std::string>& prepare = {});
// `encode` makes the --out folder when missing; images of an earlier encode there are replaced
// only when `replace`.
int encode(const std::filesystem::path& return_file, const std::filesystem::path& out_dir,
           bool replace);
int decode(const return_source& source, const std::optional<std::filesystem::path>& globals,
           const std::optional<std::filesystem::path>& from_pdf = {});

} // namespace kestrun::cli
