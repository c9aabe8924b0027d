#include "platform/vcl/trace.h"

#include "platform/error.h"

#include <iostream>

namespace kestrun::vcl::trace {

namespace {
sink& the_sink()
{
    // Each print run traces its own events, on its own thread.
    thread_local sink s;
    return s;
}
} // namespace

sink set_sink(sink s)
{
    auto previous = std::move(the_sink());
    the_sink() = std::move(s);
    return previous;
}

bool enabled()
{
    return static_cast<bool>(the_sink());
}

void emit(std::string_view name, event fields)
{
    if (!the_sink())
        return;
    event e = event::object();
    e["event"] = name;
    for (auto& [key, value] : fields.items())
        e[key] = std::move(value);
    the_sink()(e);
}

file_sink::file_sink(const std::filesystem::path& file, std::string_view option)
    : m_path(file), m_option(option), m_stream(&std::cout)
{
    if (file != "-") {
        m_file.open(file, std::ios::binary | std::ios::trunc);
        if (!m_file)
            throw input_error(m_option + " " + m_path.string() + ": cannot write the file");
        m_stream = &m_file;
    }
    m_sink = std::make_unique<scoped_sink>([this](const event& e) {
        *m_stream << e.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n'
                  << std::flush;
    });
}

void file_sink::check()
{
    if (!m_stream->flush())
        throw io_error(m_option + " " + m_path.string() + ": cannot write the trace");
}

} // namespace kestrun::vcl::trace
