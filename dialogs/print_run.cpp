#include "dialogs/print_run.h"

#include "framework/module.h"
#include "framework/printrun/Fr_ud15.h"
#include "framework/printrun/dialog_registry.h"
#include "framework/printrun/print_driver.h"
#include "host/korvel/proc_dr.h"
#include "host/korvel/settings_file.h"
#include "host/returnfile/return_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"
#include "platform/printing/pdf_files.h"
#include "platform/printing/render_target.h"
#include "platform/qr/layout.h"
#include "platform/vcl/printer.h"

#include <algorithm>
#include <unistd.h>

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

} // namespace

planned_actions plan(const print_dialog& dialog, const dialog_choices& o)
{
    planned_actions p;
    if (o.mode == paper::blank && !dialog.ChB_niezadr->Visible)
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
    if (o.mode && (*o.mode == paper::blank) != dialog.ChB_niezadr->Checked)
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

std::string paper_told(const print_dialog& dialog, const dialog_choices& choices)
{
    return std::string(dialog.BlankPaper() ? "blank paper" : "pre-printed forms") +
           (choices.mode ? ", from --mode" : ", as stored");
}

namespace {

std::string plural(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The pages of a run as the PDF printer names them: NNN-<unit>.pdf.
bool is_page_file(const std::string& name)
{
    const auto digit = [&](std::size_t i) { return name[i] >= '0' && name[i] <= '9'; };
    return name.size() > 8 && digit(0) && digit(1) && digit(2) && name[3] == '-' &&
           name.ends_with(".pdf");
}

void remove_file(const std::filesystem::path& file, const std::string& option)
{
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (ec)
        throw io_error(option + ": cannot remove " + file.string() + ": " + ec.message());
}

// A folder holds one run's pages: pages of an earlier run are refused, or removed when the run
// replaces them. A page half-written by a run that was killed is removed either way. Called with
// the folder locked, so no other run is writing there.
void clear_pages(const std::filesystem::path& folder, const run_setup& setup)
{
    std::vector<std::filesystem::path> pages, stale;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const auto name = entry.path().filename().string();
        if (is_page_file(name))
            pages.push_back(entry.path());
        else if (const auto target = io::temporary_target(name); target && is_page_file(*target))
            stale.push_back(entry.path());
    }
    for (const auto& file : stale)
        remove_file(file, "--out " + folder.string());
    if (pages.empty())
        return;
    if (!setup.replace_offered)
        throw input_error("--out " + folder.string() +
                          ": the folder already holds pages of an earlier run (NNN-*.pdf)");
    if (!setup.replace)
        throw input_error("--out " + folder.string() + ": the folder already holds " +
                          plural(static_cast<int>(pages.size()), "page", "pages") +
                          " of an earlier run (NNN-*.pdf); give --replace to remove them first");
    for (const auto& page : pages)
        remove_file(page, "--replace");
}

std::unique_ptr<io::folder_lock> open_out_folder(const run_setup& setup)
{
    std::error_code ec;
    std::filesystem::create_directories(setup.out, ec);
    if (!std::filesystem::is_directory(setup.out, ec) || ::access(setup.out.c_str(), W_OK) != 0)
        throw input_error("--out " + setup.out.string() + ": not a writable folder");
    std::unique_ptr<io::folder_lock> lock;
    try {
        lock = std::make_unique<io::folder_lock>(setup.out);
    } catch (const error& e) {
        throw error(e.kind(), "--out " + std::string(e.what()));
    }
    clear_pages(setup.out, setup);
    return lock;
}

// The folder and those of its parents that do not exist yet, the deepest first: what making it
// creates.
std::vector<std::filesystem::path> missing_folders(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> missing;
    std::error_code ec;
    for (auto at = folder; !at.empty() && !std::filesystem::exists(at, ec); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path())
            break;
    }
    return missing;
}

// A run document, named as --pdf names it.
bool is_pdf(const std::filesystem::path& file)
{
    return file.extension() == ".pdf";
}

// A run document is far larger than its return: the form images of every page are in it.
constexpr std::size_t pdf_limit = std::size_t{256} << 20;

// What the user did in the dialog, as print.json records it: enough to print the same document
// again with the same options.
std::string choices_json(const kestrun::return_kind_row& kind, const print_dialog& dialog,
                         const dialog_choices& choices, const std::vector<int>& answers)
{
    nlohmann::ordered_json out;
    out["print"] = kind.type;
    out["mode"] = dialog.BlankPaper() ? "blank" : "preprinted";
    out["toggle_all"] = choices.toggle_all;
    out["uncheck"] = choices.uncheck;
    out["check"] = choices.check;
    auto& given = out["answers"] = nlohmann::ordered_json::array();
    for (int answer : answers)
        given.push_back(answer == vcl::IDOK ? "ok" : "cancel");
    return out.dump(2) + "\n";
}

} // namespace

std::string return_json_from_pdf(const std::filesystem::path& pdf)
{
    const auto bytes = io::read_file(pdf, pdf_limit, "PDF");
    return printing::read_embedded_file(bytes.data(), bytes.size(), embedded_return_name,
                                        io::document_limit, pdf.string());
}

bool loaded_return::holds(host::record_id id) const
{
    return std::ranges::find(given, id) != given.end();
}

loaded_return load_return(const return_source& source,
                          const std::optional<std::filesystem::path>& globals)
try {
    loaded_return r;
    if (source.file && is_pdf(*source.file)) {
        r.origin = source.file->string() + " (" + embedded_return_name + ")";
        r.given = host::load_return_json(return_json_from_pdf(*source.file), r.state, r.origin);
    } else if (source.file) {
        r.given = host::load_return_file(*source.file, r.state);
        r.origin = source.file->string();
    }
    for (const auto& given : source.images) {
        auto eq = given.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == given.size())
            throw input_error("--image " + given + ": expected NAME=FILE");
        host::load_image(given.substr(0, eq), given.substr(eq + 1), r.state);
        if (const auto id = host::record_by_name(given.substr(0, eq)); id && !r.holds(*id))
            r.given.push_back(*id);
    }
    if (globals)
        host::load_globals_file(*globals, r.state);
    return r;
} catch (const error& e) {
    if (e.kind() == error_kind::io)
        throw input_error(e.what());
    throw;
}

std::vector<const return_kind_row*> returns_held(const loaded_return& r)
{
    std::vector<const return_kind_row*> held;
    if (r.holds(host::record_id::rek28))
        held.push_back(find_return_type("pit28"));
    if (r.holds(host::record_id::rekzez)) {
        const auto rodz_zez = r.state.rekzez().integer("rodz_zez");
        const auto* kind = find_rodz_zez(rodz_zez);
        if (!kind)
            throw input_error(r.origin + ": rekzez.rodz_zez: " + std::to_string(rodz_zez) +
                              " is no return type (0 PIT-36, 1 PIT-37, 2 PIT-36L)");
        held.push_back(kind);
    }
    if (held.empty())
        throw input_error(r.origin + ": the return file holds neither rek28 (PIT-28) nor rekzez "
                                     "(PIT-36, PIT-37, PIT-36L), so there is no dialog to show");
    return held;
}

print_run::print_run(loaded_return r, const return_kind_row& kind, const run_setup& setup)
    : m_return(std::move(r)), m_kind(kind), m_setup(setup),
      m_printer_folder(vcl::Printer()->OutputFolder())
{
    const auto* cls = find_dialog_class(kind.dialog_class);
    if (!cls)
        throw input_error("print " + std::string(kind.type) + ": this kestrun cannot print " +
                          std::string(kind.type) + " returns (its print dialog is missing)");
    // A module without its assets fails here, before it makes an output folder or a settings
    // file that it never uses.
    qr::asset_dir();
    if (setup.document && setup.embed)
        m_return_json = host::to_return_json(m_return.state);
    m_made = missing_folders(setup.out);
    try {
        m_lock = open_out_folder(setup);
        m_settings = setup.settings ? *setup.settings : host::default_settings_folder();
        // Made after the output folder, so removed before it: the settings may lie inside.
        auto made = missing_folders(m_settings);
        std::error_code ec;
        const auto file = m_settings / host::settings_file_name;
        if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec)))
            made.insert(made.begin(), file);
        m_made.insert(m_made.begin(), made.begin(), made.end());
        host::load_settings(m_settings, m_return.state);
        if (setup.trace)
            m_trace.emplace(*setup.trace, "--trace");

        if (setup.built_in_printers_only)
            vcl::OfferOnlyTheBuiltInPrinters();
        auto* printer = vcl::Printer();
        printer->SetOutputFolder(setup.out);
        install_printer_job_opener();
        if (setup.document) {
            auto document = printing::make_pdf_target(*setup.document);
            document->describe(return_document_info(m_return.state, kind.name()));
            printer->SetRunDocument(std::move(document), *setup.document);
        }
        m_dialog.reset(cls->create(nullptr, m_return.state, m_settings));
    } catch (...) {
        m_refused = true;
        end();
        throw;
    }
}

void print_run::end() noexcept
{
    m_dialog.reset();
    // The document goes with the run, whatever ends it; the printer's folder is given back.
    auto* printer = vcl::Printer();
    bool spoiled = false;
    printer->TakeRunDocument(spoiled);
    printer->SetOutputFolder(m_printer_folder);
    // Only a run that locked the folder made it; another run found it locked and made nothing.
    // Removed while still locked, so no other run starts in a folder about to go, and a folder
    // only while empty: nothing another program put there.
    if (m_refused && m_lock)
        for (const auto& made : m_made) {
            std::error_code ec;
            std::filesystem::remove(made, ec);
        }
    m_lock.reset();
}

print_run::~print_run()
{
    end();
}

const run_outcome& print_run::show(vcl::TApplication::answerer answerer,
                                   vcl::TApplication::modal_user user,
                                   const std::function<bool(const error&)>& stops_run)
{
    const vcl::scoped_user scoped(
        [this, answerer = std::move(answerer)](std::string_view text, std::string_view caption,
                                               int flags) {
            const int answer = answerer(text, caption, flags);
            m_answers.push_back(answer);
            return answer;
        },
        std::move(user));
    try {
        m_dialog->ShowModal();
        m_outcome.end = m_dialog->ModalResult == vcl::mrOk ? run_end::printed : run_end::closed;
    } catch (const error& e) {
        // Refused, or stopped before the first page: what the run made goes with it.
        m_refused = m_dialog->PagesPrinted() == 0;
        if (!stops_run(e))
            throw;
        m_outcome.end = run_end::stopped;
        m_outcome.cause = e.what();
    }
    m_outcome.printed = m_dialog->PagesPrinted();
    m_outcome.skipped = m_dialog->PagesSkipped();
    return m_outcome;
}

std::unique_ptr<printing::render_target> print_run::finish()
{
    if (m_trace)
        m_trace->check();
    if (!m_setup.document)
        return nullptr;
    bool spoiled = false;
    auto document = vcl::Printer()->TakeRunDocument(spoiled);
    if (spoiled)
        throw render_error(m_setup.document_label +
                           ": a print job stopped halfway, so the document is not written");
    if (!document || document->pages() == 0)
        return nullptr;
    if (m_setup.embed) {
        document->embed({embedded_return_name, "application/json",
                         "the return file this document was printed from", m_return_json});
        document->embed({embedded_choices_name, "application/json",
                         "the print choices and the answers to the prompts",
                         choices_json(m_kind, *m_dialog, m_setup.choices, m_answers)});
    }
    return document;
}

std::string print_run::destination() const
{
    const auto* printer = vcl::Printer();
    if (!m_dialog->BlankPaper() && m_return.state.rekster().flag("dr_port"))
        return "to the print port " + (printer->OutputFolder() / Proc_dr::port_file_name).string();
    const auto name = Tfr_ud15::CurrentPrinterName();
    for (const auto& d : printer->Devices())
        if (d.name == name && d.kind == printing::device_kind::cups)
            return "to printer " + name;
    if (m_setup.document)
        return "with the PDF printer";
    return "as PDF files into " + printer->OutputFolder().string();
}

} // namespace kestrun
