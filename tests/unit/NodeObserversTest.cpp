#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datamodel/nodes/ValueNodes.h"

namespace {

// root > group > (num, str); root > freq
struct STree {
    STree() {
        root.AddChild(&group);
        group.AddChild(&num);
        group.AddChild(&str);
        root.AddChild(&freq);
    }
    CNode root{"R"}, group{"G"};
    CNumNode num{"N"};
    CStringNode str{"S"};
    CFreqNode freq{"F"};
};

TEST(NodeChange, ToldOncePerActualChangeToEveryAncestor) {
    STree t;
    std::vector<CNode*> atRoot, atGroup;
    const auto rootSubscription = t.root.Subscribe([&](CNode& n) { atRoot.push_back(&n); });
    const auto groupSubscription = t.group.Subscribe([&](CNode& n) { atGroup.push_back(&n); });
    const struct {
        const char* what;
        std::function<void()> change;
        CNode* told; // null: nobody is told
    } cases[] = {
        {"a new value", [&] { t.num.SetValue(5); }, &t.num},
        {"the same value", [&] { t.num.SetValue(5); }, nullptr},
        {"a value clamped to the maximum", [&] { t.num.SetValue(999); }, &t.num},
        {"another value clamped to the same maximum", [&] { t.num.SetValue(1000); }, nullptr},
        {"the default", [&] { t.num.Reset(); }, &t.num},
        {"a new range value", [&] { t.num.SetRange(7, 0, 0, 9); }, &t.num},
        {"a text", [&] { t.str.SetString("a  "); }, &t.str},
        {"the same text but for trailing blanks", [&] { t.str.SetText("a"); }, nullptr},
        {"a frequency outside the group", [&] { t.freq.SetText("145.125"); }, &t.freq},
        {"the frequency it shows", [&] { t.freq.SetFreqText("145.12500"); }, nullptr},
        {"a refused option text", [&] { t.num.SetText("nonsense"); }, nullptr},
    };
    for (const auto& c : cases) {
        atRoot.clear(), atGroup.clear();
        c.change();
        const std::vector<CNode*> expected =
            c.told ? std::vector<CNode*>{c.told} : std::vector<CNode*>{};
        EXPECT_EQ(atRoot, expected) << c.what;
        const bool inGroup = c.told && c.told->GetParent() == &t.group;
        EXPECT_EQ(atGroup, inGroup ? expected : std::vector<CNode*>{}) << c.what;
    }
}

TEST(NodeChange, EndingASubscriptionStopsTheCalls) {
    STree t;
    int told = 0;
    const auto count = [&](CNode&) { ++told; };
    const auto change = [&] { t.num.SetValue(t.num.GetValue() + 1); };

    CNodeSubscription reset = t.root.Subscribe(count);
    change();
    EXPECT_EQ(told, 1);
    reset.Reset();
    EXPECT_FALSE(reset.IsActive());
    {
        const CNodeSubscription scoped = t.root.Subscribe(count);
        EXPECT_TRUE(scoped.IsActive());
    }
    CNodeSubscription moved = t.root.Subscribe(count);
    CNodeSubscription target = std::move(moved);
    EXPECT_FALSE(moved.IsActive());
    EXPECT_TRUE(target.IsActive());
    change();
    EXPECT_EQ(told, 2); // only the moved subscription is left
    target = CNodeSubscription();
    change();
    EXPECT_EQ(told, 2);
    EXPECT_FALSE(CNodeObservers::AnyLive());
}

TEST(NodeChange, ASubscriptionMayOutliveItsNode) {
    CNodeSubscription subscription;
    {
        STree t;
        subscription = t.num.Subscribe([](CNode&) {});
        EXPECT_TRUE(CNodeObservers::AnyLive());
    }
    EXPECT_FALSE(subscription.IsActive());
    EXPECT_FALSE(CNodeObservers::AnyLive());
    subscription.Reset(); // nothing left to end
}

TEST(NodeChange, ObserversMaySubscribeAndUnsubscribeDuringACall) {
    STree t;
    std::vector<std::string> calls;
    CNodeSubscription once, added;
    once = t.root.Subscribe([&](CNode&) {
        calls.push_back("once");
        once.Reset(); // ends itself during its own call
        added = t.root.Subscribe([&](CNode&) { calls.push_back("added"); });
    });
    const auto steady = t.root.Subscribe([&](CNode&) { calls.push_back("steady"); });
    t.num.SetValue(1);
    EXPECT_EQ(calls, (std::vector<std::string>{"once", "steady"}));
    calls.clear();
    t.num.SetValue(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"steady", "added"}));
}

} // namespace
