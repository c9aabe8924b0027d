#include "host/korvel/direct_pages.h"

#include "platform/error.h"

namespace kestrun::host {

namespace {

std::vector<direct_page>& table()
{
    static std::vector<direct_page> t;
    return t;
}

bool same(const direct_page& a, const direct_page& b)
{
    if (a.class_name != b.class_name || a.margin != b.margin)
        return false;
    for (std::size_t i = 0; i < a.arguments.size(); ++i)
        if (a.arguments[i].parameter != b.arguments[i].parameter ||
            a.arguments[i].scale != b.arguments[i].scale ||
            a.arguments[i].offset != b.arguments[i].offset)
            return false;
    return true;
}

} // namespace

int direct_page::argument_count() const
{
    int n = 0;
    while (n < static_cast<int>(arguments.size()) &&
           !arguments[static_cast<std::size_t>(n)].parameter.empty())
        ++n;
    return n;
}

std::vector<std::pair<std::string, int>> direct_page::parameters(std::span<const int> args) const
{
    if (static_cast<int>(args.size()) != argument_count())
        throw host_error(std::string(object) + "->" + std::string(method) + ": takes " +
                         std::to_string(argument_count()) + " arguments, given " +
                         std::to_string(args.size()));
    std::vector<std::pair<std::string, int>> out;
    for (std::size_t i = 0; i < args.size(); ++i)
        out.emplace_back(std::string(arguments[i].parameter),
                         args[i] * arguments[i].scale + arguments[i].offset);
    return out;
}

void register_direct_page(const direct_page& page)
{
    if (const auto* known = find_direct_page(page.object, page.method)) {
        if (!same(*known, page))
            throw host_error(std::string(page.object) + "->" + std::string(page.method) +
                             " is registered for two different pages");
        return;
    }
    table().push_back(page);
}

const direct_page* find_direct_page(std::string_view object, std::string_view method)
{
    for (const auto& p : table())
        if (p.object == object && p.method == method)
            return &p;
    return nullptr;
}

} // namespace kestrun::host
