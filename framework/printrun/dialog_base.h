#pragma once
// What the four print dialogs share: the page group with its toggle-all, the blank-paper box and
// the two captions, the printer frame, the stored print mode written back on deactivation, and
// the page table built from the catalogue's rows and the dialog's boxes, which "&Drukuj" hands
// to the print driver.

#include "framework/printrun/Fr_ud15.h"
#include "framework/printrun/print_catalogue.h"
#include "framework/printrun/print_driver.h"
#include "framework/printrun/return_kinds.h"
#include "platform/vcl/controls.h"

#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::host {
class host_state;
}
namespace Zezwyd {
class Tdrukzez;
}

namespace kestrun {

struct page_class;

// The boxes of an attachment and the count in the return record that says whether the return
// has it.
struct attachment_boxes {
    std::string attachment;  // "PIT/O"
    std::string count_field; // "rek28.zal_o"
    int count = 0;
    std::vector<vcl::TCheckBox*> boxes;
};

class print_dialog : public vcl::TForm {
public:
    // The captions are "Wydruk zeznania PIT-28" and, in blank-paper mode, "Wydruk zeznania
    // PIT-28 (za rok 2015)".
    print_dialog(vcl::TComponent* owner, host::host_state& host,
                 std::filesystem::path settings_folder, return_kind kind);
    ~print_dialog() override;

    vcl::TGroupBox* g_str;
    vcl::TPopupMenu* Pm_zm_ust;
    vcl::TMenuItem* pm_zm_wsz;
    vcl::TButton* kl_zmust;
    vcl::TCheckBox* ChB_niezadr;
    vcl::TBitBtn* kl_druk;
    vcl::TBitBtn* kl_anuluj;
    Tfr_ud15* ust_dr;

    // Published handlers every dialog has.
    virtual void FormActivate(vcl::TObject* sender) = 0;
    virtual void FormDeactivate(vcl::TObject* sender) = 0;
    virtual void kl_drukClick(vcl::TObject* sender);
    void ChB_niezadrClick(vcl::TObject* sender);
    void kl_zmustClick(vcl::TObject* sender);

    // The mode in force: true is blank-paper mode.
    bool BlankPaper() const { return wydr_niezadr; }
    const std::string& ClassName() const { return m_class_name; }
    std::string_view ReturnName() const { return m_catalogue->return_name; }
    const print_catalogue& Catalogue() const { return *m_catalogue; }
    // "Wydruk zeznania PIT-28", the prompt caption in both modes.
    std::string BaseCaption() const;

    // The page boxes, in ownership order.
    std::vector<vcl::TCheckBox*> PageBoxes() const;
    // Why a page box is disabled ("the return has no PIT/O attachment (rek28.zal_o is 0)"), or
    // the empty text.
    std::string WhyDisabled(const vcl::TCheckBox& box) const;

    // Watchers of a run: a page done or skipped, and a warning about the return.
    std::function<void(const page_progress&)> OnPage;
    std::function<void(const std::string&)> OnWarning;
    int PagesPrinted() const { return m_printed; }
    int PagesSkipped() const { return m_skipped; }

protected:
    host::host_state& host() const { return *m_host; }
    const std::filesystem::path& settings_folder() const { return m_settings; }
    bool dr_port() const;

    // A page box of the group at (x, y) in the group, checked as designed.
    vcl::TCheckBox* page_box(const char* name, const char* caption, int x, int y, int width = 120);
    // A one-pixel black rule in the group between columns of boxes.
    vcl::TPanel* rule(const char* name, int x, int y, int width);

    // Activation after the stored mode was remembered: the boxes of missing attachments
    // disabled and unchecked, the printer frame and the blank-paper box shown (print-port flag
    // clear, the box checked as stored) or hidden, the mode and the caption set.
    void activate(std::vector<attachment_boxes> attachments, bool stored_mode);
    void set_caption();

    // Deactivation: when the port flag is clear and the mode differs from the one stored at
    // activation, `store` puts the mode into rekster (field `field`) and that field alone is
    // stored into record 0 of zbster. Every file failure raises the input/output exception, after
    // rekster changed in memory.
    void save_mode(bool stored_at_activation, std::string_view field,
                   const std::function<void(bool)>& store);

    // The steps of a group of catalogue rows that repeat (print_repeat other than once), in
    // print order. The PIT-28 dialog repeats per PIT-28/B attachment; the others use
    // pitb_sheet_steps.
    virtual void repeat(std::span<const print_step> group, std::vector<page_step>& out);
    // The PIT/B sheets of persons 1 to `persons` (the spouse's only on a joint return): for
    // each sheet, page 1 from business 2s - 1 and page 2 from partnership 3s - 2, while a part
    // that still has entries in use has its box checked. When a person is reached the direct-
    // print object gets the person's counts; entries in use that no sheet shows are warned of.
    void pitb_sheet_steps(std::span<const print_step> group, int persons,
                          std::vector<page_step>& out);
    void warn(const std::string& text);
    vcl::TCheckBox* box_of(const print_step& row) const;
    // The direct-print object of the run in progress (null outside a run).
    Zezwyd::Tdrukzez* drukzez() const { return m_drukzez; }

    bool wydr_niezadr = false;

private:
    std::vector<page_step> page_table();

    host::host_state* m_host;
    std::filesystem::path m_settings;
    std::string m_class_name;
    const print_catalogue* m_catalogue;
    std::vector<attachment_boxes> m_attachments;
    Zezwyd::Tdrukzez* m_drukzez = nullptr;
    int m_printed = 0;
    int m_skipped = 0;
};

// The exported instance variable of a dialog class, as a member of the dialog: it points at the
// dialog while the dialog exists and is null once it is freed.
template <class Dialog> class instance_slot {
public:
    instance_slot(Dialog*& variable, Dialog* dialog) : m_variable(variable), m_dialog(dialog)
    {
        m_variable = dialog;
    }
    ~instance_slot()
    {
        if (m_variable == m_dialog)
            m_variable = nullptr;
    }
    instance_slot(const instance_slot&) = delete;
    instance_slot& operator=(const instance_slot&) = delete;

private:
    Dialog*& m_variable;
    Dialog* m_dialog;
};

} // namespace kestrun
