#include "platform/vcl/printer.h"

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/vcl/trace.h"

#include <atomic>
#include <cstdio>

namespace kestrun::vcl {

namespace {

// One printer object per print run: a run owns its thread, so two returns printing side by side
// in one process never share the printer in use, its output folder, its open job or its opener.
thread_local TPrinter the_printer;
// Jobs completed by every run of the process: what a signal reports as printed.
std::atomic<int> completed_in_process{0};

// A job that counts itself completed once its file is written or its destination took it, and
// draws each of its pages into the run document too, when there is one.
class counted_job final : public printing::render_target {
public:
    counted_job(std::unique_ptr<printing::render_target> job, int& completed,
                printing::render_target* document, bool& spoiled)
        : m_job(std::move(job)), m_completed(completed), m_document(document), m_spoiled(spoiled)
    {
    }
    ~counted_job() override
    {
        if (m_document && !m_done)
            m_spoiled = true;
    }

private:
    void on_begin_page(printing::page_size size) override
    {
        m_job->begin_page(size);
        if (m_document)
            m_document->begin_page(size);
    }
    void on_draw_image(const printing::jpeg_image& image, printing::rect_mm where) override
    {
        m_job->draw_image(image, where);
        if (m_document)
            m_document->draw_image(image, where);
    }
    void on_draw_vector(const printing::vector_picture& drawing, printing::rect_mm where) override
    {
        m_job->draw_vector(drawing, where);
        if (m_document)
            m_document->draw_vector(drawing, where);
    }
    void on_draw_text(std::string_view utf8, printing::rect_mm where,
                      const printing::text_style& style) override
    {
        m_job->draw_text(utf8, where, style);
        if (m_document)
            m_document->draw_text(utf8, where, style);
    }
    void on_end_page() override
    {
        m_job->end_page();
        if (m_document)
            m_document->end_page();
    }
    void on_finish() override
    {
        // The page's file takes its name and the page counts as printed together: a signal
        // meanwhile waits, so the pages a signal reports are the pages on the disk.
        const io::signals_deferred together;
        m_job->finish();
        m_done = true;
        ++m_completed;
        ++completed_in_process;
    }

    std::unique_ptr<printing::render_target> m_job;
    int& m_completed;
    printing::render_target* m_document;
    bool& m_spoiled;
    bool m_done = false;
};

// The built-in printer's job while a run document takes its pages: nothing of its own.
class no_file final : public printing::render_target {
    void on_begin_page(printing::page_size) override {}
    void on_draw_image(const printing::jpeg_image&, printing::rect_mm) override {}
    void on_draw_vector(const printing::vector_picture&, printing::rect_mm) override {}
    void on_draw_text(std::string_view, printing::rect_mm, const printing::text_style&) override {}
    void on_end_page() override {}
    void on_finish() override {}
};

TPrintDialog::chooser& the_chooser()
{
    thread_local TPrintDialog::chooser c;
    return c;
}

} // namespace

int TPrinter::JobsCompletedInProcess()
{
    return completed_in_process.load();
}

TPrinter* Printer()
{
    if (!the_printer.m_discovered) {
        auto found = printing::discover_printers();
        the_printer.SetDevices(std::move(found.devices));
        the_printer.m_cups_unreachable = std::move(found.cups_unreachable);
    }
    return &the_printer;
}

void OfferOnlyTheBuiltInPrinters()
{
    the_printer.SetDevices(printing::name_devices({}));
}

void TPrinter::SetDevices(std::vector<printing::printer_device> devices)
{
    m_discovered = true;
    m_devices = std::move(devices);
    Printers.clear();
    PrinterIndex = -1;
    for (std::size_t i = 0; i < m_devices.size(); ++i) {
        Printers.push_back(m_devices[i].name);
        if (m_devices[i].is_default && PrinterIndex < 0)
            PrinterIndex = static_cast<int>(i);
    }
    if (PrinterIndex < 0)
        PrinterIndex = IndexOf(printing::pdf_printer_name);
}

int TPrinter::IndexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < Printers.size(); ++i)
        if (Printers[i] == name)
            return static_cast<int>(i);
    if (name.starts_with(printing::cups_prefix)) {
        const auto queue = name.substr(printing::cups_prefix.size());
        for (std::size_t i = 0; i < m_devices.size(); ++i) {
            const auto& d = m_devices[i];
            if (d.kind == printing::device_kind::cups && printing::cups_queue(d) == queue)
                return static_cast<int>(i);
        }
    }
    return -1;
}

void TPrinter::SetRunDocument(std::unique_ptr<printing::render_target> document,
                              std::filesystem::path file)
{
    m_document = std::move(document);
    m_document_file = std::move(file);
    m_document_spoiled = false;
}

std::unique_ptr<printing::render_target> TPrinter::TakeRunDocument(bool& spoiled)
{
    spoiled = m_document_spoiled;
    m_document_spoiled = false;
    m_document_file.clear();
    return std::move(m_document);
}

void TPrinter::SetOutputFolder(std::filesystem::path folder)
{
    m_folder = std::move(folder);
    m_jobs_opened = 0;
    m_jobs_completed = 0;
}

TPrinter::device_opener TPrinter::SetDeviceOpener(device_opener opener)
{
    auto previous = std::move(m_opener);
    m_opener = std::move(opener);
    return previous;
}

std::unique_ptr<printing::render_target>
TPrinter::default_opener(const printing::printer_device& device, const std::string& unit,
                         const std::filesystem::path& pdf_file)
{
    if (device.kind == printing::device_kind::cups)
        return printing::make_cups_job(printing::cups_queue(device), unit);
    return printing::make_pdf_target(pdf_file);
}

std::unique_ptr<printing::render_target> TPrinter::open(int index, const std::string& unit)
{
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        throw render_error("no printer number " + std::to_string(index) + " to print " + unit +
                           " on (" + std::to_string(m_devices.size()) + " printers)");
    const auto& device = m_devices[static_cast<std::size_t>(index)];
    char number[16];
    std::snprintf(number, sizeof number, "%03d-", m_jobs_opened + 1);
    auto file = m_folder / (number + unit + ".pdf");
    const bool cups = device.kind == printing::device_kind::cups;
    std::unique_ptr<printing::render_target> own;
    if (m_document && !cups)
        own = std::make_unique<no_file>();
    else if (m_opener)
        own = m_opener(device, unit, file);
    else if (cups && !JobTitle.empty())
        // A person reads the job's title in the queue; the PDF printer names its file by the unit.
        own = printing::make_cups_job(printing::cups_queue(device), JobTitle);
    else
        own = default_opener(device, unit, file);
    if (!JobInfo.title.empty())
        own->describe(JobInfo);
    auto job = std::make_unique<counted_job>(std::move(own), m_jobs_completed, m_document.get(),
                                             m_document_spoiled);
    ++m_jobs_opened;
    m_last_output = cups ? std::string(printing::cups_prefix) + printing::cups_queue(device)
                    : m_document != nullptr ? m_document_file.string()
                                            : file.string();
    return job;
}

std::unique_ptr<printing::render_target> TPrinter::OpenJob(int index, std::string_view unit)
{
    return open(index, std::string(unit));
}

void TPrinter::BeginDoc()
{
    m_job.reset();
    m_job = open(PrinterIndex, Title.empty() ? std::string("job") : Title);
}

void TPrinter::EndDoc()
{
    trace::emit("end_doc");
    if (!m_job)
        return;
    auto job = std::move(m_job);
    job->finish();
}

void TPrinter::Abort()
{
    m_job.reset();
}

printing::render_target& TPrinter::Canvas()
{
    if (!m_job)
        throw render_error("nothing is being printed: BeginDoc was not called");
    return *m_job;
}

TPrintDialog::chooser TPrintDialog::SetChooser(chooser c)
{
    auto previous = std::move(the_chooser());
    the_chooser() = std::move(c);
    return previous;
}

bool TPrintDialog::Execute()
{
    auto* printer = Printer();
    if (!the_chooser())
        return false;
    auto chosen = the_chooser()(printer->Printers, printer->PrinterIndex);
    if (!chosen)
        return false;
    if (*chosen < 0 || *chosen >= static_cast<int>(printer->Printers.size()))
        return false;
    printer->PrinterIndex = *chosen;
    return true;
}

} // namespace kestrun::vcl
