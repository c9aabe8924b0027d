// kestrun: prints the 2015 PIT-28, PIT-36, PIT-36L and PIT-37 returns page by page.

#include "apps/kestrun/commands.h"
#include "framework/module.h"
#include "platform/error.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace {

void add_return_options(CLI::App& cmd, kestrun::cli::return_source& source, bool file_positional)
{
    if (file_positional)
        cmd.add_option("return", source.file, "the return file (JSON)");
    cmd.add_option("--image", source.images,
                   "NAME=FILE: a packed record image replacing that record (rek28, rekzez, "
                   "rek_uz, pit28_zal, rekster)");
}

void add_page_options(CLI::App& cmd, std::map<std::string, std::optional<int>>& params)
{
    cmd.add_option("--nrp", params["nrp"], "the person: 1 taxpayer, 2 spouse");
    cmd.add_option("--nr", params["nr"], "the first entry the sheet shows");
    cmd.add_option("--ilb", params["ilb"], "the number of PIT/B sheets of the person");
    cmd.add_option("--nrsp", params["nrsp"], "the PIT-28/B partnership, 1 to 4");
}

kestrun::cli::page_parameters given(const std::map<std::string, std::optional<int>>& params)
{
    kestrun::cli::page_parameters out;
    for (const auto& [name, value] : params)
        if (value)
            out[name] = *value;
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"kestrun: prints the 2015 PIT-28, PIT-36, PIT-36L and PIT-37 returns"};
    app.require_subcommand(1);

    std::string class_name;
    std::filesystem::path out;
    kestrun::cli::return_source source;
    std::map<std::string, std::optional<int>> params;

    auto* fields = app.add_subcommand("fields", "fill a page without printing; its fields as JSON");
    fields->add_option("class", class_name, "the page report class (TF_w2k15_1 ...)")->required();
    add_return_options(*fields, source, true);
    add_page_options(*fields, params);

    auto* page = app.add_subcommand("page", "print one page to a PDF or PNG file");
    page->add_option("class", class_name, "the page report class (TF_w2k15_1 ...)")->required();
    add_return_options(*page, source, true);
    add_page_options(*page, params);
    page->add_option("--out", out, "FILE.pdf or FILE.png")->required();

    std::filesystem::path return_file;
    auto* encode = app.add_subcommand("encode", "write the packed record images of a return");
    encode->add_option("return", return_file, "the return file (JSON)")->required();
    encode->add_option("--out", out, "the folder for the images")->required();

    auto* decode = app.add_subcommand("decode", "the return file of packed record images");
    add_return_options(*decode, source, false);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "kestrun: " << e.what() << " (try --help)\n";
        return 2;
    }

    kestrun::Initialize();
    int status = 2;
    try {
        if (*fields)
            status = kestrun::cli::fields(class_name, source, given(params));
        else if (*page)
            status = kestrun::cli::page(class_name, source, given(params), out);
        else if (*encode)
            status = kestrun::cli::encode(return_file, out);
        else if (*decode)
            status = kestrun::cli::decode(source);
    } catch (const kestrun::error& e) {
        std::cerr << "kestrun: " << e.what() << "\n";
        status =
            e.kind() == kestrun::error_kind::render || e.kind() == kestrun::error_kind::io ? 1 : 2;
    } catch (const std::exception& e) {
        std::cerr << "kestrun: " << e.what() << "\n";
        status = 1;
    }
    kestrun::Finalize();
    return status;
}
