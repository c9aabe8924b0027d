#pragma once
// The host's direct printing: a print job that prints a page's data alone onto the official
// pre-printed form, each field moved by the host's stored margin for that page. On a printer of
// the platform the page is a job of Printer() that the caller ends with EndDoc; through the
// host's own port (the print-port flag) the sheet goes to the port device, a file in the output
// folder, and is ejected with a form feed.

#include "host/tamdor/libr.h"
#include "platform/vcl/classes.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kestrun::host {
class host_state;
}

namespace Proc_dr {

// The port device's file in the output folder.
inline constexpr const char* port_file_name = "port.prn";

class tdruk : public kestrun::vcl::TObject {
public:
    // `margins` is the host's margin table for the object's pages, allocated by the caller before
    // the object and filled before the first page. The four print options come from the settings
    // record (dr_port, dr_opt1, dr_opt2, dr_opt3).
    tdruk(kestrun::host::host_state& host, const kestrun::host::margin_pair* margins,
          std::string object_name, bool dr_port, std::uint8_t dr_opt1, std::uint8_t dr_opt2,
          std::int16_t dr_opt3);
    ~tdruk() override;

    // Resets the job for a new page.
    void inic_dr(int n);
    // Starts the page.
    void start_dr_win();

    // The page method of that name with its arguments (the table of direct pages says which
    // page it prints, with which parameters and which margin): the data alone onto the started
    // page.
    void page_method(std::string_view method, std::span<const int> args);
    void page_method(std::string_view method, std::initializer_list<int> args = {})
    {
        page_method(method, std::span<const int>(args.begin(), args.size()));
    }

    bool dr_port() const { return m_dr_port; }
    // The settings record's print options as the object was made with them; a port or printer
    // driver of the host reads them, the page methods do not.
    std::uint8_t dr_opt1() const { return m_dr_opt1; }
    std::uint8_t dr_opt2() const { return m_dr_opt2; }
    std::int16_t dr_opt3() const { return m_dr_opt3; }
    // Objects alive now on this thread; a print run leaves none behind.
    static int live_objects();

protected:
    // Writes the port's sheet and a form feed.
    void eject_sheet();

private:
    kestrun::host::host_state& m_host;
    const kestrun::host::margin_pair* m_margins;
    std::string m_object;
    bool m_dr_port;
    std::uint8_t m_dr_opt1, m_dr_opt2;
    std::int16_t m_dr_opt3;
    bool m_started = false;
};

} // namespace Proc_dr
