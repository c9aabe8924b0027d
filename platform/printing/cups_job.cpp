// A print job for a CUPS destination: rendered as PDF into a temporary file, which is handed to
// CUPS when the job is complete, so that a failed page never reaches the printer half drawn.

#include "platform/error.h"
#include "platform/printing/cups_library.h"
#include "platform/printing/printers.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace kestrun::printing {

namespace {

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
    }

    std::string m_destination;
    std::string m_title;
    std::filesystem::path m_file;
    std::unique_ptr<render_target> m_pdf;
};

} // namespace

std::unique_ptr<render_target> make_cups_job(std::string destination, std::string title)
{
    return std::make_unique<cups_job>(std::move(destination), std::move(title));
}

} // namespace kestrun::printing
