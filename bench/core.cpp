// Timings of the document core: building the tree, decoding, encoding, normalising,
// and loading a data file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "datafile/CloneFileIoManager.h"
#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"

namespace {

void BuildTree(benchmark::State& state) {
    for (auto _ : state) {
        CTolvarRadioDataManager manager;
        manager.Initialize();
        benchmark::DoNotOptimize(manager.NodeCount());
    }
}
BENCHMARK(BuildTree)->Unit(benchmark::kMicrosecond);

void DecodeAll(benchmark::State& state) {
    CScriptedInteraction ui;
    CTolvarDocumentData doc(ui, static_cast<int>(state.range(0)));
    auto& radio = *doc.Registry().RadioData();
    for (auto _ : state)
        radio.LoadFromImage(radio.GetRootNode(), doc.Registry().Image());
}
BENCHMARK(DecodeAll)->Arg(ModelLMR)->Arg(ModelPMR)->Unit(benchmark::kMicrosecond);

void EncodeAllAndNormalise(benchmark::State& state) {
    CScriptedInteraction ui;
    CTolvarDocumentData doc(ui, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        doc.Registry().StoreTreeToImage();
        doc.Registry().Adjust()->Normalise();
    }
}
BENCHMARK(EncodeAllAndNormalise)->Arg(ModelLMR)->Arg(ModelPMR)->Unit(benchmark::kMicrosecond);

void LoadFileAndDecode(benchmark::State& state) {
    CScriptedInteraction ui;
    CTolvarDocumentData doc(ui, ModelLMR);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tolvar-bench-" + std::to_string(::getpid()) + ".zcf"))
                                 .string();
    doc.Save(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.Open(path));
    std::filesystem::remove(path);
}
BENCHMARK(LoadFileAndDecode)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
