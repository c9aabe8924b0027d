#pragma once
// The application's printer object and the printer-selection dialog. The printer in use is one
// for the whole application; a job goes to it either whole (a page report's job) or between
// BeginDoc and EndDoc (the host's direct printing draws into Canvas()).

#include "platform/printing/printers.h"
#include "platform/printing/render_target.h"
#include "platform/vcl/classes.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::vcl {

class TPrinter {
public:
    // The printer names, and the index of the printer in use.
    std::vector<std::string> Printers;
    int PrinterIndex = -1;
    // The name of the next job (the unit of the page it prints).
    std::string Title;
    // What a person reads as the job's title in the printer's queue ("PIT-28 1/4 — Łukaszewicz
    // Zbigniew"); the unit's name when empty. Set by whoever knows the run.
    std::string JobTitle;
    // What the PDF printer's file of the next job says of itself ("PIT-28 za 2015 — Łukaszewicz
    // Zbigniew — strona 1/4"); none when the title is empty. Set by whoever knows the run.
    printing::document_info JobInfo;

    // Opens a job on the printer in use; the job's pages are drawn into Canvas(). A job still
    // open is abandoned first.
    void BeginDoc();
    // Completes the open job: the PDF printer writes its file, a CUPS destination receives it.
    // Without an open job there is nothing to do.
    void EndDoc();
    // Drops the open job; nothing of it is printed.
    void Abort();
    bool Printing() const { return m_job != nullptr; }
    // The open job. Throws kestrun::error (render) when none is open.
    printing::render_target& Canvas();

    // One whole job on the printer of `index` for the page of `unit` (the report engine's way).
    std::unique_ptr<printing::render_target> OpenJob(int index, std::string_view unit);

    // Where the PDF printer (and the host's port device) write; the current folder by default.
    void SetOutputFolder(std::filesystem::path folder);
    const std::filesystem::path& OutputFolder() const { return m_folder; }
    // The printers offered; the CUPS default, else "PDF", becomes the printer in use.
    void SetDevices(std::vector<printing::printer_device> devices);
    const std::vector<printing::printer_device>& Devices() const { return m_devices; }
    // Why CUPS could not be reached when the printers were discovered; empty when it answered
    // or was not asked.
    const std::string& CupsUnreachable() const { return m_cups_unreachable; }
    // The index of a printer by its listed name, or of a CUPS destination as "cups:NAME"; -1
    // when there is none.
    int IndexOf(std::string_view name) const;

    // The run document (`print --pdf`): while it is set, every page of every job opened is
    // also drawn into it, in print order, and the built-in PDF printer writes no file of its
    // own per job. A job dropped before it completed spoils it.
    void SetRunDocument(std::unique_ptr<printing::render_target> document,
                        std::filesystem::path file);
    // Takes the run document back (null when none was set), and whether a job was dropped
    // halfway into it.
    std::unique_ptr<printing::render_target> TakeRunDocument(bool& spoiled);

    // How a job is opened on a device; replaceable so that tests can watch or fail jobs.
    // `pdf_file` is the file the PDF printer writes for this job.
    using device_opener = std::function<std::unique_ptr<printing::render_target>(
        const printing::printer_device& device, const std::string& unit,
        const std::filesystem::path& pdf_file)>;
    device_opener SetDeviceOpener(device_opener opener);
    static std::unique_ptr<printing::render_target>
    default_opener(const printing::printer_device& device, const std::string& unit,
                   const std::filesystem::path& pdf_file);

    // Where the last job opened goes (a file, or "cups:NAME"), and how many jobs were opened
    // and completed since the output folder was set.
    const std::string& LastOutput() const { return m_last_output; }
    int JobsOpened() const { return m_jobs_opened; }
    int JobsCompleted() const { return m_jobs_completed; }
    // Jobs completed on every thread's printer since the process began; safe to read from a
    // signal handler.
    static int JobsCompletedInProcess();

private:
    std::unique_ptr<printing::render_target> open(int index, const std::string& unit);

    std::vector<printing::printer_device> m_devices;
    bool m_discovered = false;
    std::string m_cups_unreachable;
    std::filesystem::path m_folder = ".";
    device_opener m_opener;
    std::unique_ptr<printing::render_target> m_job;
    std::string m_last_output;
    std::unique_ptr<printing::render_target> m_document;
    std::filesystem::path m_document_file;
    bool m_document_spoiled = false;
    int m_jobs_opened = 0;
    int m_jobs_completed = 0;

    friend TPrinter* Printer();
};

// The application's printer, one for each thread that prints (a print run keeps to its thread);
// the printer list is discovered on first use.
TPrinter* Printer();
// This thread's printer offers the built-in printers alone, without asking CUPS for its
// destinations: for a run that names a built-in printer, which then neither waits for a CUPS
// server nor loads libcups.
void OfferOnlyTheBuiltInPrinters();

// The platform's printer-selection dialog. Execute lets the user choose among Printer()'s
// printers; a confirmed choice becomes the printer in use.
class TPrintDialog : public TComponent {
public:
    using TComponent::TComponent;
    // The person at the dialog: given the names and the index in use, the chosen index, or
    // nothing for Cancel.
    using chooser =
        std::function<std::optional<int>(const std::vector<std::string>& names, int current)>;
    static chooser SetChooser(chooser c);

    // True when the user confirmed a printer.
    bool Execute();
};

} // namespace kestrun::vcl
