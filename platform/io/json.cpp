#include "platform/io/json.h"

#include "platform/error.h"
#include "platform/io/files.h"

namespace kestrun::io {

namespace {

// nlohmann's messages start with "[json.exception.parse_error.101] ".
std::string parser_message(const std::exception& e)
{
    std::string m = e.what();
    if (m.starts_with("[json.exception.")) {
        const auto end = m.find("] ");
        if (end != std::string::npos) {
            m.erase(0, end + 2);
        }
    }
    return m;
}

std::string with_origin(std::string_view origin, const std::string& message)
{
    return origin.empty() ? message : std::string(origin) + ": " + message;
}

struct too_deep {};

} // namespace

nlohmann::json parse_json(std::string_view text, std::string_view origin)
{
    using json = nlohmann::json;
    const auto limit_depth = [](int depth, json::parse_event_t event, json&) {
        if ((event == json::parse_event_t::object_start ||
             event == json::parse_event_t::array_start) &&
            depth >= json_max_depth) {
            throw too_deep{};
        }
        return true;
    };
    try {
        return json::parse(text.begin(), text.end(), limit_depth);
    } catch (const too_deep&) {
        throw input_error(with_origin(origin, "the JSON nests deeper than " +
                                                  std::to_string(json_max_depth) + " levels"));
    } catch (const json::exception& e) {
        throw input_error(with_origin(origin, "not valid JSON: " + parser_message(e)));
    }
}

nlohmann::json read_json_file(const std::filesystem::path& file, std::size_t limit,
                              std::string_view what)
{
    return parse_json(read_text_file(file, limit, what), file.string());
}

} // namespace kestrun::io
