// Filling one page from the records: the before-print handler of every exported page report
// on records full of values, the page created once and filled again and again.

#include "framework/module.h"
#include "framework/page_report.h"
#include "host/returnfile/return_file.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

const std::filesystem::path examples = KESTRUN_SOURCE_DIR "/examples";

void fill(benchmark::State& state, const kestrun::page_class* cls, std::filesystem::path file)
{
    kestrun::host::host_state host;
    kestrun::host::load_return_file(file, host);
    kestrun::page_instance page(*cls, nullptr, host);
    for (const char* name : {"nrp", "nrsp", "nr", "ilb"})
        if (int* p = page->parameter(name))
            *p = 1;
    for (auto _ : state) {
        page->Prepare();
        benchmark::DoNotOptimize(page->DB_dane().Children().data());
    }
    state.counters["fields"] = static_cast<double>(page->DB_dane().Children().size() - 1);
}

// One benchmark per exported page, on the example return that carries it.
[[maybe_unused]] const bool registered = [] {
    kestrun::Initialize();
    for (const auto& cls : kestrun::page_classes()) {
        auto file = examples / (cls.unit.starts_with("W28") ? "pit28.json" : "pit36_joint.json");
        if (!std::filesystem::exists(file))
            continue;
        benchmark::RegisterBenchmark(("fill/" + std::string(cls.class_name)).c_str(), fill, &cls,
                                     file)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
