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

// A job that counts itself completed once its file is written or its destination took it.
class counted_job final : public printing::render_target {
public:
    counted_job(std::unique_ptr<printing::render_target> job, int& completed)
        : m_job(std::move(job)), m_completed(completed)
    {
    }

private:
    void on_begin_page(printing::page_size size) override { m_job->begin_page(size); }
    void on_draw_image(const printing::jpeg_image& image, printing::rect_mm where) override
    {
        m_job->draw_image(image, where);
    }
    void on_draw_vector(const printing::vector_picture& drawing, printing::rect_mm where) override
    {
        m_job->draw_vector(drawing, where);
    }
    void on_draw_text(std::string_view utf8, printing::rect_mm where,
                      const printing::text_style& style) override
    {
        m_job->draw_text(utf8, where, style);
    }
    void on_end_page() override { m_job->end_page(); }
    void on_finish() override
    {
        // The page's file takes its name and the page counts as printed together: a signal
        // meanwhile waits, so the pages a signal reports are the pages on the disk.
        const io::signals_deferred together;
        m_job->finish();
        ++m_completed;
        ++completed_in_process;
    }

    std::unique_ptr<printing::render_target> m_job;
    int& m_completed;
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
    if (!the_printer.m_discovered)
        the_printer.SetDevices(printing::discover_printers());
    return &the_printer;
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
    return -1;
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
        return printing::make_cups_job(device.name, unit);
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
    auto job = std::make_unique<counted_job>(
        (m_opener ? m_opener : device_opener(&default_opener))(device, unit, file),
        m_jobs_completed);
    ++m_jobs_opened;
    m_last_output =
        device.kind == printing::device_kind::cups ? "cups:" + device.name : file.string();
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
