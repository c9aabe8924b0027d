#pragma once
// Reading a fuzz input as a sequence of choices followed by packed record images, the way a host
// hands its records over: whatever bytes it has, in the records' own layout; and a scratch
// folder for what a target writes.

#include "host/returnfile/return_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

namespace kestrun::fuzzing {

class fuzz_input {
public:
    fuzz_input(const std::uint8_t* data, std::size_t size) : m_rest(data, size) {}

    // The next byte, or 0 once the input is spent.
    std::uint8_t byte()
    {
        if (m_rest.empty())
            return 0;
        const std::uint8_t b = m_rest.front();
        m_rest = m_rest.subspan(1);
        return b;
    }

    // The records in the order rekzez, rek28, rek_uz, pit28_zal, rekster (rekster only when
    // `with_settings`), each taking the next bytes of the input up to its size, the rest zero: a
    // short input still fills the large declaration first.
    void fill_records(host::host_state& state, bool with_settings)
    {
        using host::record_id;
        for (const auto id : {record_id::rekzez, record_id::rek28, record_id::rek_uz,
                              record_id::pit28_zal, record_id::rekster}) {
            if (id == record_id::rekster && !with_settings)
                continue;
            std::vector<std::uint8_t> image(host::record_size(id));
            const auto n = std::min(image.size(), m_rest.size());
            std::copy_n(m_rest.begin(), n, image.begin());
            m_rest = m_rest.subspan(n);
            host::load_image_bytes(host::record_name(id), image, state);
        }
    }

private:
    std::span<const std::uint8_t> m_rest;
};

// A folder of the process's own for the files a target writes, removed when the process ends.
class scratch_folder {
public:
    explicit scratch_folder(const std::string& target)
        : m_path(std::filesystem::temp_directory_path() /
                 ("kestrun-" + target + "-fuzz-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~scratch_folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace kestrun::fuzzing
