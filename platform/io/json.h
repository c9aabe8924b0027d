#pragma once
// Every JSON the project reads (return files, margin tables, layouts, form drawings) is parsed
// here, under one nesting limit: the JSON library copies nested values recursively, so a deeply
// nested document would exhaust the stack long after it was read.

#include <cstddef>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace kestrun::io {

// The deepest nesting any of our documents may have (the top value counts as 1); the deepest
// we write is a return file, five levels.
inline constexpr int json_max_depth = 8;

// The document, or kestrun::error (input) starting with `origin`: "r.json: not valid JSON: ...",
// "r.json: the JSON nests deeper than 8 levels".
nlohmann::json parse_json(std::string_view text, std::string_view origin);

// read_text_file and parse_json in one.
nlohmann::json read_json_file(const std::filesystem::path& file, std::size_t limit,
                              std::string_view what);

} // namespace kestrun::io
