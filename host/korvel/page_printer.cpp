#include "host/korvel/page_printer.h"

#include <map>

namespace kestrun::host {

namespace {
std::map<std::string, page_printer_entry, std::less<>>& registry()
{
    static std::map<std::string, page_printer_entry, std::less<>> r;
    return r;
}
} // namespace

void register_page_printer(std::string class_name, page_printer_entry entry)
{
    registry()[std::move(class_name)] = std::move(entry);
}

const page_printer_entry* find_page_printer(std::string_view class_name)
{
    auto it = registry().find(class_name);
    return it == registry().end() ? nullptr : &it->second;
}

} // namespace kestrun::host
