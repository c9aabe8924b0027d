// The library's one-call print: the return's print dialog played as a user prints it, every job
// of the run added to one PDF.

#include "dialogs/print_run.h"
#include "framework/module.h"
#include "host/korvel/settings_file.h"
#include "host/returnfile/return_file.h"
#include "kestrun/kestrun.h"
#include "platform/error.h"
#include "platform/printing/render_target.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"

#include <cstdlib>
#include <memory>

namespace kestrun {

print_error::print_error(const std::string& message, bool bad_input)
    : std::runtime_error(message), m_bad_input(bad_input)
{
}

namespace {

// A folder of this call alone, for fresh settings and a print port's file; removed after.
class private_folder {
public:
    private_folder()
    {
        auto pattern = (std::filesystem::temp_directory_path() / "kestrun-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw io_error("cannot make a temporary folder in " +
                           std::filesystem::temp_directory_path().string());
        m_path = pattern;
    }
    ~private_folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    private_folder(const private_folder&) = delete;
    private_folder& operator=(const private_folder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Every job the run opens, on whichever printer the dialog holds, goes into the one document;
// the printer is left as the call found it.
class jobs_into_document {
public:
    jobs_into_document(printing::render_target& document, const std::filesystem::path& folder)
        : m_printer(*vcl::Printer()), m_folder(m_printer.OutputFolder())
    {
        m_printer.SetOutputFolder(folder);
        m_previous = m_printer.SetDeviceOpener([&document](const printing::printer_device&,
                                                           const std::string&,
                                                           const std::filesystem::path&) {
            return printing::make_document_job(document);
        });
    }
    ~jobs_into_document()
    {
        m_printer.SetDeviceOpener(std::move(m_previous));
        m_printer.SetOutputFolder(m_folder);
    }
    jobs_into_document(const jobs_into_document&) = delete;
    jobs_into_document& operator=(const jobs_into_document&) = delete;

private:
    vcl::TPrinter& m_printer;
    std::filesystem::path m_folder;
    vcl::TPrinter::device_opener m_previous;
};

print_summary print_to_document(const std::filesystem::path& return_json,
                                const std::filesystem::path& pdf, const print_settings& settings)
{
    Initialize();
    host::host_state state;
    host::load_return_file(return_json, state);
    const auto* cls = find_dialog_class(dialog_class_of(return_type_of(state)));
    if (cls == nullptr)
        throw render_error("the print dialog of " + return_type_of(state) +
                           " is not in this library");
    private_folder scratch;
    const auto settings_folder =
        settings.settings_folder.empty() ? scratch.path() / "settings" : settings.settings_folder;
    host::load_settings(settings_folder, state);

    auto document = printing::make_pdf_target(pdf);
    const jobs_into_document redirect(*document, scratch.path());
    std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, settings_folder));
    print_summary summary{std::string(dialog->ReturnName()), 0};
    dialog_choices choices;
    choices.mode = settings.mode == paper::blank ? "blank" : "preprinted";
    const vcl::scoped_user user(vcl::scripted_answers({}), [&](vcl::TForm&) {
        act(*dialog, choices, plan(*dialog, choices));
    });
    dialog->ShowModal();
    if (document->pages() == 0)
        throw input_error(summary.return_name +
                          ": no page went to the PDF (the print-port flag "
                          "rekster.dr_port sends pre-printed pages to the host's port)");
    document->finish();
    summary.pages = document->pages();
    return summary;
}

} // namespace

print_summary print_return_to_pdf(const std::filesystem::path& return_json,
                                  const std::filesystem::path& pdf, const print_settings& settings)
{
    try {
        return print_to_document(return_json, pdf, settings);
    } catch (const error& e) {
        throw print_error(e.what(), e.kind() == error_kind::input);
    } catch (const std::exception& e) {
        throw print_error(e.what(), false);
    }
}

const char* version() noexcept
{
    return KESTRUN_VERSION;
}

} // namespace kestrun
