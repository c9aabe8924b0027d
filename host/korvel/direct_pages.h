#pragma once
// Which page each method of the host's direct printing prints: the object and method, the page
// class whose data it prints, the entry of the object's margin set that moves it, and how the
// method's arguments become the page's parameters. The host declares this table and the module
// fills it when it loads, from the same rows its print dialogs walk, so the host never includes
// a header of the module and the page <-> method <-> margin map is written once.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrun::host {

// A method argument and the page parameter it sets: parameter = argument × scale + offset
// (PIT-28/B attachment i prints partnerships 2i - 1 and 2i).
struct direct_argument {
    std::string_view parameter; // empty: the method takes no further argument
    int scale = 1;
    int offset = 0;
};

struct direct_page {
    std::string_view object;     // drukzez, wydp28
    std::string_view method;     // wydB_I
    std::string_view class_name; // TF_wb15_1
    int margin = 0;              // 1-based entry of the object's margin set
    std::array<direct_argument, 3> arguments{};

    int argument_count() const;
    // The page parameters for the method's arguments, in argument order.
    std::vector<std::pair<std::string, int>> parameters(std::span<const int> args) const;
};

// Registers a method; registering it again with the same page, margin and arguments does
// nothing, and a different one throws kestrun::error (host), since one method prints one page.
void register_direct_page(const direct_page& page);
// Null when no method of that name is registered for the object.
const direct_page* find_direct_page(std::string_view object, std::string_view method);

} // namespace kestrun::host
