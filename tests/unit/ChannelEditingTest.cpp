// The channel sheets' operations on the tree: the clipboard record, clearing,
// deleting and inserting with Prio A and the emergency channel following the move.
#include <gtest/gtest.h>

#include "datamodel/EditHistory.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"

namespace {

struct SChannels {
    explicit SChannels(int model = 0) : document(ui, model), editor(document.Registry()) {
        // Channels 1..32 in use, each with its own receive frequency and name.
        for (int n = 1; n <= 32; ++n) Fill(n);
    }
    void Fill(int n) {
        CNode& holder = *editor.Holder(n);
        holder.FindChild("ChOn")->SetValue(1);
        holder.FindChild("FreqRx")->SetText(std::to_string(400 + n) + ".125");
        holder.FindChild("Text")->SetText("NAME " + std::to_string(n));
    }
    std::string Name(int n) { return editor.Holder(n)->FindChild("Text")->GetText(); }
    bool InUse(int n) { return editor.Holder(n)->FindChild("ChOn")->GetValue() == 1; }

    CScriptedInteraction ui;
    CTolvarDocumentData document;
    CChannelEditor editor;
};

} // namespace

TEST(ChannelEditing, DeleteAndInsertMoveChannelsAndRenumber) {
    const struct {
        bool insert;
        int row, prioA, emr;
        int prioAfter, emrAfter;
    } cases[] = {
        {false, 5, 9, 5, 8, 5},   // above moves up; on the deleted row stays
        {false, 5, 4, 32, 4, 31}, // below stays; the last one moves up
        {true, 5, 9, 5, 10, 6},   // at and below the inserted row move down
        {true, 5, 4, 32, 4, 32},  // the last channel keeps its number
        {true, 1, 0, 0, 0, 0},    // none stays none
    };
    for (const auto& c : cases) {
        SChannels s;
        s.editor.SetPrioA(c.prioA);
        s.editor.SetEmergency(c.emr);
        s.ui.answers = {EAnswer::Yes};
        ASSERT_TRUE(c.insert ? s.editor.InsertChannel(c.row) : s.editor.DeleteChannel(c.row));
        EXPECT_EQ(s.editor.PrioA(), c.prioAfter) << c.insert << " " << c.row;
        EXPECT_EQ(s.editor.Emergency(), c.emrAfter) << c.insert << " " << c.row;
        if (c.insert) {
            EXPECT_FALSE(s.InUse(c.row));
            EXPECT_EQ(s.Name(c.row + 1), "NAME " + std::to_string(c.row));
            EXPECT_EQ(s.Name(32), "NAME 31");
        } else {
            EXPECT_EQ(s.Name(c.row), "NAME " + std::to_string(c.row + 1));
            EXPECT_EQ(s.Name(31), "NAME 32");
            EXPECT_FALSE(s.InUse(32));
        }
        ASSERT_EQ(s.ui.boxes.size(), 1u);
        EXPECT_EQ(s.ui.boxes[0].text,
                  c.insert ? "CH overflow\nLast channel will be deleted." : "Delete CH ?");
    }
}

TEST(ChannelEditing, AnsweringNoOrABlankChannelAskNothingMore) {
    SChannels s;
    s.ui.answers = {EAnswer::No, EAnswer::No};
    EXPECT_FALSE(s.editor.DeleteChannel(3));
    EXPECT_FALSE(s.editor.InsertChannel(3));
    EXPECT_EQ(s.Name(3), "NAME 3");
    EXPECT_EQ(s.Name(32), "NAME 32");
    // A blank channel is deleted without a question; a free last channel lets an insert
    // go on without one.
    ASSERT_TRUE(s.editor.ClearChannel(32));
    ASSERT_TRUE(s.editor.ClearChannel(7));
    s.ui.boxes.clear();
    EXPECT_TRUE(s.editor.DeleteChannel(7));
    EXPECT_TRUE(s.editor.InsertChannel(2));
    EXPECT_TRUE(s.ui.boxes.empty());
    EXPECT_FALSE(s.editor.DeleteChannel(0));
    EXPECT_FALSE(s.editor.InsertChannel(33));
}

TEST(ChannelEditing, TheRecordCarriesAChannelAndRefusesWhatIsNotOne) {
    for (int model : {0, 1}) {
        SChannels s(model);
        CNode& from = *s.editor.Holder(3);
        from.FindChild("CTonRx")->SetValue(3754);
        from.FindChild("ScrmCode")->SetValue(77);
        const ChannelRecord record = CopyChannelRecord(from);
        ASSERT_TRUE(PasteChannelRecord(*s.editor.Holder(9), record.data(), record.size()));
        CTreeIndex index(*s.document.Registry().RadioData(), model);
        for (const STreeLeaf* leaf : index.Below("Mch.CH3")) {
            const std::string field = leaf->path.substr(leaf->path.rfind('.'));
            EXPECT_EQ(LeafText(*index.Find("Mch.CH9" + field)->node), LeafText(*leaf->node))
                << field;
        }
        // A record of another size pastes nothing.
        EXPECT_FALSE(PasteChannelRecord(*s.editor.Holder(10), record.data(), record.size() - 1));
        EXPECT_EQ(s.Name(10), "NAME 10");
        // Texts without terminators are read only up to their field's size.
        ChannelRecord foreign = record;
        std::fill(foreign.begin() + 112, foreign.begin() + 164, 'X');
        std::fill(foreign.begin() + 4, foreign.begin() + 54, '9');
        ASSERT_TRUE(PasteChannelRecord(*s.editor.Holder(11), foreign.data(), foreign.size()));
        EXPECT_LE(s.Name(11).size(), 52u);
        EXPECT_EQ(s.editor.Holder(11)->FindChild("FreqRx")->GetText(), "799.99500");
    }
}

TEST(ChannelEditing, ClearingGivesTheBlankTemplate) {
    SChannels s;
    ASSERT_TRUE(s.editor.ClearChannel(4));
    const ChannelRecord blank = CopyChannelRecord(*s.editor.Holder(0));
    EXPECT_EQ(CopyChannelRecord(*s.editor.Holder(4)), blank);
    EXPECT_FALSE(s.InUse(4));
    EXPECT_TRUE(s.document.Registry().Document()->IsModified());
}

// Blocks: one question naming the channels in use, none for blank ones; a paste that
// would run past the last channel is refused with the reason.
TEST(ChannelEditing, BlocksAskOnceAndRefuseWhatDoesNotFit) {
    SChannels s;
    std::vector<uint8_t> three;
    for (int n : {1, 2, 3}) {
        const ChannelRecord record = CopyChannelRecord(*s.editor.Holder(n));
        three.insert(three.end(), record.begin(), record.end());
    }
    std::string refusal;
    EXPECT_FALSE(s.editor.PasteChannels(31, three.data(), three.size(), refusal));
    EXPECT_EQ(refusal, "3 channels pasted at CH 31 would run past CH 32: select CH 30 or a "
                       "channel above it.");
    EXPECT_FALSE(s.editor.PasteChannels(1, three.data(), 500, refusal));
    EXPECT_TRUE(s.ui.boxes.empty());

    s.ui.answers = {EAnswer::No, EAnswer::No, EAnswer::No};
    s.editor.ClearChannel(11);
    EXPECT_FALSE(s.editor.PasteChannels(10, three.data(), three.size(), refusal));
    EXPECT_FALSE(s.editor.ClearChannels({21, 20}));
    EXPECT_FALSE(s.editor.DeleteChannels({22, 11, 21}));
    ASSERT_EQ(s.ui.boxes.size(), 3u);
    EXPECT_EQ(s.ui.boxes[0].text, "Paste 3 channels into CH 10-12?\nCH 10, 12 are in use and will be replaced.");
    EXPECT_EQ(s.ui.boxes[1].text, "Clear CH 20, 21 ?");
    EXPECT_EQ(s.ui.boxes[2].text, "Delete CH 11, 21, 22 ?");
    EXPECT_EQ(s.Name(10), "NAME 10");

    s.ui.answers = {EAnswer::Yes};
    ASSERT_TRUE(s.editor.DeleteChannels({22, 11, 21}));
    EXPECT_EQ(s.Name(11), "NAME 12");
    EXPECT_EQ(s.Name(20), "NAME 23");
    EXPECT_FALSE(s.InUse(30));
    EXPECT_EQ(s.document.Registry().History().UndoName(), "Delete CH 11, 21, 22");
    // Blank channels go without a question.
    s.ui.boxes.clear();
    EXPECT_TRUE(s.editor.PasteChannels(30, three.data(), three.size(), refusal));
    EXPECT_TRUE(s.ui.boxes.empty());
    EXPECT_EQ(s.Name(32), "NAME 3");
}
