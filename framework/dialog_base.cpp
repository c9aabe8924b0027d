#include "framework/dialog_base.h"

#include "framework/module.h"
#include "framework/page_report.h"
#include "host/korvel/settings_file.h"
#include "host/korvel/zezwyd.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/qr/report.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <iostream>

namespace kestrun {

namespace {

constexpr const char* year_suffix = " (za rok 2015)";

print_dialog::page_resolver& resolver()
{
    static print_dialog::page_resolver r;
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

print_dialog::print_dialog(vcl::TComponent* owner, host::host_state& host,
                           std::filesystem::path settings_folder, std::string class_name,
                           std::string return_name)
    : vcl::TForm(owner), m_host(&host), m_settings(std::move(settings_folder)),
      m_class_name(std::move(class_name)), m_return_name(std::move(return_name))
{
    SetName(m_class_name.substr(1));
    Caption = BaseCaption();
    HelpContext = 1006;
    Color = "clInfoBk";

    g_str = new vcl::TGroupBox(this);
    g_str->SetName("g_str");
    g_str->SetParent(this);
    g_str->Caption = "Drukować strony";
    Pm_zm_ust = new vcl::TPopupMenu(this);
    Pm_zm_ust->SetName("Pm_zm_ust");
    pm_zm_wsz = new vcl::TMenuItem(this);
    pm_zm_wsz->SetName("pm_zm_wsz");
    pm_zm_wsz->Caption = "zmiana wszystkich";
    pm_zm_wsz->OnClick = [this](vcl::TObject* sender) { kl_zmustClick(sender); };
    Pm_zm_ust->Items.push_back(pm_zm_wsz);
    g_str->PopupMenu = Pm_zm_ust;

    kl_zmust = new vcl::TButton(this);
    kl_zmust->SetName("kl_zmust");
    kl_zmust->SetParent(g_str);
    kl_zmust->Caption = "zmiana wszystkich";
    kl_zmust->OnClick = [this](vcl::TObject* sender) { kl_zmustClick(sender); };

    ChB_niezadr = new vcl::TCheckBox(this);
    ChB_niezadr->SetName("ChB_niezadr");
    ChB_niezadr->SetParent(this);
    ChB_niezadr->Caption = "wydruk na czystych kartkach (nadruk formularza i danych)";
    ChB_niezadr->Visible = false;
    ChB_niezadr->Checked = false;
    ChB_niezadr->OnClick = [this](vcl::TObject* sender) { ChB_niezadrClick(sender); };

    kl_druk = new vcl::TBitBtn(this);
    kl_druk->SetName("kl_druk");
    kl_druk->SetParent(this);
    kl_druk->Caption = "&Drukuj";
    kl_druk->Default = true;
    kl_druk->ModalResult = vcl::mrOk;
    kl_druk->OnClick = [this](vcl::TObject* sender) { kl_drukClick(sender); };

    kl_anuluj = new vcl::TBitBtn(this);
    kl_anuluj->SetName("kl_anuluj");
    kl_anuluj->SetParent(this);
    kl_anuluj->Caption = "&Anuluj";
    kl_anuluj->Kind = "bkCancel";
    kl_anuluj->Cancel = true;
    kl_anuluj->ModalResult = vcl::mrCancel;

    ust_dr = new Tfr_ud15(this);
    ust_dr->SetName("ust_dr");
    ust_dr->SetParent(this);

    OnActivate = [this](vcl::TObject* sender) { FormActivate(sender); };
    OnDeactivate = [this](vcl::TObject* sender) { FormDeactivate(sender); };
}

print_dialog::~print_dialog() = default;

std::string print_dialog::BaseCaption() const
{
    return "Wydruk zeznania " + m_return_name;
}

bool print_dialog::dr_port() const
{
    return m_host->rekster().flag("dr_port");
}

vcl::TCheckBox* print_dialog::page_box(const char* name, const char* caption, int column, int row)
{
    static constexpr int column_x[] = {25, 170, 315, 460};
    static constexpr int row_y[] = {25, 50, 76, 105};
    auto* box = new vcl::TCheckBox(this);
    box->SetName(name);
    box->SetParent(g_str);
    box->Caption = caption;
    box->Checked = true;
    box->SetBounds(column_x[column - 1], row_y[row - 1], 120, 17);
    return box;
}

std::vector<vcl::TCheckBox*> print_dialog::PageBoxes() const
{
    std::vector<vcl::TCheckBox*> out;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* box = dynamic_cast<vcl::TCheckBox*>(Components(i)); box && box->Parent() == g_str)
            out.push_back(box);
    return out;
}

std::string print_dialog::WhyDisabled(const vcl::TCheckBox& box) const
{
    if (box.Enabled)
        return {};
    for (const auto& a : m_attachments)
        for (const auto* b : a.boxes)
            if (b == &box)
                return "the return has no " + a.attachment + " attachment (" + a.count_field +
                       " is 0)";
    return "the box is disabled";
}

void print_dialog::set_caption()
{
    Caption = wydr_niezadr ? BaseCaption() + year_suffix : BaseCaption();
}

void print_dialog::activate(std::vector<attachment_boxes> attachments, bool stored_mode)
{
    m_attachments = std::move(attachments);
    for (const auto& a : m_attachments) {
        if (a.count != 0)
            continue;
        for (auto* box : a.boxes) {
            box->Enabled = false;
            box->Checked = false;
        }
    }
    if (dr_port()) {
        ust_dr->Visible = false;
        ChB_niezadr->Visible = false;
    } else {
        ust_dr->e_druk->Caption = Tfr_ud15::CurrentPrinterName();
        ChB_niezadr->Visible = true;
        ChB_niezadr->Checked = stored_mode;
    }
    wydr_niezadr = ChB_niezadr->Checked;
    set_caption();
    vcl::trace::emit("activate", {{"dialog", m_class_name}, {"caption", Caption}});
}

void print_dialog::ChB_niezadrClick(vcl::TObject*)
{
    wydr_niezadr = ChB_niezadr->Checked;
    set_caption();
}

void print_dialog::kl_zmustClick(vcl::TObject*)
{
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* box = dynamic_cast<vcl::TCheckBox*>(Components(i));
        if (box && box->Parent() == g_str && box->Enabled)
            box->Checked = !box->Checked;
    }
}

void print_dialog::save_mode(bool stored_at_activation, std::string_view field,
                             const std::function<void(bool)>& store)
{
    vcl::trace::emit("deactivate", {{"dialog", m_class_name}, {"caption", Caption}});
    if (dr_port() || stored_at_activation == wydr_niezadr)
        return;
    store(wydr_niezadr);
    vcl::trace::emit("settings_write", {{"field", field}, {"value", wydr_niezadr}});
    host::store_settings(m_settings, *m_host);
}

std::unique_ptr<host::margin_pair[]> print_dialog::new_margin_table()
{
    return std::make_unique<host::margin_pair[]>(host::margin_table_size);
}

std::unique_ptr<std::int32_t[]> print_dialog::new_offset_table()
{
    return std::make_unique<std::int32_t[]>(host::offset_table_size);
}

void print_dialog::load_margins(std::string_view name, int count, host::margin_pair* table) const
{
    vcl::trace::emit("tables", {{"op", "czyt_marg"}, {"name", name}, {"count", count}});
    Libr::czyt_marg(m_settings, name, count, table);
}

void print_dialog::load_offsets(std::string_view name, int count, std::int32_t* table) const
{
    vcl::trace::emit("tables", {{"op", "czyt_odlcz"}, {"name", name}, {"count", count}});
    Libr::czyt_odlcz(m_settings, name, count, table);
}

void print_dialog::begin_run(const std::vector<page_step>& steps)
{
    m_planned = 0;
    m_prompted = m_printed = m_skipped = 0;
    for (const auto& s : steps)
        if (s.box->Checked)
            ++m_planned;
}

void print_dialog::warn(const std::string& text)
{
    vcl::trace::emit("warning", {{"text", text}});
    if (OnWarning)
        OnWarning(text);
    else
        std::cerr << "kestrun: warning: " << text << "\n";
}

print_dialog::page_resolver print_dialog::SetPageResolver(page_resolver r)
{
    auto previous = std::move(resolver());
    resolver() = std::move(r);
    return previous;
}

void print_dialog::print_report(const page_step& step)
{
    const page_class* cls =
        resolver() ? resolver()(step.page_class) : find_page_class(step.page_class);
    if (!cls)
        throw render_error("the page report " + std::string(step.page_class) + " of " + step.page +
                           " is not in this build");
    auto* printer = vcl::Printer();
    {
        page_instance page(*cls, this, *m_host);
        page->report().PrinterSettings.PrinterIndex = printer->PrinterIndex;
        for (const auto& [name, value] : step.parameters) {
            int* field = page->parameter(name);
            if (!field)
                throw host_error("the page report " + std::string(step.page_class) +
                                 " has no parameter " + name);
            *field = value;
        }
        page->Print();
    }
    vcl::trace::emit("page_report", {{"class", step.page_class},
                                     {"params", parameters_json(step.parameters)},
                                     {"printer", Tfr_ud15::CurrentPrinterName()},
                                     {"output", printer->LastOutput()}});
}

void print_dialog::run_page(const page_step& step, std::string_view caption,
                            Zezwyd::Tdrukzez& drukzez)
{
    if (!step.box->Checked || (step.condition && !step.condition()))
        return;
    page_progress progress{++m_prompted, m_planned, step.page, false, {}};
    const std::string text =
        wydr_niezadr ? blank_paper_prompt(step.blank_prompt) : step.preprinted_prompt;
    if (vcl::Application->MessageBox(text, caption, prompt_flags) != vcl::IDOK) {
        ++m_skipped;
        if (OnPage)
            OnPage(progress);
        return;
    }
    if (step.prepare)
        step.prepare();
    if (wydr_niezadr) {
        print_report(step);
        progress.output = vcl::Printer()->LastOutput();
    } else {
        step.object->inic_dr(0);
        step.object->start_dr_win();
        step.direct();
        if (!dr_port()) {
            progress.output = vcl::Printer()->LastOutput();
            vcl::Printer()->EndDoc();
        } else {
            drukzez.wysuw_str();
            progress.output = (vcl::Printer()->OutputFolder() / Proc_dr::port_file_name).string();
        }
    }
    ++m_printed;
    progress.printed = true;
    if (OnPage)
        OnPage(progress);
}

void install_printer_job_opener()
{
    qr::set_job_opener(
        [](int index, std::string_view unit) { return vcl::Printer()->OpenJob(index, unit); });
}

} // namespace kestrun
