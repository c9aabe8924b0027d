// A print job for a CUPS destination: rendered as PDF into a temporary file, which is handed to
// CUPS when the job is complete, so that a failed page never reaches the printer half drawn.

#include "platform/error.h"
#include "platform/printing/cups_library.h"
#include "platform/printing/printers.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace kestrun::printing {

namespace {

std::atomic<int> job_timeout{default_job_timeout_seconds};

std::filesystem::path temporary_pdf()
{
    std::string name = (std::filesystem::temp_directory_path() / "kestrun-job-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        throw io_error("cannot create a temporary file for a print job in " +
                       std::filesystem::temp_directory_path().string());
    ::close(fd);
    return name;
}

class cups_job final : public render_target {
public:
    cups_job(std::string destination, std::string title)
        : m_destination(std::move(destination)), m_title(std::move(title)), m_file(temporary_pdf()),
          m_pdf(make_pdf_target(m_file))
    {
    }
    ~cups_job() override
    {
        std::error_code ec;
        std::filesystem::remove(m_file, ec);
    }

private:
    void on_begin_page(page_size size) override { m_pdf->begin_page(size); }
    void on_draw_image(const jpeg_image& image, rect_mm where) override
    {
        m_pdf->draw_image(image, where);
    }
    void on_draw_vector(const vector_picture& drawing, rect_mm where) override
    {
        m_pdf->draw_vector(drawing, where);
    }
    void on_draw_text(std::string_view utf8, rect_mm where, const text_style& style) override
    {
        m_pdf->draw_text(utf8, where, style);
    }
    void on_end_page() override { m_pdf->end_page(); }
    void on_describe(const document_info& info) override { m_pdf->describe(info); }
    void on_finish() override
    {
        m_pdf->finish();
        cups_dest_t* dests = nullptr;
        const int count = cups::get_dests(&dests);
        auto slash = m_destination.find('/');
        std::string name = m_destination.substr(0, slash);
        const char* instance =
            slash == std::string::npos ? nullptr : m_destination.c_str() + slash + 1;
        cups_dest_t* dest = cups::get_dest(name.c_str(), instance, count, dests);
        if (!dest) {
            cups::free_dests(count, dests);
            throw render_error("printer " + m_destination + " is no longer offered by CUPS");
        }
        const int job = cups::print_file(dest->name, m_file.c_str(), m_title.c_str(),
                                         dest->num_options, dest->options);
        cups::free_dests(count, dests);
        if (job == 0)
            throw render_error("printer " + m_destination + " refused the job " + m_title + ": " +
                               cups::last_error());
        follow(job);
    }

    // Waits until the printer completed the job. A job the printer aborts, a job canceled, and
    // a job that stays pending on a stopped printer did not print, whatever CUPS took in.
    void follow(int job) const
    {
        using clock = std::chrono::steady_clock;
        const auto deadline = clock::now() + std::chrono::seconds(job_timeout.load());
        auto pause = std::chrono::milliseconds(20);
        for (;;) {
            const auto status = cups::job_state(job);
            if (status.state == IPP_JSTATE_COMPLETED)
                return;
            const bool stopped_printer =
                std::ranges::find(status.reasons, "printer-stopped") != status.reasons.end();
            if (status.state == 0)
                throw render_error("printer " + m_destination + " did not say how the job " +
                                   m_title + " ended: " + cups::last_error());
            if (status.state >= IPP_JSTATE_STOPPED || stopped_printer)
                throw render_error("printer " + m_destination + " did not print the job " +
                                   m_title + " (" + state_name(status.state) +
                                   "): " + reason(status));
            if (clock::now() >= deadline)
                throw render_error("printer " + m_destination + " did not complete the job " +
                                   m_title + " within " + std::to_string(job_timeout.load()) +
                                   " s (--job-timeout); it is still " + state_name(status.state) +
                                   " in the queue");
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(500));
        }
    }

    static std::string state_name(int state)
    {
        switch (state) {
        case IPP_JSTATE_PENDING:
            return "pending";
        case IPP_JSTATE_HELD:
            return "held";
        case IPP_JSTATE_PROCESSING:
            return "processing";
        case IPP_JSTATE_STOPPED:
            return "stopped";
        case IPP_JSTATE_CANCELED:
            return "canceled";
        case IPP_JSTATE_ABORTED:
            return "aborted";
        default:
            return "state " + std::to_string(state);
        }
    }

    // What the printer last said, else the job's reasons as CUPS names them.
    static std::string reason(const cups::job_status& status)
    {
        if (!status.message.empty())
            return status.message;
        std::string joined;
        for (const auto& r : status.reasons)
            if (r != "none")
                joined += (joined.empty() ? "" : ", ") + r;
        return joined.empty() ? "no reason given" : joined;
    }

    std::string m_destination;
    std::string m_title;
    std::filesystem::path m_file;
    std::unique_ptr<render_target> m_pdf;
};

} // namespace

void set_job_timeout(int seconds)
{
    job_timeout.store(seconds);
}

std::unique_ptr<render_target> make_cups_job(std::string destination, std::string title)
{
    return std::make_unique<cups_job>(std::move(destination), std::move(title));
}

} // namespace kestrun::printing
