#include "framework/dialog_base.h"

#include "framework/module.h"
#include "framework/page_report.h"
#include "framework/pitb_sheets.h"
#include "host/korvel/settings_file.h"
#include "host/korvel/wyd28.h"
#include "host/korvel/zezprzel.h"
#include "host/korvel/zezwyd.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/qr/report.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <cstring>
#include <iostream>
#include <memory>

namespace kestrun {

namespace {

constexpr const char* year_suffix = " (za rok 2015)";

print_dialog::page_resolver& resolver()
{
    thread_local print_dialog::page_resolver r;
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
                           const print_catalogue& catalogue)
    : vcl::TForm(owner), m_host(&host), m_settings(std::move(settings_folder)),
      m_class_name(std::move(class_name)), m_catalogue(&catalogue)
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
    return "Wydruk zeznania " + std::string(m_catalogue->return_name);
}

bool print_dialog::dr_port() const
{
    return m_host->rekster().flag("dr_port");
}

vcl::TCheckBox* print_dialog::page_box(const char* name, const char* caption, int x, int y,
                                       int width)
{
    auto* box = new vcl::TCheckBox(this);
    box->SetName(name);
    box->SetParent(g_str);
    box->Caption = caption;
    box->Checked = true;
    box->SetBounds(x, y, width, 17);
    return box;
}

vcl::TPanel* print_dialog::rule(const char* name, int x, int y, int width)
{
    auto* panel = new vcl::TPanel(this);
    panel->SetName(name);
    panel->SetParent(g_str);
    panel->SetBounds(x, y, width, 1);
    panel->Color = "clBlack";
    panel->BevelOuter = false;
    return panel;
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
    host::store_setting(m_settings, *m_host, field);
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

namespace {

const char* person_word(int p)
{
    return p == 1 ? "podatnik" : "małżonek";
}

} // namespace

int page_step::person() const
{
    return row->direct.arguments[0].parameter == "nrp" ? args[0] : 1;
}

std::vector<std::pair<std::string, int>> page_step::parameters() const
{
    return row->direct.parameters(
        std::span<const int>(args.data(), static_cast<std::size_t>(row->direct.argument_count())));
}

vcl::TCheckBox* print_dialog::box_of(const print_step& row) const
{
    auto* box = dynamic_cast<vcl::TCheckBox*>(FindComponent(row.box));
    if (!box)
        throw error(error_kind::render, m_class_name + " has no page box " + std::string(row.box) +
                                            " for " + std::string(row.page));
    return box;
}

void print_dialog::repeat(std::span<const print_step> group, std::vector<page_step>&)
{
    throw error(error_kind::render,
                m_class_name + " cannot repeat the page " + std::string(group.front().page));
}

void print_dialog::pitb_sheet_steps(std::span<const print_step> group, int persons,
                                    std::vector<page_step>& out)
{
    const print_step& page1 = group[0];
    const print_step& page2 = group[1];
    auto* b1 = box_of(page1);
    auto* b2 = box_of(page2);
    for (int p = 1; p <= persons; ++p) {
        if (p == 2 && !host().joint())
            break;
        const auto sheets = pitb_sheets::of(host().rekzez(), p);
        if (!sheets.unprinted().empty() && (b1->Checked || b2->Checked))
            warn(unprinted_warning(p, sheets));
        const int il_dg = sheets.businesses();
        const int il_sp = sheets.partnerships();
        const int il_b = sheets.sheets();
        for (int sheet = 1; (pitb_sheets::first_business(sheet) <= il_dg && b1->Checked) ||
                            (pitb_sheets::first_partnership(sheet) <= il_sp && b2->Checked);
             ++sheet) {
            const int nr_dg = pitb_sheets::first_business(sheet);
            const int nr_sp = pitb_sheets::first_partnership(sheet);
            const std::string of = " (" + (persons > 1 ? std::string(person_word(p)) + ", " : "") +
                                   "arkusz " + std::to_string(sheet) + ")";
            page_step first{&page1, b1, {p, nr_dg, il_b}, std::string(page1.page) + of, {}};
            if (sheet == 1)
                // The host prints the person's sheets with the person's counts.
                first.reached = [this, il_dg, il_sp, il_b] {
                    m_drukzez->il_dg = il_dg;
                    m_drukzez->il_sp = il_sp;
                    m_drukzez->il_b = il_b;
                };
            out.push_back(std::move(first));
            out.push_back({&page2, b2, {p, nr_sp, 0}, std::string(page2.page) + of, {}});
        }
    }
}

std::vector<page_step> print_dialog::page_table()
{
    std::vector<page_step> out;
    const auto rows = m_catalogue->steps;
    for (std::size_t i = 0; i < rows.size();) {
        const auto& row = rows[i];
        if (row.repeat == print_repeat::once) {
            out.push_back({&row, box_of(row), row.args, std::string(row.page), {}});
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < rows.size() && rows[end].repeat == row.repeat)
            ++end;
        repeat(rows.subspan(i, end - i), out);
        i = end;
    }
    return out;
}

bool print_dialog::condition_holds(const page_step& step) const
{
    const int p = step.person();
    if (p == 2 && !m_host->joint())
        return false;
    const auto z = m_host->rekzez();
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

void print_dialog::prepare(const page_step& step)
{
    prepare_records(step.row->prepare, *m_host);
}

void print_dialog::print_report(const page_step& step)
{
    const auto class_name = step.row->page_class();
    const page_class* cls = resolver() ? resolver()(class_name) : find_page_class(class_name);
    if (!cls)
        throw render_error("this kestrun cannot print " + step.page + ": its page report " +
                           std::string(class_name) + " is missing");
    const auto params = step.parameters();
    auto* printer = vcl::Printer();
    {
        page_instance page(*cls, this, *m_host);
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

std::string print_dialog::taxpayer_name() const
{
    const auto name = [](const auto& record) {
        auto surname = record.text("nazw");
        auto first = record.text("im");
        return surname + (surname.empty() || first.empty() ? "" : " ") + first;
    };
    return ReturnName() == "PIT-28" ? name(m_host->rek28()) : name(m_host->rekzez());
}

void print_dialog::run_page(const page_step& step, std::string_view caption)
{
    if (step.reached)
        step.reached();
    if (!step.box->Checked || !condition_holds(step))
        return;
    page_progress progress{++m_prompted, m_planned, step.page, false, {}};
    const std::string text = wydr_niezadr ? blank_paper_prompt(step.row->blank_prompt)
                                          : std::string(step.row->preprinted_prompt);
    if (vcl::Application->MessageBox(text, caption, prompt_flags) != vcl::IDOK) {
        ++m_skipped;
        if (OnPage)
            OnPage(progress);
        return;
    }
    prepare(step);
    // The job's title in the printer's queue: the return, the page of the run, the taxpayer.
    auto* printer = vcl::Printer();
    const auto taxpayer = taxpayer_name();
    printer->JobTitle = std::string(ReturnName()) + " " + std::to_string(progress.number) + "/" +
                        std::to_string(m_planned) + (taxpayer.empty() ? "" : " — " + taxpayer);
    const struct clear_title {
        vcl::TPrinter* printer;
        ~clear_title() { printer->JobTitle.clear(); }
    } title_scope{printer};
    if (wydr_niezadr) {
        print_report(step);
        progress.output = vcl::Printer()->LastOutput();
    } else {
        Proc_dr::tdruk* object = step.row->direct.object == "wydp28" ? m_wydp28 : m_drukzez;
        object->inic_dr(0);
        object->start_dr_win();
        object->page_method(
            step.row->direct.method,
            std::span<const int>(step.args.data(),
                                 static_cast<std::size_t>(step.row->direct.argument_count())));
        if (!dr_port()) {
            progress.output = vcl::Printer()->LastOutput();
            vcl::Printer()->EndDoc();
        } else {
            m_drukzez->wysuw_str();
            progress.output = (vcl::Printer()->OutputFolder() / Proc_dr::port_file_name).string();
        }
    }
    ++m_printed;
    progress.printed = true;
    if (OnPage)
        OnPage(progress);
}

void print_dialog::kl_drukClick(vcl::TObject*)
{
    // The prompt caption, a zero-terminated copy as the message box takes it.
    auto caption = std::make_unique<char[]>(50);
    std::strncpy(caption.get(), BaseCaption().c_str(), 49);

    // The host tables of the run, allocated zeroed, then the direct-print objects on their
    // margin tables, with the print options of the settings record.
    std::vector<std::unique_ptr<host::margin_pair[]>> margins;
    std::vector<std::unique_ptr<std::int32_t[]>> offsets;
    const host::margin_pair* drukzez_margins = nullptr;
    const host::margin_pair* wydp28_margins = nullptr;
    for (const auto& t : m_catalogue->tables) {
        if (t.kind == host_table::offsets) {
            offsets.push_back(std::make_unique<std::int32_t[]>(host::offset_table_size));
            continue;
        }
        margins.push_back(std::make_unique<host::margin_pair[]>(host::margin_table_size));
        (t.object == "wydp28" ? wydp28_margins : drukzez_margins) = margins.back().get();
    }
    const auto s = m_host->rekster();
    const bool port = s.flag("dr_port");
    const auto opt1 = static_cast<std::uint8_t>(s.integer("dr_opt1"));
    const auto opt2 = static_cast<std::uint8_t>(s.integer("dr_opt2"));
    const auto opt3 = static_cast<std::int16_t>(s.integer("dr_opt3"));
    auto drukzez =
        std::make_unique<Zezwyd::Tdrukzez>(*m_host, drukzez_margins, port, opt1, opt2, opt3);
    std::unique_ptr<Wyd28::Twyd28> wydp28;
    if (wydp28_margins)
        wydp28 = std::make_unique<Wyd28::Twyd28>(*m_host, wydp28_margins, port, opt1, opt2, opt3);
    m_drukzez = drukzez.get();
    m_wydp28 = wydp28.get();

    // The run's clean-up, whether the run ends or fails: the tables and objects freed and the
    // dialog's pointers to them gone.
    struct clean_up {
        std::function<void()> run;
        ~clean_up() { run(); }
    } finally{[&] {
        margins.clear();
        offsets.clear();
        drukzez.reset();
        wydp28.reset();
        m_drukzez = nullptr;
        m_wydp28 = nullptr;
        caption.reset();
    }};

    std::size_t m = 0;
    std::size_t o = 0;
    for (const auto& t : m_catalogue->tables) {
        vcl::trace::emit("tables",
                         {{"op", t.kind == host_table::margins ? "czyt_marg" : "czyt_odlcz"},
                          {"name", t.name},
                          {"count", t.count}});
        if (t.kind == host_table::margins)
            Libr::czyt_marg(m_settings, t.name, t.count, margins[m++].get());
        else
            Libr::czyt_odlcz(m_settings, t.name, t.count, offsets[o++].get());
    }

    const auto steps = page_table();
    m_prompted = m_printed = m_skipped = 0;
    m_planned = 0;
    for (const auto& step : steps)
        if (step.box->Checked && condition_holds(step))
            ++m_planned;
    for (const auto& step : steps)
        run_page(step, caption.get());
}

void install_printer_job_opener()
{
    qr::set_job_opener(
        [](int index, std::string_view unit) { return vcl::Printer()->OpenJob(index, unit); });
}

} // namespace kestrun
