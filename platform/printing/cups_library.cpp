#include "platform/printing/cups_library.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kestrun::printing::cups {

namespace {

struct library {
    decltype(&::cupsGetDests2) get_dests = nullptr;
    decltype(&::cupsFreeDests) free_dests = nullptr;
    decltype(&::cupsGetDest) get_dest = nullptr;
    decltype(&::cupsPrintFile2) print_file = nullptr;
    decltype(&::cupsLastErrorString) last_error = nullptr;
    decltype(&::cupsLastError) last_status = nullptr;
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::ippNewRequest) new_request = nullptr;
    decltype(&::ippAddString) add_string = nullptr;
    decltype(&::ippAddStrings) add_strings = nullptr;
    decltype(&::cupsDoRequest) do_request = nullptr;
    decltype(&::ippFindAttribute) find_attribute = nullptr;
    decltype(&::ippGetCount) get_count = nullptr;
    decltype(&::ippGetInteger) get_integer = nullptr;
    decltype(&::ippGetString) get_string = nullptr;
    decltype(&::ippDelete) delete_ipp = nullptr;
    std::string missing; // why libcups could not be used
};

template <typename F> bool bind(void* handle, const char* name, F& into)
{
    into = reinterpret_cast<F>(dlsym(handle, name));
    return into != nullptr;
}

const library& cups()
{
    static const library loaded = [] {
        library lib;
        // Loaded once and kept: CUPS keeps per-thread state in it for the life of the process.
        void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* why = dlerror();
            lib.missing = why != nullptr ? why : "libcups.so.2 cannot be loaded";
            return lib;
        }
        if (!bind(handle, "cupsGetDests2", lib.get_dests) ||
            !bind(handle, "cupsFreeDests", lib.free_dests) ||
            !bind(handle, "cupsGetDest", lib.get_dest) ||
            !bind(handle, "cupsPrintFile2", lib.print_file) ||
            !bind(handle, "cupsLastErrorString", lib.last_error) ||
            !bind(handle, "cupsLastError", lib.last_status) ||
            !bind(handle, "cupsServer", lib.server) || !bind(handle, "ippPort", lib.port) ||
            !bind(handle, "ippNewRequest", lib.new_request) ||
            !bind(handle, "ippAddString", lib.add_string) ||
            !bind(handle, "ippAddStrings", lib.add_strings) ||
            !bind(handle, "cupsDoRequest", lib.do_request) ||
            !bind(handle, "ippFindAttribute", lib.find_attribute) ||
            !bind(handle, "ippGetCount", lib.get_count) ||
            !bind(handle, "ippGetInteger", lib.get_integer) ||
            !bind(handle, "ippGetString", lib.get_string) ||
            !bind(handle, "ippDelete", lib.delete_ipp)) {
            lib = library{};
            lib.missing = "libcups.so.2 lacks the functions print jobs need";
        }
        return lib;
    }();
    return loaded;
}

} // namespace

int get_dests(cups_dest_t** dests)
{
    *dests = nullptr;
    return cups().get_dests != nullptr ? cups().get_dests(CUPS_HTTP_DEFAULT, dests) : 0;
}

void free_dests(int count, cups_dest_t* dests)
{
    if (cups().free_dests != nullptr)
        cups().free_dests(count, dests);
}

cups_dest_t* get_dest(const char* name, const char* instance, int count, cups_dest_t* dests)
{
    return cups().get_dest != nullptr ? cups().get_dest(name, instance, count, dests) : nullptr;
}

int print_file(const char* name, const char* file, const char* title, int num_options,
               cups_option_t* options)
{
    return cups().print_file != nullptr
               ? cups().print_file(CUPS_HTTP_DEFAULT, name, file, title, num_options, options)
               : 0;
}

std::string last_error()
{
    if (cups().last_error == nullptr)
        return cups().missing;
    const char* text = cups().last_error();
    return text != nullptr ? text : "";
}

std::string connect_failure(const std::string& server, int port)
{
    int err = 0;
    if (server.starts_with("/")) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (server.size() >= sizeof address.sun_path)
            return server + ": the socket path is too long";
        server.copy(address.sun_path, server.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return server + ": " + std::strerror(errno);
        const bool connected =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        err = errno;
        ::close(fd);
        return server + ": " + (connected ? "the server did not answer" : std::strerror(err));
    }
    auto host = server;
    auto service = std::to_string(port);
    if (const auto colon = server.rfind(':');
        colon != std::string::npos && server.find(':') == colon) {
        host = server.substr(0, colon);
        service = server.substr(colon + 1);
    }
    const auto where = host + ":" + service;
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int gai = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); gai != 0)
        return where + ": " + ::gai_strerror(gai);
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            err = errno;
            continue;
        }
        const bool connected = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
        err = connected ? 0 : errno;
        ::close(fd);
        if (connected)
            break;
    }
    ::freeaddrinfo(found);
    return err != 0 ? where + ": " + std::strerror(err) : where + ": the server did not answer";
}

std::string unreachable()
{
    if (cups().last_status == nullptr)
        return cups().missing;
    if (cups().last_status() != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return {};
    return connect_failure(cups().server(), cups().port());
}

job_status job_state(int job_id)
{
    job_status status;
    if (cups().new_request == nullptr)
        return status;
    const auto uri = "ipp://localhost/jobs/" + std::to_string(job_id);
    ipp_t* request = cups().new_request(IPP_OP_GET_JOB_ATTRIBUTES);
    cups().add_string(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    const char* const wanted[] = {"job-state", "job-state-reasons", "job-printer-state-message"};
    cups().add_strings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                       nullptr, wanted);
    ipp_t* response = cups().do_request(CUPS_HTTP_DEFAULT, request, "/");
    if (response == nullptr)
        return status;
    if (auto* a = cups().find_attribute(response, "job-state", IPP_TAG_ENUM))
        status.state = cups().get_integer(a, 0);
    if (auto* a = cups().find_attribute(response, "job-state-reasons", IPP_TAG_KEYWORD))
        for (int i = 0; i < cups().get_count(a); ++i)
            if (const char* reason = cups().get_string(a, i, nullptr))
                status.reasons.emplace_back(reason);
    if (auto* a = cups().find_attribute(response, "job-printer-state-message", IPP_TAG_TEXT))
        if (const char* text = cups().get_string(a, 0, nullptr))
            status.message = text;
    cups().delete_ipp(response);
    return status;
}

} // namespace kestrun::printing::cups
