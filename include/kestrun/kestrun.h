#pragma once
// The kestrun library as a host links it: print a 2015 PIT-28, PIT-36, PIT-36L or PIT-37 return
// file, with its attachments, to one PDF in one call. Needs C++17 and nothing else.

#include <filesystem>
#include <kestrun/export.h>
#include <stdexcept>
#include <string>

namespace kestrun {

enum class paper {
    blank,     // the official form's drawing with the data over it
    preprinted // the data alone, for forms already printed on the paper
};

struct print_settings {
    paper mode = paper::blank;
    // The folder of the host's settings file zbster and its margin tables; empty: a fresh
    // folder for this call alone, with the host's default settings.
    std::filesystem::path settings_folder;
    // The document carries the return file it was printed from (an embedded return.json) and the
    // print choices (print.json); off for a document that must not hold personal data.
    bool embed_return = true;
};

struct print_summary {
    std::string return_name; // "PIT-28", "PIT-36", "PIT-36L" or "PIT-37"
    int pages = 0;           // the pages of the document
};

// Why a call failed: a return file or argument that is wrong (bad_input, a command line's
// exit 2), or a failure while printing (exit 1). The message names what is wrong, one line per
// fault.
class KESTRUN_API print_error : public std::runtime_error {
public:
    print_error(const std::string& message, bool bad_input);
    bool bad_input() const noexcept { return m_bad_input; }

private:
    bool m_bad_input;
};

// Prints the return in `return_json` to the PDF file `pdf`, every page of the return's print
// dialog in order, as a user would print it: the dialog of the return it holds (PIT-28 when it
// holds rek28, otherwise rekzez.rodz_zez 0 PIT-36, 1 PIT-37, 2 PIT-36L), every page box as the
// dialog checks it, every prompt answered OK. The file is written whole at the end or not at all.
// Throws print_error.
KESTRUN_API print_summary print_return_to_pdf(const std::filesystem::path& return_json,
                                              const std::filesystem::path& pdf,
                                              const print_settings& settings = {});

// The return file embedded in a PDF that print_return_to_pdf (or `kestrun print --pdf`) wrote:
// the JSON text, checked as a return file is, which prints the same document again. A PDF
// without it, damaged, or whose embedded file was cut or altered is refused: print_error, bad
// input, naming the file and what is wrong.
KESTRUN_API std::string return_from_pdf(const std::filesystem::path& pdf);

// The library's version, "MAJOR.MINOR.PATCH".
KESTRUN_API const char* version() noexcept;

} // namespace kestrun
