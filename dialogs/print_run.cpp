#include "dialogs/print_run.h"

#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/vcl/printer.h"

#include <algorithm>

namespace kestrun {

namespace {

std::string joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}

vcl::TCheckBox* find_box(const print_dialog& dialog, const std::string& option,
                         const std::string& name)
{
    std::vector<std::string> names;
    for (auto* box : dialog.PageBoxes()) {
        if (box->Name() == name)
            return box;
        names.push_back(box->Name());
    }
    throw input_error(option + " " + name + ": the " + std::string(dialog.ReturnName()) +
                      " dialog has no such page box (boxes: " + joined(names) + ")");
}

// A box the user can click: a hidden box never, a disabled one (always unchecked) not to check
// it. A click the dialog would ignore is refused rather than passed over in silence.
vcl::TCheckBox* clickable_box(const print_dialog& dialog, const std::string& option,
                              const std::string& name)
{
    auto* box = find_box(dialog, option, name);
    if (!box->Visible)
        throw input_error(option + " " + name + ": the box is not shown in the " +
                          std::string(dialog.ReturnName()) + " dialog, so it cannot be clicked");
    if (option == "--check" && !box->Enabled)
        throw input_error(option + " " + name + ": " + dialog.WhyDisabled(*box));
    return box;
}

bool holds_anything(std::span<const std::uint8_t> record)
{
    return std::ranges::any_of(record, [](std::uint8_t b) { return b != 0; });
}

} // namespace

planned_actions plan(const print_dialog& dialog, const dialog_choices& o)
{
    planned_actions p;
    if (o.mode == "blank" && !dialog.ChB_niezadr->Visible)
        throw input_error("--mode blank: the print-port flag (rekster.dr_port) is set, so the " +
                          std::string(dialog.ReturnName()) +
                          " dialog offers pre-printed forms only");
    if (o.printer) {
        if (!dialog.ust_dr->Visible)
            throw input_error("--printer " + *o.printer +
                              ": the print-port flag (rekster.dr_port) is set, so the host "
                              "prints through its port and no printer can be chosen");
        p.printer = vcl::Printer()->IndexOf(*o.printer);
        if (p.printer < 0 && !vcl::Printer()->CupsUnreachable().empty())
            throw input_error(
                "--printer " + *o.printer + ": CUPS could not be reached (" +
                vcl::Printer()->CupsUnreachable() +
                "), so only these printers are known: " + joined(vcl::Printer()->Printers));
        if (p.printer < 0)
            throw input_error("--printer " + *o.printer + ": no such printer (printers: " +
                              joined(vcl::Printer()->Printers) + ")");
    }
    for (const auto& name : o.uncheck)
        p.uncheck.push_back(clickable_box(dialog, "--uncheck", name));
    for (const auto& name : o.check)
        p.check.push_back(clickable_box(dialog, "--check", name));
    return p;
}

void act(print_dialog& dialog, const dialog_choices& o, const planned_actions& p)
{
    if (o.mode && (*o.mode == "blank") != dialog.ChB_niezadr->Checked)
        dialog.ChB_niezadr->Click();
    if (o.toggle_all)
        dialog.kl_zmust->Click();
    for (auto* box : p.uncheck)
        if (box->Checked)
            box->Click();
    for (auto* box : p.check)
        if (!box->Checked)
            box->Click();
    if (p.printer >= 0) {
        auto previous = vcl::TPrintDialog::SetChooser(
            [&](const std::vector<std::string>&, int) -> std::optional<int> { return p.printer; });
        dialog.ust_dr->kl_ustdr->Click();
        vcl::TPrintDialog::SetChooser(std::move(previous));
    }
    dialog.kl_druk->Click();
}

std::string dialog_class_of(const std::string& return_type)
{
    if (return_type == "pit28")
        return "Tf_wydpit28";
    if (return_type == "pit36")
        return "Tf_wydpit36";
    if (return_type == "pit36l")
        return "Tf_wydpit36L";
    if (return_type == "pit37")
        return "Tf_wydpit37";
    return {};
}

std::string return_type_of(const host::host_state& state)
{
    if (holds_anything(state.bytes(host::record_id::rek28)))
        return "pit28";
    if (!holds_anything(state.bytes(host::record_id::rekzez)))
        throw input_error("the return holds neither rek28 (PIT-28) nor rekzez (PIT-36, PIT-36L, "
                          "PIT-37)");
    switch (state.rekzez().integer("rodz_zez")) {
    case 0:
        return "pit36";
    case 1:
        return "pit37";
    case 2:
        return "pit36l";
    default:
        throw input_error("rekzez.rodz_zez: " + std::to_string(state.rekzez().integer("rodz_zez")) +
                          " is no return kind (0 PIT-36, 1 PIT-37, 2 PIT-36L)");
    }
}

} // namespace kestrun
