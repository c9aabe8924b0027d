#pragma once
// The print run of a dialog's page table: the host tables and direct-print objects of the
// return's catalogue, the prompt before each page, the record preparation, then the page report
// (blank paper) or the host's direct printing (pre-printed forms), and the clean-up whatever
// happens. The dialog form builds the page table from its boxes; the driver prints it.

#include "framework/printrun/print_catalogue.h"
#include "host/tamdor/libr.h"
#include "platform/printing/render_target.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::host {
class host_state;
}
namespace kestrun::vcl {
class TCheckBox;
class TComponent;
} // namespace kestrun::vcl
namespace Proc_dr {
class tdruk;
}
namespace Zezwyd {
class Tdrukzez;
}
namespace Wyd28 {
class Twyd28;
}

namespace kestrun {

struct page_class;

// The prompt flags: OK and Cancel with the exclamation icon.
inline constexpr int prompt_flags = 0x31;

// The blank-paper prompt: its first line, a line feed, a carriage return, "   Włóż kartkę".
std::string blank_paper_prompt(std::string_view first_line);

// One page of a run's page table: a catalogue row with the arguments of this print of it.
struct page_step {
    const print_step* row = nullptr;
    vcl::TCheckBox* box = nullptr;
    std::array<int, 3> args{}; // the direct-print method's, which give the page's parameters
    std::string page;          // the row's page, with the attachment or sheet when it repeats
    // Runs when the driver reaches the step, before its box is read.
    std::function<void()> reached;

    int person() const;
    std::vector<std::pair<std::string, int>> parameters() const;
};

// How one page of a run ended, for whoever watches the run.
struct page_progress {
    int number = 0;  // n of the pages prompted so far
    int planned = 0; // m: the pages whose boxes are checked and whose conditions hold
    std::string page;
    bool printed = false;
    std::string output; // where a printed page went
};

// What a PDF of the return says of itself, so that a folder of archived returns can be told
// apart: the title "PIT-36 za 2015 — Wiśniewski Grzegorz", a subject, and as keywords the return,
// the tax year and the taxpayer's NIP (the PESEL when the return gives no NIP).
printing::document_info return_document_info(const host::host_state& host,
                                             std::string_view return_name);

class print_driver {
public:
    // Allocates the catalogue's host tables zeroed, makes the direct-print objects on their
    // margin tables with the print options of the settings record, then loads the tables from
    // the settings folder.
    print_driver(host::host_state& host, const std::filesystem::path& settings_folder,
                 const print_catalogue& catalogue);
    ~print_driver();
    print_driver(const print_driver&) = delete;
    print_driver& operator=(const print_driver&) = delete;

    // The direct-print object of the return's pages.
    Zezwyd::Tdrukzez& drukzez() const { return *m_drukzez; }

    // Prints the steps whose box is checked and whose condition holds, each after its prompt
    // under `caption` is answered OK; `done` hears of each page prompted. Page reports are
    // owned by `owner` while they print.
    void run(std::span<const page_step> steps, bool blank_paper, std::string_view caption,
             vcl::TComponent* owner, const std::function<void(const page_progress&)>& done);

    // How page classes are found; replaceable so the driver can be tried with stand-in pages.
    using page_resolver = std::function<const page_class*(std::string_view class_name)>;
    static page_resolver SetPageResolver(page_resolver resolver);

private:
    bool condition_holds(const page_step& step) const;
    void print_report(const page_step& step, vcl::TComponent* owner);

    host::host_state& m_host;
    const print_catalogue& m_catalogue;
    std::vector<std::unique_ptr<host::margin_pair[]>> m_margins;
    std::vector<std::unique_ptr<std::int32_t[]>> m_offsets;
    std::unique_ptr<Zezwyd::Tdrukzez> m_drukzez;
    std::unique_ptr<Wyd28::Twyd28> m_wydp28;
};

} // namespace kestrun
