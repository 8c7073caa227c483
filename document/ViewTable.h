// Every view of the desktop program as one table: its tree label and group, the
// title of the right header, the variants that show it, the sheet that shows it and
// how that sheet is laid out, its editor and its place and name in printing. The
// navigation tree, the headers, the right-hand frame, the sheets and printing all
// read it; view ids mean nothing anywhere else.
#pragma once

#include <string>
#include <vector>

struct SCodeSheet;
struct SSettingSheet;

// View ids 0..52 name views; group items carry ids above 255.
enum EViewId {
    kViewNone = 0,
    kViewMemoryLMR = 1,
    kViewMemoryPMR = 2,
    kViewMultiToneFirst = 3, // set 1; sets 1..32 are ids 3..34
    kViewMultiToneLast = 34,
    kViewDtmfTx = 35,
    kViewDtmfRx = 36,
    kViewDtmfTxSys = 37,
    kViewDtmfRxSys = 38,
    kViewDtmfSet = 39,
    kView2ToneRx = 40,
    kView2ToneRxSet = 41,
    kView2ToneTx = 42,
    kView5ToneRx = 43,
    kView5ToneRxSet = 44,
    kView5ToneTx = 45,
    kView5ToneTxSet = 46,
    kView5ToneFormat = 47,
    kView5ToneUserTone = 48,
    kViewKeyDisp = 49,
    kViewCommon = 50,
    kViewExpert = 51,
    kViewMakerReserved = 52,
    kViewLast = 52,
    kGroupCommon = 256,
    kGroupDtmf = 259,
    kGroup2Tone = 261,
    kGroup5Tone = 262,
    kGroupMultiTone = 263,
    kTreeRoot = 304,
};

// What shows a view, and so what its Edit command opens.
enum class ESheetKind { None, Memory, Code, Setting };

// One column of a sheet: title, alignment (0 left, 1 right, 2 centred), the width
// in pixels with its limits, and the width in characters on paper.
struct SViewColumn {
    std::string title;
    int format = 0;
    int width = 0, minimum = 0, maximum = 0;
    int printWidth = 0;
};

struct SViewDef {
    int id = kViewNone;
    std::string label;   // the tree item's text
    std::string title;   // the right header's text
    std::string name;    // the sheet's name: printed pages' header
    unsigned models = 0; // kModelsLMR | kModelsPMR
    int group = kTreeRoot;
    ESheetKind sheet = ESheetKind::None;
    // Views with one slot share one sheet: the 32 multiple-tone sets are one sheet
    // told its set.
    int slot = 0;
    int set = 0;                         // the multiple-tone set 1..32; 0 otherwise
    int memoryModel = 0;                 // Memory: the variant whose columns it shows
    const SCodeSheet* code = nullptr;    // Code: the core's table
    const SSettingSheet* setting = nullptr; // Setting: the core's table
    const char* section = "";            // the profile section of the column widths
    std::vector<SViewColumn> columns;
    bool channelCommands = false; // Prio A .. Insert and the channel context menu
    bool printed = false;         // one of "print all"
    bool makerOnly = false;       // shown only in maker-reserved mode
};

// The views in tree order, which is also the order "print all" prints them.
const std::vector<SViewDef>& Views();
// The view of an id, or null (0 and group ids name no view).
const SViewDef* ViewOf(int id);
// The number of slots of the right-hand frame (slot 0 is the empty view).
int ViewSlotCount();
// The first view of a slot.
const SViewDef* ViewOfSlot(int slot);
// True for 1..52.
bool IsViewId(int id);
// Whether a variant (0 LMR, 1 PMR) shows the view; maker: maker-reserved mode.
bool ViewShown(const SViewDef& view, int model, bool maker);
// The title the right header shows for a view ("Multiple Tone:CH 17"); six blanks
// for view 0 and for ids that name no view.
std::string ViewTitle(int id);
// The memory view of a variant (0 LMR, 1 PMR).
int MemoryViewOf(int model);
// The view ids "print all" prints for a variant, in order.
std::vector<int> PrintAllViews(int model);
