// The dialog classes of the package: each dialog unit registers its class when the package
// loads.

#include "framework/printrun/dialog_registry.h"

#include <algorithm>

namespace kestrun {

namespace {

std::vector<dialog_class>& dialogs()
{
    static std::vector<dialog_class> d;
    return d;
}

} // namespace

void register_dialog_class(dialog_class cls)
{
    if (!find_dialog_class(cls.class_name))
        dialogs().push_back(std::move(cls));
}

const std::vector<dialog_class>& dialog_classes()
{
    return dialogs();
}

const dialog_class* find_dialog_class(std::string_view class_name)
{
    auto it = std::find_if(dialogs().begin(), dialogs().end(),
                           [&](const dialog_class& c) { return c.class_name == class_name; });
    return it == dialogs().end() ? nullptr : &*it;
}

} // namespace kestrun
