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

// The CUPS destinations in the order CUPS gives them, then the built-in PDF printer; no two
// have the same name. Setting KESTRUN_NO_CUPS in the environment leaves CUPS out (tests, and
// machines whose CUPS client would wait for an absent server).
std::vector<printer_device> discover_printers();

// The CUPS destinations named by CUPS (NAME or NAME/INSTANCE), listed beside the built-in
// printer: a destination keeps its own name unless that is the built-in printer's (in any case,
// as CUPS ignores case) or already listed, and is then listed as "cups:NAME".
std::vector<printer_device> name_devices(std::vector<printer_device> cups_destinations);
// The CUPS destination of a device as CUPS names it.
std::string cups_queue(const printer_device& device);

// A job for a CUPS destination: the pages are rendered into a PDF, which finish() submits to
// the destination through libcups. Throws kestrun::error (render) naming the destination and
// CUPS's reason when the job is refused.
std::unique_ptr<render_target> make_cups_job(std::string destination, std::string title);

} // namespace kestrun::printing
