#include "ViewTable.h"

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/SettingSheets.h"

namespace {

constexpr const char* kBlankTitle = "      ";
constexpr int kMultiToneSets = kViewMultiToneLast - kViewMultiToneFirst + 1;

struct SRow {
    int id;
    const char* label;
    const char* title;
    unsigned models;
    int group;
    ESheetKind sheet;
};

// The views in tree order; the multiple-tone sets are made from one row.
// clang-format off
const SRow kRows[] = {
    {kViewMakerReserved, "Maker Reserved", "Maker Reserved", kModelsBoth, kTreeRoot, ESheetKind::Setting},
    {kViewKeyDisp, "Key&Display", "Common Setting:Key && Display Assign", kModelsBoth, kGroupCommon, ESheetKind::Setting},
    {kViewCommon, "Common", "Common Setting:Common", kModelsBoth, kGroupCommon, ESheetKind::Setting},
    {kViewExpert, "Expert", "Common Setting:Expert", kModelsBoth, kGroupCommon, ESheetKind::Setting},
    {kViewMemoryLMR, "Memory CH", "Memory", kModelsLMR, kTreeRoot, ESheetKind::Memory},
    {kViewMemoryPMR, "Memory CH", "Memory", kModelsPMR, kTreeRoot, ESheetKind::Memory},
    {kViewMultiToneFirst, "CH %d", "Multiple Tone:CH %d", kModelsBoth, kGroupMultiTone, ESheetKind::Code},
    {kViewDtmfRx, "RX Code CH", "DTMF:RX Code", kModelsBoth, kGroupDtmf, ESheetKind::Code},
    {kViewDtmfTx, "TX Code CH(Autodial)", "DTMF:TX Code", kModelsBoth, kGroupDtmf, ESheetKind::Code},
    {kViewDtmfRxSys, "RX System Code", "DTMF:RX System Code", kModelsBoth, kGroupDtmf, ESheetKind::Code},
    {kViewDtmfTxSys, "TX System Code", "DTMF:TX System Code", kModelsBoth, kGroupDtmf, ESheetKind::Code},
    {kViewDtmfSet, "DTMF Setting", "DTMF Setting", kModelsBoth, kGroupDtmf, ESheetKind::Setting},
    {kView2ToneRx, "RX Code CH", "2Tone:RX Code", kModelsLMR, kGroup2Tone, ESheetKind::Code},
    {kView2ToneRxSet, "RX Code Setting", "2Tone:RX Code Setting", kModelsLMR, kGroup2Tone, ESheetKind::Setting},
    {kView2ToneTx, "TX Code", "2Tone:TX Code", kModelsLMR, kGroup2Tone, ESheetKind::Setting},
    {kView5ToneRx, "RX Code CH", "5Tone:RX Code", kModelsPMR, kGroup5Tone, ESheetKind::Code},
    {kView5ToneRxSet, "RX Code Setting", "5Tone:RX Code Setting", kModelsPMR, kGroup5Tone, ESheetKind::Setting},
    {kView5ToneTx, "TX Code CH", "5Tone:TX Code", kModelsPMR, kGroup5Tone, ESheetKind::Code},
    {kView5ToneTxSet, "TX Code Setting", "5Tone:TX Code Setting", kModelsPMR, kGroup5Tone, ESheetKind::Setting},
    {kView5ToneFormat, "Format", "5Tone:Format", kModelsPMR, kGroup5Tone, ESheetKind::Code},
    {kView5ToneUserTone, "User Tone", "5Tone:User Tone", kModelsPMR, kGroup5Tone, ESheetKind::Code},
};
// clang-format on

std::string Format(const char* pattern, int n) {
    std::string text = pattern;
    if (const size_t at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(n));
    return text;
}

void AddMemory(SViewDef& view) {
    view.memoryModel = view.id == kViewMemoryPMR ? ModelPMR : ModelLMR;
    view.name = "Memory Channel";
    view.section = view.memoryModel == ModelPMR ? "Column_MchPMRSheet" : "Column_MchLMRSheet";
    view.channelCommands = true;
    bool first = true;
    for (const SSheetColumn& column : ChannelSheetColumns(view.memoryModel)) {
        view.columns.push_back({column.title, 0, column.width, first ? 40 : 30, first ? 100 : 200,
                                column.printWidth});
        first = false;
    }
}

void AddCode(SViewDef& view) {
    view.code = CodeSheetOf(view.id);
    view.name = view.set > 0 ? std::string(view.code->name) + " " + std::to_string(view.set)
                             : std::string(view.code->name);
    view.section = view.code->section;
    for (const SCodeColumn& c : view.code->columns)
        view.columns.push_back({c.title, c.format, c.width, c.minimum, c.maximum, c.printWidth});
}

void AddSetting(SViewDef& view) {
    view.setting = SettingSheetOf(view.id);
    view.name = view.setting->title;
    view.section = view.setting->section;
    const auto column = [](const char* title, const SSettingColumn& c) {
        return SViewColumn{title, 0, c.width, c.minimum, c.maximum, c.printWidth};
    };
    view.columns = {column("", view.setting->name), column("Value", view.setting->value)};
}

std::vector<SViewDef> MakeViews() {
    std::vector<SViewDef> views;
    int slot = 0;
    for (const SRow& row : kRows) {
        ++slot;
        const int sets = row.id == kViewMultiToneFirst ? kMultiToneSets : 1;
        for (int set = 1; set <= sets; ++set) {
            SViewDef view;
            view.id = row.id + set - 1;
            view.set = sets > 1 ? set : 0;
            view.label = Format(row.label, set);
            view.title = Format(row.title, set);
            view.models = row.models;
            view.group = row.group;
            view.sheet = row.sheet;
            view.slot = slot;
            view.makerOnly = row.id == kViewMakerReserved;
            view.printed = !view.makerOnly;
            switch (row.sheet) {
            case ESheetKind::Memory: AddMemory(view); break;
            case ESheetKind::Code: AddCode(view); break;
            case ESheetKind::Setting: AddSetting(view); break;
            case ESheetKind::None: break;
            }
            views.push_back(std::move(view));
        }
    }
    return views;
}

} // namespace

const std::vector<SViewDef>& Views() {
    static const std::vector<SViewDef> views = MakeViews();
    return views;
}

const SViewDef* ViewOf(int id) {
    for (const SViewDef& view : Views())
        if (view.id == id) return &view;
    return nullptr;
}

int ViewSlotCount() {
    return Views().back().slot + 1;
}

const SViewDef* ViewOfSlot(int slot) {
    for (const SViewDef& view : Views())
        if (view.slot == slot) return &view;
    return nullptr;
}

bool IsViewId(int id) {
    return id >= 1 && id <= kViewLast;
}

bool ViewShown(const SViewDef& view, int model, bool maker) {
    return (view.models & ModelMaskOf(model)) && (maker || !view.makerOnly);
}

std::string ViewTitle(int id) {
    const SViewDef* view = ViewOf(id);
    return view ? view->title : kBlankTitle;
}

int MemoryViewOf(int model) {
    return model == ModelPMR ? kViewMemoryPMR : kViewMemoryLMR;
}

std::vector<int> PrintAllViews(int model) {
    std::vector<int> ids;
    for (const SViewDef& view : Views())
        if (view.printed && ViewShown(view, model, false)) ids.push_back(view.id);
    return ids;
}
