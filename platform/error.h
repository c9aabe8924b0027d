#pragma once
// The one error type of the project. Every failure is an exception of this type with a kind
// that says which exit status and which wording the front end gives it; the message is one
// line that names what is wrong (the JSON path, the record and field, the file).

#include <stdexcept>
#include <string>

namespace kestrun {

enum class error_kind {
    input,  // bad input or usage: a return file, an image, a parameter, an argument (exit 2)
    io,     // the platform's input/output failure: a file that cannot be read or written
    render, // the report engine or a printer failed while printing (exit 1)
    host    // a host operation refused its arguments
};

class error : public std::runtime_error {
public:
    error(error_kind kind, const std::string& message) : std::runtime_error(message), m_kind(kind)
    {
    }
    error_kind kind() const { return m_kind; }

private:
    error_kind m_kind;
};

inline error input_error(const std::string& message)
{
    return {error_kind::input, message};
}
inline error io_error(const std::string& message)
{
    return {error_kind::io, message};
}
inline error render_error(const std::string& message)
{
    return {error_kind::render, message};
}
inline error host_error(const std::string& message)
{
    return {error_kind::host, message};
}

} // namespace kestrun
