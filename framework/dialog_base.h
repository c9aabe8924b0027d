#pragma once
// What the four print dialogs share: the page group with its toggle-all, the blank-paper box and
// the two captions, the printer frame, the stored print mode written back on deactivation, the
// host tables of a print run, and the page step: the prompt before each sheet, the record
// preparation, then the page report (blank paper) or the host's direct printing (pre-printed
// forms).

#include "framework/Fr_ud15.h"
#include "host/tamdor/libr.h"
#include "platform/vcl/controls.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrun::host {
class host_state;
}
namespace Proc_dr {
class tdruk;
}
namespace Zezwyd {
class Tdrukzez;
}

namespace kestrun {

struct page_class;

// The prompt flags: OK and Cancel with the exclamation icon.
inline constexpr int prompt_flags = 0x31;

// The blank-paper prompt: its first line, a line feed, a carriage return, "   Włóż kartkę".
std::string blank_paper_prompt(std::string_view first_line);

// The boxes of an attachment and the count in the return record that says whether the return
// has it.
struct attachment_boxes {
    std::string attachment;  // "PIT/O"
    std::string count_field; // "rek28.zal_o"
    int count = 0;
    std::vector<vcl::TCheckBox*> boxes;
};

// One page of a dialog's page table as the driver walks it.
struct page_step {
    vcl::TCheckBox* box = nullptr;
    std::string page;                // "PIT-28 1/4": names the page in progress reports
    std::string blank_prompt;        // first line of the blank-paper prompt
    std::string preprinted_prompt;   // the pre-printed prompt
    std::function<bool()> condition; // besides the box; empty means none
    std::function<void()> prepare;   // after OK, before anything else; may be empty
    std::string_view page_class;     // the page report of the blank-paper path
    std::vector<std::pair<std::string, int>> parameters; // set on the page report
    Proc_dr::tdruk* object = nullptr;                    // the host object of the pre-printed path
    std::function<void()> direct;                        // its page method
};

// How one page of a run ended, for whoever watches the run.
struct page_progress {
    int number = 0;  // n of the pages prompted so far
    int planned = 0; // m: the pages whose boxes are checked when the run starts
    std::string page;
    bool printed = false;
    std::string output; // where a printed page went
};

class print_dialog : public vcl::TForm {
public:
    // `return_name` is "PIT-28": the captions are "Wydruk zeznania PIT-28" and, in blank-paper
    // mode, "Wydruk zeznania PIT-28 (za rok 2015)".
    print_dialog(vcl::TComponent* owner, host::host_state& host,
                 std::filesystem::path settings_folder, std::string class_name,
                 std::string return_name);
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
    virtual void kl_drukClick(vcl::TObject* sender) = 0;
    void ChB_niezadrClick(vcl::TObject* sender);
    void kl_zmustClick(vcl::TObject* sender);

    // The mode in force: true is blank-paper mode.
    bool BlankPaper() const { return wydr_niezadr; }
    const std::string& ClassName() const { return m_class_name; }
    const std::string& ReturnName() const { return m_return_name; }
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

    // How page classes are found; replaceable so the driver can be tried with stand-in pages.
    using page_resolver = std::function<const page_class*(std::string_view class_name)>;
    static page_resolver SetPageResolver(page_resolver resolver);

protected:
    host::host_state& host() const { return *m_host; }
    const std::filesystem::path& settings_folder() const { return m_settings; }
    bool dr_port() const;

    // A page box of the group at column and row of the page grid.
    vcl::TCheckBox* page_box(const char* name, const char* caption, int column, int row);

    // Activation after the stored mode was remembered: the boxes of missing attachments
    // disabled and unchecked, the printer frame and the blank-paper box shown (print-port flag
    // clear, the box checked as stored) or hidden, the mode and the caption set.
    void activate(std::vector<attachment_boxes> attachments, bool stored_mode);
    void set_caption();

    // Deactivation: when the port flag is clear and the mode differs from the one stored at
    // activation, `store` puts the mode into rekster (field `field`) and record 0 of zbster is
    // rewritten in place. Every file failure raises the input/output exception, after rekster
    // changed in memory.
    void save_mode(bool stored_at_activation, std::string_view field,
                   const std::function<void(bool)>& store);

    // The host tables of a run, allocated zeroed, and their loading from the host's store.
    static std::unique_ptr<host::margin_pair[]> new_margin_table();
    static std::unique_ptr<std::int32_t[]> new_offset_table();
    void load_margins(std::string_view name, int count, host::margin_pair* table) const;
    void load_offsets(std::string_view name, int count, std::int32_t* table) const;

    // A run's progress: the pages planned, then each page step.
    void begin_run(const std::vector<page_step>& steps);
    // The page step: skipped without a prompt when the box is unchecked or the condition fails;
    // Cancel skips the page only; otherwise the preparation, then the page report in
    // blank-paper mode or the host object in pre-printed mode, ending with EndDoc, or with
    // drukzez's sheet eject when the host prints through its port.
    void run_page(const page_step& step, std::string_view caption, Zezwyd::Tdrukzez& drukzez);
    void warn(const std::string& text);

    bool wydr_niezadr = false;

private:
    void print_report(const page_step& step);

    host::host_state* m_host;
    std::filesystem::path m_settings;
    std::string m_class_name;
    std::string m_return_name;
    std::vector<attachment_boxes> m_attachments;
    int m_planned = 0;
    int m_prompted = 0;
    int m_printed = 0;
    int m_skipped = 0;
};

// Makes the report engine print its jobs on the application's printer object.
void install_printer_job_opener();

} // namespace kestrun
