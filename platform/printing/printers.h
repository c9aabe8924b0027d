#pragma once
// The printers a print job can go to: the CUPS destinations (none when no server answers) and
// the built-in printer "PDF", which writes each job as its own PDF file.

#include "platform/printing/render_target.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kestrun::printing {

enum class device_kind { pdf, cups };

struct printer_device {
    std::string name;
    device_kind kind = device_kind::pdf;
    bool is_default = false; // the CUPS default destination
};

inline constexpr const char* pdf_printer_name = "PDF";

// The CUPS destinations in the order CUPS gives them, then the built-in PDF printer. Setting
// KESTRUN_NO_CUPS in the environment leaves CUPS out (tests, and machines whose CUPS client
// would wait for an absent server).
std::vector<printer_device> discover_printers();

// A job for a CUPS destination: the pages are rendered into a PDF, which finish() submits to
// the destination through libcups. Throws kestrun::error (render) naming the destination and
// CUPS's reason when the job is refused.
std::unique_ptr<render_target> make_cups_job(std::string destination, std::string title);

} // namespace kestrun::printing
