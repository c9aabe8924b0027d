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

// The run prints on the built-in PDF printer, every job into the one document; the printer's
// folder is left as the call found it, and the document goes with the call whatever ends it.
class run_into_document {
public:
    run_into_document(const std::filesystem::path& pdf, const std::filesystem::path& folder)
        : m_printer(*vcl::Printer()), m_folder(m_printer.OutputFolder())
    {
        vcl::OfferOnlyTheBuiltInPrinters();
        m_printer.SetOutputFolder(folder);
        m_printer.SetRunDocument(printing::make_pdf_target(pdf), pdf);
    }
    ~run_into_document()
    {
        bool spoiled = false;
        m_printer.TakeRunDocument(spoiled);
        m_printer.SetOutputFolder(m_folder);
    }
    run_into_document(const run_into_document&) = delete;
    run_into_document& operator=(const run_into_document&) = delete;

    // The document once the run is over; throws when a job of it stopped halfway.
    std::unique_ptr<printing::render_target> take(const std::filesystem::path& pdf)
    {
        bool spoiled = false;
        auto document = m_printer.TakeRunDocument(spoiled);
        if (spoiled)
            throw render_error(pdf.string() +
                               ": a print job stopped halfway, so the document is not written");
        return document;
    }

private:
    vcl::TPrinter& m_printer;
    std::filesystem::path m_folder;
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

    run_into_document run(pdf, scratch.path());
    std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, settings_folder));
    print_summary summary{std::string(dialog->ReturnName()), 0};
    dialog_choices choices;
    choices.mode = settings.mode == paper::blank ? "blank" : "preprinted";
    const vcl::scoped_user user(vcl::scripted_answers({}), [&](vcl::TForm&) {
        act(*dialog, choices, plan(*dialog, choices));
    });
    dialog->ShowModal();
    const auto document = run.take(pdf);
    if (!document || document->pages() == 0)
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
