#pragma once
// The class registry through which a host creates a print dialog by class name.

#include "platform/vcl/classes.h"

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace kestrun::host {
class host_state;
}

namespace kestrun {

class print_dialog;

// A print dialog class exported to the host. Each dialog unit registers its class from its
// initialisation, so a dialog is found by name only once the package is loaded.
struct dialog_class {
    std::string_view class_name; // Tf_wydpit28
    std::string_view unit;       // W28f_15
    // `settings_folder` holds the host's settings file zbster and its margin tables.
    std::function<print_dialog*(vcl::TComponent* owner, host::host_state& host,
                                std::filesystem::path settings_folder)>
        create;
};

// Registers a dialog class once; a second registration of the same name is ignored.
void register_dialog_class(dialog_class cls);
const std::vector<dialog_class>& dialog_classes();
// Null when no dialog of that name is registered.
const dialog_class* find_dialog_class(std::string_view class_name);

} // namespace kestrun
