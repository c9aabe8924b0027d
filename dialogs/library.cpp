// The library's one-call print: the return's print dialog played as a user prints it, every job
// of the run added to one PDF.

#include "dialogs/print_run.h"
#include "framework/module.h"
#include "host/returnfile/return_file.h"
#include "kestrun/kestrun.h"
#include "platform/error.h"
#include "platform/printing/render_target.h"

#include <cstdlib>

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

print_summary print_to_document(const std::filesystem::path& return_json,
                                const std::filesystem::path& pdf, const print_settings& settings)
{
    Initialize();
    auto r = load_return({return_json, {}});
    const auto& kind = *returns_held(r).front();
    private_folder scratch;
    // The run prints on the built-in PDF printer, every job into the one document.
    run_setup setup;
    setup.out = scratch.path();
    setup.settings =
        settings.settings_folder.empty() ? scratch.path() / "settings" : settings.settings_folder;
    setup.built_in_printers_only = true;
    setup.document = pdf;
    setup.document_label = pdf.string();
    setup.embed = settings.embed_return;
    setup.choices.mode = settings.mode;
    const auto choices = setup.choices;
    print_run run(std::move(r), kind, setup);
    auto& dialog = run.dialog();
    print_summary summary{std::string(kind.name()), 0};
    run.show(
        vcl::scripted_answers({}),
        [&](vcl::TForm&) { act(dialog, choices, plan(dialog, choices)); },
        [](const error&) { return false; });
    const auto document = run.finish();
    if (!document)
        throw input_error(summary.return_name +
                          ": no page went to the PDF (the print-port flag "
                          "rekster.dr_port sends pre-printed pages to the host's port)");
    document->finish();
    summary.pages = document->pages();
    return summary;
}

// Every fault of a call as the library tells it: print_error, bad input or not.
template <typename Call> auto told(Call call)
{
    try {
        return call();
    } catch (const error& e) {
        throw print_error(e.what(), e.kind() == error_kind::input);
    } catch (const std::exception& e) {
        throw print_error(e.what(), false);
    }
}

} // namespace

print_summary print_return_to_pdf(const std::filesystem::path& return_json,
                                  const std::filesystem::path& pdf, const print_settings& settings)
{
    return told([&] { return print_to_document(return_json, pdf, settings); });
}

std::string return_from_pdf(const std::filesystem::path& pdf)
{
    return told([&] {
        Initialize();
        return host::to_return_json(load_return({pdf, {}}).state);
    });
}

const char* version() noexcept
{
    return KESTRUN_VERSION;
}

} // namespace kestrun
