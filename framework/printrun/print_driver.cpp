#include "framework/printrun/print_driver.h"

#include "framework/module.h"
#include "framework/page_report.h"
#include "framework/printrun/Fr_ud15.h"
#include "host/korvel/wyd28.h"
#include "host/korvel/zezwyd.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/vcl/application.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

namespace kestrun {

namespace {

print_driver::page_resolver& resolver()
{
    thread_local print_driver::page_resolver r;
    return r;
}

nlohmann::ordered_json parameters_json(const std::vector<std::pair<std::string, int>>& params)
{
    auto out = nlohmann::ordered_json::object();
    for (const auto& [name, value] : params)
        out[name] = value;
    return out;
}

} // namespace

std::string blank_paper_prompt(std::string_view first_line)
{
    return std::string(first_line) + "\n\r   Włóż kartkę";
}

int page_step::person() const
{
    return row->direct.arguments[0].parameter == "nrp" ? args[0] : 1;
}

std::vector<std::pair<std::string, int>> page_step::parameters() const
{
    return row->direct.parameters(
        std::span<const int>(args.data(), static_cast<std::size_t>(row->direct.argument_count())));
}

print_driver::print_driver(host::host_state& host, const std::filesystem::path& settings_folder,
                           const print_catalogue& catalogue)
    : m_host(host), m_catalogue(catalogue)
{
    const host::margin_pair* drukzez_margins = nullptr;
    const host::margin_pair* wydp28_margins = nullptr;
    for (const auto& t : catalogue.tables) {
        if (t.kind == host_table::offsets) {
            m_offsets.push_back(std::make_unique<std::int32_t[]>(host::offset_table_size));
            continue;
        }
        m_margins.push_back(std::make_unique<host::margin_pair[]>(host::margin_table_size));
        (t.object == "wydp28" ? wydp28_margins : drukzez_margins) = m_margins.back().get();
    }
    const auto s = host.rekster();
    const bool port = s.flag("dr_port");
    const auto opt1 = static_cast<std::uint8_t>(s.integer("dr_opt1"));
    const auto opt2 = static_cast<std::uint8_t>(s.integer("dr_opt2"));
    const auto opt3 = static_cast<std::int16_t>(s.integer("dr_opt3"));
    m_drukzez = std::make_unique<Zezwyd::Tdrukzez>(host, drukzez_margins, port, opt1, opt2, opt3);
    if (wydp28_margins)
        m_wydp28 = std::make_unique<Wyd28::Twyd28>(host, wydp28_margins, port, opt1, opt2, opt3);

    std::size_t m = 0;
    std::size_t o = 0;
    for (const auto& t : catalogue.tables) {
        vcl::trace::emit("tables",
                         {{"op", t.kind == host_table::margins ? "czyt_marg" : "czyt_odlcz"},
                          {"name", t.name},
                          {"count", t.count}});
        if (t.kind == host_table::margins)
            Libr::czyt_marg(settings_folder, t.name, t.count, m_margins[m++].get());
        else
            Libr::czyt_odlcz(settings_folder, t.name, t.count, m_offsets[o++].get());
    }
}

print_driver::~print_driver() = default;

print_driver::page_resolver print_driver::SetPageResolver(page_resolver r)
{
    auto previous = std::move(resolver());
    resolver() = std::move(r);
    return previous;
}

bool print_driver::condition_holds(const page_step& step) const
{
    const int p = step.person();
    if (p == 2 && !m_host.joint())
        return false;
    const auto z = m_host.rekzez();
    switch (step.row->condition) {
    case print_condition::none:
        return true;
    case print_condition::pitm_amounts:
        return z.person(p).real("pitm_ds1") != 0 || z.person(p).real("pitm_ds2") != 0;
    case print_condition::pitz_code: {
        const int code = p == 1 ? z.integer("idp") : z.integer("idm");
        return code == 3 || code == 4;
    }
    case print_condition::idm_code_4:
        return z.integer("idm") == 4;
    }
    return false;
}

void print_driver::print_report(const page_step& step, vcl::TComponent* owner)
{
    const auto class_name = step.row->page_class();
    const page_class* cls = resolver() ? resolver()(class_name) : find_page_class(class_name);
    if (!cls)
        throw render_error("this kestrun cannot print " + step.page + ": its page report " +
                           std::string(class_name) + " is missing");
    const auto params = step.parameters();
    auto* printer = vcl::Printer();
    {
        page_instance page(*cls, owner, m_host);
        page->report().PrinterSettings.PrinterIndex = printer->PrinterIndex;
        for (const auto& [name, value] : params) {
            int* field = page->parameter(name);
            if (!field)
                throw host_error("the page report " + std::string(class_name) +
                                 " has no parameter " + name);
            *field = value;
        }
        page->Print();
    }
    vcl::trace::emit("page_report", {{"class", class_name},
                                     {"params", parameters_json(params)},
                                     {"printer", Tfr_ud15::CurrentPrinterName()},
                                     {"output", printer->LastOutput()}});
}

namespace {

// "Łukaszewicz Zbigniew": the taxpayer's surname and first name as the return holds them.
std::string taxpayer_name(const host::host_state& host, std::string_view return_name)
{
    const auto name = [](const auto& record) {
        auto surname = record.text("nazw");
        auto first = record.text("im");
        return surname + (surname.empty() || first.empty() ? "" : " ") + first;
    };
    return return_name == "PIT-28" ? name(host.rek28()) : name(host.rekzez());
}

} // namespace

printing::document_info return_document_info(const host::host_state& host,
                                             std::string_view return_name)
{
    const auto describe = [&](const auto& record) {
        const auto year = std::to_string(record.integer("rok"));
        const auto taxpayer = taxpayer_name(host, return_name);
        const auto nip = record.text("nip");
        const auto id = nip.empty() ? record.text("pesel") : nip;
        const std::string kind(return_name);
        return printing::document_info{
            kind + " za " + year + (taxpayer.empty() ? "" : " — " + taxpayer),
            "Zeznanie " + kind + " za rok " + year + (taxpayer.empty() ? "" : ", " + taxpayer),
            kind + ", " + year + (id.empty() ? "" : ", " + id)};
    };
    return return_name == "PIT-28" ? describe(host.rek28()) : describe(host.rekzez());
}

void print_driver::run(std::span<const page_step> steps, bool blank_paper, std::string_view caption,
                       vcl::TComponent* owner,
                       const std::function<void(const page_progress&)>& done)
{
    int planned = 0;
    for (const auto& step : steps)
        if (step.box->Checked && condition_holds(step))
            ++planned;
    int prompted = 0;
    for (const auto& step : steps) {
        if (step.reached)
            step.reached();
        if (!step.box->Checked || !condition_holds(step))
            continue;
        page_progress progress{++prompted, planned, step.page, false, {}};
        const std::string text = blank_paper ? blank_paper_prompt(step.row->blank_prompt)
                                             : std::string(step.row->preprinted_prompt);
        if (vcl::Application->MessageBox(text, caption, prompt_flags) != vcl::IDOK) {
            done(progress);
            continue;
        }
        prepare_records(step.row->prepare, m_host);
        // The job's title in the printer's queue: the return, the page of the run, the taxpayer.
        auto* printer = vcl::Printer();
        const auto taxpayer = taxpayer_name(m_host, m_catalogue.return_name);
        const auto of_run = std::to_string(progress.number) + "/" + std::to_string(planned);
        printer->JobTitle = std::string(m_catalogue.return_name) + " " + of_run +
                            (taxpayer.empty() ? "" : " — " + taxpayer);
        // The page's own file names the return and the page, as its file name does not.
        printer->JobInfo = return_document_info(m_host, m_catalogue.return_name);
        printer->JobInfo.title += " — " + step.page + ", strona " + of_run;
        const struct clear_title {
            vcl::TPrinter* printer;
            ~clear_title()
            {
                printer->JobTitle.clear();
                printer->JobInfo = {};
            }
        } title_scope{printer};
        if (blank_paper) {
            print_report(step, owner);
            progress.output = printer->LastOutput();
        } else {
            Proc_dr::tdruk* object = m_drukzez.get();
            if (step.row->direct.object == "wydp28")
                object = m_wydp28.get();
            object->inic_dr(0);
            object->start_dr_win();
            object->page_method(
                step.row->direct.method,
                std::span<const int>(step.args.data(),
                                     static_cast<std::size_t>(step.row->direct.argument_count())));
            if (!m_host.rekster().flag("dr_port")) {
                progress.output = printer->LastOutput();
                printer->EndDoc();
            } else {
                m_drukzez->wysuw_str();
                progress.output = (printer->OutputFolder() / Proc_dr::port_file_name).string();
            }
        }
        progress.printed = true;
        done(progress);
    }
}

} // namespace kestrun
