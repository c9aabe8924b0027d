#pragma once
// Files carried inside a PDF document: added to a document the PDF target wrote, and read back
// from a document a user hands in, which may be damaged, cut short or altered by hand. C++17:
// qpdf's headers do not compile as C++20 with clang, so their one user here is built as C++17.

#include "platform/printing/render_target.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::printing {

// The document with `files` embedded, each related to it as its data source (/AF, Data), with
// its MIME type, size, MD5 checksum and `pdf_date` ("D:20160101000000Z") as its dates; written
// again with a document ID made from the content, so the same document gives the same bytes.
// Throws kestrun::error (render) when the document cannot be read back.
std::vector<std::uint8_t> with_embedded_files(const std::vector<std::uint8_t>& pdf,
                                              const std::vector<embedded_file>& files,
                                              const std::string& pdf_date);

// The content of the embedded file `name` of a PDF, no longer than `limit` bytes. A PDF that
// cannot be read, is damaged anywhere (the reader had to repair it), carries no such file, or
// whose file is cut, larger than `limit` or does not match its recorded size and checksum is
// refused: kestrun::error (input), one line starting with `origin`.
std::string read_embedded_file(const std::uint8_t* pdf, std::size_t size, std::string_view name,
                               std::size_t limit, const std::string& origin);

// "D:YYYYMMDDHHMMSSZ" of an ISO 8601 UTC date "YYYY-MM-DDTHH:MM:SSZ".
std::string pdf_date_of(std::string_view iso_date);

} // namespace kestrun::printing
