#include "FieldFacts.h"

#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/RadioDataManager.h"

namespace {

constexpr const char* kChannels = "Mch.";

// The sheet's column of a path under Mch: channel fields by their name, the
// group's own fields (Prio A, emergency) only as the attribute column.
std::string SheetTitle(const STreeLeaf& leaf) {
    const std::string& path = leaf.path;
    if (path.rfind(kChannels, 0) != 0)
        return {};
    const std::string rest = path.substr(std::string(kChannels).size());
    const size_t dot = rest.find('.');
    const bool channelField = rest.rfind("CH", 0) == 0 && dot != std::string::npos;
    const SSheetColumn* column =
        ChannelSheetColumnOf(leaf.model, channelField ? rest.substr(dot + 1) : rest);
    if (!column || (column->kind == ESheetColumn::Attr) == channelField)
        return {};
    return column->title;
}

void DescribeText(const CStringNode& text, SFieldFacts& facts) {
    facts.kind = "text";
    facts.length = text.MaxLength();
    facts.fixedLength = text.FixedLength();
    if (const SCharset* charset = text.Charset())
        facts.charset = charset->description;
}

void DescribeFrequency(const CFreqNode& freq, SFieldFacts& facts) {
    facts.kind = "frequency";
    int low = 0, high = 0;
    freq.EntryRange(low, high);
    facts.ranged = true;
    facts.min = static_cast<double>(low) / freq.GetScale();
    facts.max = static_cast<double>(high) / freq.GetScale();
    facts.unit = freq.Unit();
    facts.raster = freq.Raster();
}

void DescribeNumber(const CNumNode& num, SFieldFacts& facts) {
    for (const auto& option : num.Options())
        facts.options.push_back(option.first);
    if (num.Codes()) {
        facts.kind = "tone";
    } else if (!facts.options.empty()) {
        facts.kind = "option list";
    } else {
        facts.kind = "number";
        facts.ranged = true;
        facts.min = num.Minimum();
        facts.max = num.Maximum();
    }
    facts.accepts = num.AcceptsShowing(facts.shownAs);
}

} // namespace

SFieldFacts DescribeField(const CTolvarRadioDataManager& manager, const STreeLeaf& leaf) {
    SFieldFacts facts;
    const CNode& node = *leaf.node;
    facts.models = manager.GetNodeInfo(&node).models;
    facts.title = SheetTitle(leaf);
    const std::string field = leaf.path.substr(leaf.path.rfind('.') + 1);
    for (const SSheetRename& rename : SheetRenames())
        if (field == rename.field && (rename.models & ModelMaskOf(leaf.model)))
            facts.shownAs.emplace_back(rename.own, rename.shown);
    facts.accepts = node.Accepts();
    if (const auto* text = dynamic_cast<const CStringNode*>(&node))
        DescribeText(*text, facts);
    else if (const auto* freq = dynamic_cast<const CFreqNode*>(&node))
        DescribeFrequency(*freq, facts);
    else if (const auto* num = dynamic_cast<const CNumNode*>(&node))
        DescribeNumber(*num, facts);
    if (facts.kind.empty())
        facts.kind = "number";
    return facts;
}
