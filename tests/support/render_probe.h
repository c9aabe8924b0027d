#pragma once
// What the render tests look at a finished file with: the poppler and qpdf tools, the words a
// PDF shows with their boxes, a scratch folder, a small generated scan.

#include "platform/printing/jpeg_codec.h"
#include "platform/printing/render_target.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <stdexcept>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kestrun::printing::probe {

struct command_result {
    int status = -1;
    std::string output;
};

inline command_result run(const std::string& command)
{
    command_result result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::vector<std::uint8_t> read_bytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct word_box {
    std::string text;
    double x_min, y_min, x_max, y_max; // points from the top-left corner of the page
};

inline std::vector<word_box> words_of(const std::filesystem::path& pdf)
{
    const auto listing = run(std::string(KESTRUN_PDFTOTEXT) + " -bbox '" + pdf.string() + "' -");
    static const std::regex word(
        R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
    std::vector<word_box> words;
    for (std::sregex_iterator it(listing.output.begin(), listing.output.end(), word), end;
         it != end; ++it) {
        const auto& m = *it;
        words.push_back({m[5].str(), std::stod(m[1].str()), std::stod(m[2].str()),
                         std::stod(m[3].str()), std::stod(m[4].str())});
    }
    return words;
}

// A fresh folder under /tmp, removed with everything in it.
class scratch_dir {
public:
    scratch_dir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestrun-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a scratch folder");
        }
        m_path = pattern;
    }
    ~scratch_dir() { std::filesystem::remove_all(m_path); }
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) {
            names.push_back(e.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_path;
};

// A light grey scan with a darker frame, in the proportions of a form page.
inline std::shared_ptr<const jpeg_image> test_scan(int width = 220, int height = 308)
{
    const int stride = width * 4;
    std::vector<std::uint8_t> pixels(std::size_t(stride) * std::size_t(height), 0xE0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (x < 2 || y < 2 || x >= width - 2 || y >= height - 2) {
                std::uint8_t* p =
                    &pixels[std::size_t(y) * std::size_t(stride) + std::size_t(x) * 4];
                p[0] = p[1] = p[2] = 0x40;
            }
        }
    }
    return jpeg_image::from_bytes(encode_jpeg_rgb24(pixels.data(), width, height, stride, {}),
                                  "test scan");
}

constexpr double pt_per_mm = 72.0 / 25.4;

} // namespace kestrun::printing::probe
