// Embedded files through qpdf: the PDF syntax of file specifications, name trees and stream
// parameters is the library's, and so is the repair of a damaged document, which here counts as
// damage rather than as something to read past.

#include "platform/printing/pdf_files.h"

#include "platform/error.h"

#include <exception>
#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFCryptoProvider.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace kestrun::printing {

namespace {

// The stream's decoded bytes, up to a limit: a small compressed stream may claim gigabytes.
class capped_sink final : public Pipeline {
public:
    capped_sink(std::string& out, std::size_t limit)
        : Pipeline("embedded file", nullptr), m_out(out), m_limit(limit)
    {
    }
    void write(unsigned char const* data, size_t len) override
    {
        if (len > m_limit - m_out.size()) {
            m_over = true;
            throw std::length_error("embedded file over its limit");
        }
        m_out.append(reinterpret_cast<const char*>(data), len);
    }
    void finish() override {}
    bool over() const { return m_over; }

private:
    std::string& m_out;
    std::size_t m_limit;
    bool m_over = false;
};

std::string md5(const std::string& data)
{
    auto impl = QPDFCryptoProvider::getImpl();
    impl->MD5_init();
    impl->MD5_update(reinterpret_cast<unsigned char const*>(data.data()), data.size());
    impl->MD5_finalize();
    QPDFCryptoImpl::MD5_Digest digest;
    impl->MD5_digest(digest);
    return {reinterpret_cast<const char*>(digest), sizeof digest};
}

[[noreturn]] void refuse(const std::string& origin, const std::string& what)
{
    throw input_error(origin + ": " + what);
}

std::string first_warning(QPDF& pdf)
{
    const auto warnings = pdf.getWarnings();
    return warnings.empty() ? std::string() : warnings.front().getMessageDetail();
}

} // namespace

std::string pdf_date_of(std::string_view iso)
{
    std::string out = "D:";
    for (char c : iso)
        if (c >= '0' && c <= '9')
            out += c;
    return out + "Z";
}

std::vector<std::uint8_t> with_embedded_files(const std::vector<std::uint8_t>& bytes,
                                              const std::vector<embedded_file>& files,
                                              const std::string& pdf_date)
try {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("the document", reinterpret_cast<const char*>(bytes.data()),
                          bytes.size());
    QPDFEmbeddedFileDocumentHelper attachments(pdf);
    auto associated = QPDFObjectHandle::newArray();
    for (const auto& file : files) {
        auto stream = QPDFEFStreamObjectHelper::createEFStream(pdf, file.content);
        stream.setSubtype(file.mime_type).setCreationDate(pdf_date).setModDate(pdf_date);
        auto filespec = QPDFFileSpecObjectHelper::createFileSpec(pdf, file.name, stream);
        filespec.setDescription(file.description);
        filespec.getObjectHandle().replaceKey("/AFRelationship",
                                              QPDFObjectHandle::newName("/Data"));
        attachments.replaceEmbeddedFile(file.name, filespec);
        associated.appendItem(filespec.getObjectHandle());
    }
    pdf.getRoot().replaceKey("/AF", associated);
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setDeterministicID(true);
    writer.write();
    auto buffer = writer.getBufferSharedPointer();
    const auto* start = buffer->getBuffer();
    return {start, start + buffer->getSize()};
} catch (const std::exception& e) {
    throw render_error(std::string("embedding files in the document: ") + e.what());
}

std::string read_embedded_file(const std::uint8_t* bytes, std::size_t size, std::string_view name,
                               std::size_t limit, const std::string& origin)
{
    const std::string file(name);
    std::string content;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(origin.c_str(), reinterpret_cast<const char*>(bytes), size);
        QPDFEmbeddedFileDocumentHelper attachments(pdf);
        const auto filespec = attachments.getEmbeddedFile(file);
        if (pdf.anyWarnings())
            refuse(origin, "the PDF is damaged (" + first_warning(pdf) + ")");
        if (!filespec)
            refuse(origin, "the PDF carries no embedded " + file +
                               " (printed with --no-embed, or not a kestrun --pdf document)");
        auto stream = filespec->getEmbeddedFileStream();
        if (!stream.isStream())
            refuse(origin, "the embedded " + file + " has no content");
        QPDFEFStreamObjectHelper parameters(stream);
        capped_sink sink(content, limit);
        bool ok = false;
        try {
            ok = stream.pipeStreamData(&sink, nullptr, 0, qpdf_dl_generalized, true, false);
        } catch (const std::length_error&) {
            ok = false;
        }
        if (sink.over())
            refuse(origin, "the embedded " + file + " is larger than " +
                               std::to_string(limit >> 20) + " MB");
        if (!ok || pdf.anyWarnings())
            refuse(origin,
                   "the embedded " + file + " is damaged" +
                       (pdf.anyWarnings() ? " (" + first_warning(pdf) + ")" : std::string()));
        // A file cut or altered after printing still reads as a stream; its recorded size and
        // checksum tell it apart from the one the document was printed with.
        if (parameters.getSize() != content.size())
            refuse(origin, "the embedded " + file + " holds " + std::to_string(content.size()) +
                               " bytes where the document records " +
                               std::to_string(parameters.getSize()) + ": it was cut or altered");
        if (parameters.getChecksum() != md5(content))
            refuse(origin, "the embedded " + file +
                               " does not match its recorded checksum: it was altered");
    } catch (const error&) {
        throw;
    } catch (const std::exception& e) {
        refuse(origin, std::string("not a readable PDF (") + e.what() + ")");
    }
    return content;
}

} // namespace kestrun::printing
