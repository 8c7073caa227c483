#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/RadioDataManager.h"

// A smaller quarantine than AddressSanitizer's 256 MB: an input frees far less, so a
// use after free within one input is still caught, and the runs go some 40 % faster
// (fewer fresh pages). ASAN_OPTIONS overrides it.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

void FuzzFail(const char* file, int line, const char* rule, const std::string& detail) {
    std::fprintf(stderr, "\n%s:%d: broken: %s\n%s\n", file, line, rule, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

std::vector<std::string> SplitLines(const uint8_t* data, size_t size) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i)
        if (data[i] == '\n') {
            lines.emplace_back(reinterpret_cast<const char*>(data) + start, i - start);
            start = i + 1;
        }
    if (start < size)
        lines.emplace_back(reinterpret_cast<const char*>(data) + start, size - start);
    return lines;
}

std::string Printable(const std::string& text, size_t max) {
    std::string out;
    for (size_t i = 0; i < text.size() && i < max; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    if (text.size() > max)
        out += "...";
    return out;
}

CFuzzDocument::CFuzzDocument(int model)
    : m_document(m_ui, model), m_index(*Registry().RadioData(), model),
      m_makerIndex(*Registry().RadioData(), model, true) {
    m_factory.CopyFrom(Registry().Image());
    m_factoryTexts = Texts(m_index);
}

void CFuzzDocument::Reset() {
    Registry().Image().CopyFrom(m_factory);
    Registry().LoadImageToTree();
}

std::vector<std::string> CFuzzDocument::Texts(const CTreeIndex& index) {
    std::vector<std::string> texts;
    texts.reserve(index.Leaves().size());
    for (const STreeLeaf& leaf : index.Leaves())
        texts.push_back(LeafText(*leaf.node));
    return texts;
}

CFuzzDocument& FuzzDocument(int model) {
    static CFuzzDocument lmr(ModelLMR), pmr(ModelPMR);
    return model == ModelPMR ? pmr : lmr;
}

