#include "framework/printrun/dialog_base.h"

#include "framework/module.h"
#include "framework/pitb_sheets.h"
#include "host/korvel/settings_file.h"
#include "host/korvel/zezprzel.h"
#include "host/korvel/zezwyd.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/vcl/trace.h"

#include <cstring>
#include <iostream>
#include <memory>

namespace kestrun {

namespace {

constexpr const char* year_suffix = " (za rok 2015)";

} // namespace

print_dialog::print_dialog(vcl::TComponent* owner, host::host_state& host,
                           std::filesystem::path settings_folder, return_kind kind)
    : vcl::TForm(owner), m_host(&host), m_settings(std::move(settings_folder)),
      m_class_name(row_of(kind).dialog_class), m_catalogue(row_of(kind).catalogue)
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

namespace {

const char* person_word(int p)
{
    return p == 1 ? "podatnik" : "małżonek";
}

} // namespace

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

void print_dialog::kl_drukClick(vcl::TObject*)
{
    // The prompt caption, a zero-terminated copy as the message box takes it.
    auto caption = std::make_unique<char[]>(50);
    std::strncpy(caption.get(), BaseCaption().c_str(), 49);

    print_driver driver(*m_host, m_settings, *m_catalogue);
    // The dialog reaches the run's direct-print object only while the run lasts.
    m_drukzez = &driver.drukzez();
    const struct forget_driver {
        Zezwyd::Tdrukzez*& drukzez;
        ~forget_driver() { drukzez = nullptr; }
    } forget{m_drukzez};

    const auto steps = page_table();
    m_printed = m_skipped = 0;
    driver.run(steps, wydr_niezadr, caption.get(), this, [this](const page_progress& progress) {
        ++(progress.printed ? m_printed : m_skipped);
        if (OnPage)
            OnPage(progress);
    });
}

} // namespace kestrun
