#include "platform/vcl/trace.h"

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

} // namespace kestrun::vcl::trace
