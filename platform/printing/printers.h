#pragma once
// The printers a print job can go to: the CUPS destinations (none when no server answers) and
// the built-in printer "PDF", which writes each job as its own PDF file.

#include "platform/printing/render_target.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::printing {

enum class device_kind { pdf, cups };

struct printer_device {
    std::string name; // as listed and chosen
    device_kind kind = device_kind::pdf;
    bool is_default = false; // the CUPS default destination
};

inline constexpr const char* pdf_printer_name = "PDF";
// A CUPS destination is always found as "cups:NAME", and listed so when its own name is taken
// by the built-in printer.
inline constexpr std::string_view cups_prefix = "cups:";

struct discovered_printers {
    std::vector<printer_device> devices;
    // Why CUPS could not be reached ("/run/cups/cups.sock: No such file or directory"); empty
    // when it answered or was not asked.
    std::string cups_unreachable;
};

// The CUPS destinations in the order CUPS gives them, then the built-in PDF printer; no two
// have the same name. Setting KESTRUN_NO_CUPS in the environment leaves CUPS out (tests, and
// machines whose CUPS client would wait for an absent server).
discovered_printers discover_printers();

// The CUPS destinations named by CUPS (NAME or NAME/INSTANCE), listed beside the built-in
// printer: a destination keeps its own name unless that is the built-in printer's (in any case,
// as CUPS ignores case) or already listed, and is then listed as "cups:NAME".
std::vector<printer_device> name_devices(std::vector<printer_device> cups_destinations);
// The CUPS destination of a device as CUPS names it.
std::string cups_queue(const printer_device& device);

// A job for a CUPS destination: the pages are rendered into a PDF, which finish() submits to
// the destination through libcups, then follows until the printer completed it, so that the
// next page's sheet never races a printer still busy with this one. Throws kestrun::error
// (render) naming the job, the destination and the printer's reason when the job is refused,
// aborted, canceled or stopped, or not completed within the job timeout.
std::unique_ptr<render_target> make_cups_job(std::string destination, std::string title);

// How long a CUPS job may take to complete, for every run of the process (300 s unless set).
inline constexpr int default_job_timeout_seconds = 300;
void set_job_timeout(int seconds);

} // namespace kestrun::printing
