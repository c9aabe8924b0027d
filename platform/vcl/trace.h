#pragma once
// The print-run trace: one JSON object per line for what a run does (prompts, preparations,
// page reports, direct calls, settings written). Every layer reports into the one sink that the
// application installs for the thread that prints; without a sink nothing is built.

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace kestrun::vcl::trace {

using event = nlohmann::ordered_json;
using sink = std::function<void(const event&)>;

// Installs the sink (an empty function removes it). Returns the sink it replaced.
sink set_sink(sink s);
bool enabled();
// Sends {"event": name, ...fields} to the sink, when there is one.
void emit(std::string_view name, event fields = event::object());

// Installs a sink for a scope and puts the previous one back at its end.
class scoped_sink {
public:
    explicit scoped_sink(sink s) : m_previous(set_sink(std::move(s))) {}
    ~scoped_sink() { set_sink(std::move(m_previous)); }
    scoped_sink(const scoped_sink&) = delete;
    scoped_sink& operator=(const scoped_sink&) = delete;

private:
    sink m_previous;
};

// The trace of a run written to a file, or to the standard output for "-", one event per line,
// for a scope.
class file_sink {
public:
    // Throws kestrun::error (input) "<option> FILE: cannot write the file" when the file
    // cannot be opened.
    file_sink(const std::filesystem::path& file, std::string_view option);
    file_sink(const file_sink&) = delete;
    file_sink& operator=(const file_sink&) = delete;
    // Throws kestrun::error (io) when a line was lost (a full disk): a run whose trace is
    // incomplete has failed.
    void check();

private:
    std::filesystem::path m_path;
    std::string m_option;
    std::ofstream m_file;
    std::ostream* m_stream;
    std::unique_ptr<scoped_sink> m_sink;
};

} // namespace kestrun::vcl::trace
