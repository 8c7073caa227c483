// Timings of the document core: building the tree, decoding, encoding, normalising,
// loading a data file, and comparing two documents as the sheets show them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "datafile/CloneFileIoManager.h"
#include "datamodel/DataManagers.h"
#include "document/Compare.h"
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

// Two documents of the variants given whose every channel differs (the worst case a
// compare window or a verify meets), then the same document twice.
void CompareDocuments(benchmark::State& state) {
    CScriptedInteraction ui;
    CTolvarDocumentData a(ui, ModelLMR), b(ui, static_cast<int>(state.range(0)));
    for (int ch = 1; ch <= 32; ++ch) {
        CNode* holder = a.Registry().Model()->GetNodeByPath("Mch.CH" + std::to_string(ch));
        holder->FindChild("ChOn")->SetValue(1);
        holder->FindChild("FreqRx")->SetText(std::to_string(140 + ch) + ".125");
    }
    CTolvarDocumentData& other = state.range(1) ? a : b;
    size_t found = 0;
    for (auto _ : state)
        found = CompareSheets(a.Registry(), other.Registry()).size();
    state.counters["differences"] = static_cast<double>(found);
}
BENCHMARK(CompareDocuments)
    ->Args({ModelLMR, 0})
    ->Args({ModelPMR, 0})
    ->Args({ModelLMR, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
