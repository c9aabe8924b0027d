// Prints a return file to one PDF: host_app RETURN.json OUT.pdf [preprinted]
#include <iostream>
#include <kestrun/kestrun.h>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: host_app RETURN.json OUT.pdf [preprinted]\n";
        return 2;
    }
    kestrun::print_settings settings;
    if (argc > 3 && std::string(argv[3]) == "preprinted")
        settings.mode = kestrun::paper::preprinted;
    try {
        const auto printed = kestrun::print_return_to_pdf(argv[1], argv[2], settings);
        std::cout << printed.return_name << ": " << printed.pages << " pages\n";
    } catch (const kestrun::print_error& e) {
        std::cerr << e.what() << "\n";
        return e.bad_input() ? 2 : 1;
    }
    return 0;
}
