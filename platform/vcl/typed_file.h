#pragma once
// The runtime's typed files: a file of fixed-size records, opened with a record size, read and
// written a record at a time. Every failure raises the input/output exception (kestrun::error
// of kind io) naming the file and the operation.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace kestrun::vcl {

class TTypedFile {
public:
    TTypedFile() = default;
    ~TTypedFile();
    TTypedFile(const TTypedFile&) = delete;
    TTypedFile& operator=(const TTypedFile&) = delete;

    void AssignFile(std::filesystem::path path);
    // Opens the existing file for reading and writing, at record 0; the file is not created.
    void Reset(std::size_t record_size);
    // Creates the file (or empties it) for reading and writing, at record 0.
    void Rewrite(std::size_t record_size);
    void Seek(std::int64_t record);
    // Exactly one record.
    void Write(std::span<const std::uint8_t> record);
    void Read(std::span<std::uint8_t> record);
    void CloseFile();

    bool IsOpen() const { return m_fd >= 0; }

private:
    void open(int flags, std::size_t record_size, const char* operation);
    void check_open(const char* operation) const;

    std::filesystem::path m_path;
    int m_fd = -1;
    std::size_t m_record_size = 0;
    std::int64_t m_position = 0;
};

} // namespace kestrun::vcl
