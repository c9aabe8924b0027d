#include "platform/printing/cups_library.h"

#include <dlfcn.h>

namespace kestrun::printing::cups {

namespace {

struct library {
    decltype(&::cupsGetDests2) get_dests = nullptr;
    decltype(&::cupsFreeDests) free_dests = nullptr;
    decltype(&::cupsGetDest) get_dest = nullptr;
    decltype(&::cupsPrintFile2) print_file = nullptr;
    decltype(&::cupsLastErrorString) last_error = nullptr;
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
            !bind(handle, "cupsLastErrorString", lib.last_error)) {
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

} // namespace kestrun::printing::cups
