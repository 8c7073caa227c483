#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "datamodel/DataManagers.h"
#include "document/NavigationTree.h"
#include "document/PrintOrder.h"
#include "document/ViewTable.h"

namespace {

std::vector<int> Range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The print-all order of a variant: common settings, memory, the 32 tone sets, DTMF,
// then the variant's 2Tone or 5Tone views.
std::vector<int> FixedOrder(int model) {
    return model == ModelLMR
               ? Join({{49, 50, 51, 1}, Range(3, 34), {36, 35, 38, 37, 39, 40, 41, 42}})
               : Join(
                     {{49, 50, 51, 2}, Range(3, 34), {36, 35, 38, 37, 39, 43, 44, 45, 46, 47, 48}});
}

} // namespace

// Each variant prints in the fixed order every view its tree shows, but the
// maker-reserved one.
TEST(PrintOrder, EachVariantPrintsTheViewsItsTreeShowsInTheFixedOrder) {
    for (int model : {ModelLMR, ModelPMR}) {
        SCOPED_TRACE(model);
        const std::vector<int> order = PrintAllViews(model);
        EXPECT_EQ(order, FixedOrder(model));
        std::set<int> shown;
        for (const SNavItem& item : NavigationItems(model, true))
            if (IsViewId(item.id) && item.id != kViewMakerReserved)
                shown.insert(item.id);
        for (int set = 1; set <= 32; ++set)
            shown.insert(kViewMultiToneFirst + set - 1);
        EXPECT_EQ(std::set<int>(order.begin(), order.end()), shown);
    }
}

TEST(PrintQueue, PrintAllExpandsToTheVariantsListAndOtherIdsGoAlone) {
    CPrintQueue queue;
    EXPECT_EQ(queue.QueueLength(), 0);
    ASSERT_TRUE(queue.AddToQueue(17, ModelPMR));
    ASSERT_TRUE(queue.AddToQueue(CPrintQueue::kPrintAll, ModelPMR));
    const std::vector<int> expected = Join({{17}, FixedOrder(ModelPMR)});
    EXPECT_EQ(queue.Entries(), expected);
    EXPECT_EQ(queue.QueueLength(), static_cast<int>(expected.size()));
    queue.ClearQueue();
    EXPECT_EQ(queue.QueueLength(), 0);
    EXPECT_TRUE(queue.Entries().empty());
}

// The queue refuses what would fill its hundred entries.
TEST(PrintQueue, RefusesWhatWouldFillAHundredEntries) {
    struct SCase {
        int model, before, id; // before: single ids queued first
        bool taken;
    };
    const int all = CPrintQueue::kPrintAll;
    // LMR prints 44 views, PMR 47.
    const SCase cases[] = {{ModelLMR, 98, 5, true},   {ModelLMR, 99, 5, false},
                           {ModelLMR, 55, all, true}, {ModelLMR, 56, all, false},
                           {ModelPMR, 52, all, true}, {ModelPMR, 53, all, false}};
    for (const SCase& c : cases) {
        CPrintQueue queue;
        for (int i = 0; i < c.before; ++i)
            ASSERT_TRUE(queue.AddToQueue(1, c.model));
        const int added = c.id == all ? (c.model == ModelLMR ? 44 : 47) : 1;
        EXPECT_EQ(queue.AddToQueue(c.id, c.model), c.taken) << c.before << " " << c.id;
        EXPECT_EQ(queue.QueueLength(), c.before + (c.taken ? added : 0));
    }
}
