#pragma once
// `kestrun batch` prints many return files in one process: each through its own return's
// dialog, each into its own folder under --out, several at once (one worker thread per core by
// default). A worker's run owns its host state and, being on its own thread, its printer, its
// job opener, its page and dialog instances and its trace, so runs never share a mutable global.

#include "apps/kestrun/print_command.h"

#include <filesystem>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace kestrun::cli {

struct batch_options {
    std::vector<std::filesystem::path> returns;
    // The print options every return is printed with; type, source, out and trace are the
    // batch's own.
    print_options print;
    unsigned jobs = 0; // 0: one worker per core
};

// Registers the batch subcommand on `app`, filling `options`.
CLI::App* add_batch_command(CLI::App& app, batch_options& options);

// 0 when every return printed, 1 when any failed (each failure named), 2 for a usage fault found
// before any return printed.
int batch(const batch_options& options);

} // namespace kestrun::cli
