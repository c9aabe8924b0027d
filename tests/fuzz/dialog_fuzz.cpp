// A whole print run driven by fuzzed choices: the first byte picks the dialog and the mode, the
// next the number of prompt answers and of box clicks, then the answers (even OK, odd Cancel),
// the boxes clicked, and the packed records, settings record included (the print-port flag
// among them). Pages are real page reports, their jobs recorded; the port device writes into a
// scratch folder. A refusal is kestrun::error; anything else is a fault.

#include "framework/module.h"
#include "framework/printrun/dialog_base.h"
#include "framework/printrun/dialog_registry.h"
#include "host/korvel/settings_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/printing/render_target.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace {

const std::filesystem::path& folder()
{
    static const kestrun::fuzzing::scratch_folder f("dialog");
    return f.path();
}

constexpr const char* dialogs[] = {"Tf_wydpit28", "Tf_wydpit36", "Tf_wydpit36L", "Tf_wydpit37"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrun;
    Initialize();
    auto* printer = vcl::Printer();
    printer->SetDevices({{"PDF", printing::device_kind::pdf, true}});
    printer->SetOutputFolder(folder());
    std::vector<std::string> jobs;
    printer->SetDeviceOpener(
        [&jobs](const printing::printer_device&, const std::string&, const std::filesystem::path&) {
            return printing::make_recording_target(jobs);
        });
    install_printer_job_opener();

    fuzzing::fuzz_input in(data, size);
    const std::uint8_t choice = in.byte();
    const auto* cls = find_dialog_class(dialogs[choice % 4]);
    const bool click_mode = (choice & 0x10) != 0, toggle_all = (choice & 0x20) != 0;
    const std::uint8_t counts = in.byte();
    std::vector<int> answers(counts & 0x0F);
    for (int& a : answers)
        a = in.byte() % 2 == 0 ? vcl::IDOK : vcl::IDCANCEL;
    std::vector<std::uint8_t> clicks(counts >> 4);
    for (auto& c : clicks)
        c = in.byte();
    try {
        host::host_state state;
        in.fill_records(state, true);
        io::write_file(folder() / host::settings_file_name, state.bytes(host::record_id::rekster));
        std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, folder()));
        vcl::scoped_user user(vcl::scripted_answers(answers), [&](vcl::TForm&) {
            if (click_mode)
                dialog->ChB_niezadr->Click();
            if (toggle_all)
                dialog->kl_zmust->Click();
            const auto boxes = dialog->PageBoxes();
            for (const auto c : clicks)
                if (!boxes.empty())
                    boxes[c % boxes.size()]->Click();
            dialog->kl_druk->Click();
        });
        dialog->ShowModal();
    } catch (const kestrun::error&) {
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder(), ec))
        if (entry.path().filename() != host::settings_file_name)
            std::filesystem::remove(entry.path(), ec);
    return 0;
}
