#pragma once
// Runs a page's before-print handler on a strict band and reads back what each field would
// print, for page tests.

#include "framework/module.h"
#include "framework/page_report.h"
#include "platform/qr/report.h"

#include <map>
#include <string>

namespace kestrun::testing {

struct printed_field {
    std::string caption; // memo lines joined by "\n"
    bool enabled = false;
    double font_pt = 0;
    bool operator==(const printed_field&) const = default;
};

inline std::map<std::string, printed_field> captions_of(const page_report& page)
{
    std::map<std::string, printed_field> out;
    for (const auto* child : page.DB_dane().Children()) {
        printed_field f{{}, child->Enabled, child->Font.size_pt};
        if (const auto* memo = dynamic_cast<const qr::TQRMemo*>(child)) {
            for (std::size_t i = 0; i < memo->Lines.size(); ++i)
                f.caption += (i ? "\n" : "") + memo->Lines[i];
        } else if (const auto* label = dynamic_cast<const qr::TQRLabel*>(child)) {
            f.caption = label->Caption;
        }
        out[child->Name()] = f;
    }
    return out;
}

// Creates the page of that class, sets its parameters, fills it on a strict band and returns
// what every field would print.
inline std::map<std::string, printed_field>
fill_page(std::string_view class_name, host::host_state& host,
          const std::map<std::string, int>& parameters = {})
{
    const auto* cls = find_page_class(class_name);
    if (!cls)
        throw std::runtime_error("no page class " + std::string(class_name));
    page_instance page(*cls, nullptr, host, qr::field_names::reported);
    for (const auto& [name, value] : parameters)
        *page->parameter(name) = value;
    page->Prepare();
    return captions_of(*page);
}

} // namespace kestrun::testing
