// Read, write and information as user operations: the simulated repeater on a line
// with a test clock, the exact questions, texts, icons and beeps, and what happens to
// the image and the document.
#include <gtest/gtest.h>

#include <ostream>

#include <chrono>

#include "CloneFakeLine.h"
#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/Messages.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
#include "simulator/SimulatedRepeater.h"

namespace {

using Beeps = std::vector<std::pair<int, int>>;
const Beeps kSuccessBeeps = {{1000, 50}, {1000, 50}};
const Beeps kFailureBeeps = {{500, 400}, {500, 400}, {500, 400}, {500, 400}};

// The simulated repeater behind a port that keeps the test clock's time; opening
// and its failure as the scripted line's.
class CSimLinePort : public CFakePort {
public:
    CSimLinePort(CSimulatedRepeater& repeater, SFakeLine& line)
        : CFakePort(line), m_rep(repeater), m_line(line) {}
    bool Write(const uint8_t* data, size_t length) override {
        m_line.writes.emplace_back(data, data + length);
        m_rep.Receive(data, length, m_speed, Now());
        return true;
    }
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override {
        count = m_rep.Output().Take(buffer, std::min<size_t>(maxLength, 256), Now(), m_speed);
        return count > 0;
    }
    bool WaitReadable(int timeoutMs) override {
        const auto next = m_rep.Output().NextArrival();
        const auto until = Now() + std::chrono::milliseconds(timeoutMs);
        if (next && *next <= until) {
            m_line.clock.now = std::max<uint64_t>(
                m_line.clock.now,
                std::chrono::duration_cast<std::chrono::milliseconds>(next->time_since_epoch())
                    .count());
            return true;
        }
        m_line.clock.now += static_cast<uint64_t>(timeoutMs);
        return false;
    }

protected:
    bool OpenPort(const std::string& name, uint32_t speed, uint32_t size) override {
        m_rep.Output().Clear();
        return CFakePort::OpenPort(name, speed, size);
    }

private:
    CSimulatedRepeater::Clock::time_point Now() const {
        return CSimulatedRepeater::Clock::time_point(std::chrono::milliseconds(m_line.clock.now));
    }
    CSimulatedRepeater& m_rep;
    SFakeLine& m_line;
};

class CloneRsIoManagerTest : public ::testing::Test {
public:
    void SetUp() override {
        doc = std::make_unique<CTolvarDocumentData>(ui, 0, &host);
        Io().SetClock(line.clock);
        Io().Engine().SetPortMaker([this](const std::string&) -> std::unique_ptr<CSerialPort> {
            if (scripted)
                return std::make_unique<CFakePort>(line);
            return std::make_unique<CSimLinePort>(repeater, line);
        });
        repeater.onLog = [this](const std::string& text) { log.push_back(text); };
        before.CopyFrom(Image());
    }

    CTolvarCloneRsIoManager& Io() { return doc->RsIo(); }
    CEepromImage& Image() { return doc->Registry().Image(); }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes)
            texts.push_back(box.text);
        return texts;
    }
    static std::vector<std::string> Texts(const std::vector<EMsg>& ids) {
        std::vector<std::string> texts;
        for (EMsg id : ids)
            texts.push_back(LoadMessage(id));
        return texts;
    }
    bool UserAreaEquals(const CEepromImage& a, const CEepromImage& b) {
        for (uint32_t addr = 0xA0; addr < 0x1A00; ++addr)
            if (a.GetByte(addr) != b.GetByte(addr))
                return false;
        return true;
    }

    CScriptedInteraction ui;
    CPlainDocumentHost host;
    std::unique_ptr<CTolvarDocumentData> doc;
    CSimulatedRepeater repeater;
    SFakeLine line;
    bool scripted = false;
    std::vector<std::string> log;
    CEepromImage before;
};

TEST_F(CloneRsIoManagerTest, ReadTakesTheRepeatersImageAndModel) {
    repeater.LoadFactoryImage(ModelPMR);
    CEepromImage image = repeater.Image();
    image.Write(0x1480, reinterpret_cast<const uint8_t*>("REPEATER 1"), 10);
    repeater.SetImage(image);

    EXPECT_EQ(Io().Read(), ECloneResult::Ok);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.statusTexts, Texts({EMsg::NowReading, EMsg::CloningCompleted}));
    EXPECT_EQ(ui.beeps, kSuccessBeeps);
    EXPECT_EQ(doc->GetModel(), ModelPMR);
    EXPECT_TRUE(UserAreaEquals(Image(), repeater.Image()));
    EXPECT_TRUE(host.modified);
    EXPECT_GE(host.viewUpdates, 1);
    EXPECT_EQ(ui.progressBegun, 1);
    EXPECT_EQ(ui.progress.back(), 100);
}

TEST_F(CloneRsIoManagerTest, ReadNormalisesTheReceivedChannels) {
    // The document has channel 1 on; the repeater only channel 5.
    doc->Registry().Model()->GetNodeByPath("Mch.CH1.ChOn")->SetValue(1);
    repeater.LoadFactoryImage(ModelLMR);
    CEepromImage image = repeater.Image();
    const uint8_t record[4] = {0x01, 0x45, 0x12, 0x50};
    image.Write(0x200 + 32 * 4, record, 4);
    image.SetByte(0x120, 0x1F);
    repeater.SetImage(image);

    ASSERT_EQ(Io().Read(), ECloneResult::Ok);
    EXPECT_EQ(Image().GetByte(0x120), 4);
    EXPECT_EQ(doc->Registry().Model()->GetNodeByPath("Mch.CH1.ChOn")->GetValue(), 0);
}

struct SFailCase {
    const char* name;
    std::function<void(CloneRsIoManagerTest&)> setup;
    ECloneResult result;
    std::vector<EMsg> status;
    std::vector<std::string> boxes;
    EIcon icon;
    bool information = false; // the information instead of a read, which beeps nothing
};
void PrintTo(const SFailCase& c, std::ostream* os) { *os << c.name; }

class FailureTest : public CloneRsIoManagerTest, public ::testing::WithParamInterface<SFailCase> {};

TEST_P(FailureTest, LeavesImageAndDocumentAlone) {
    const SFailCase& c = GetParam();
    c.setup(*this);
    EXPECT_EQ(c.information ? Io().Information() : Io().Read(), c.result);
    EXPECT_EQ(ui.statusTexts, Texts(c.status));
    EXPECT_EQ(BoxTexts(), c.boxes);
    EXPECT_EQ(ui.boxes.empty() ? EIcon::None : ui.boxes.back().icon, c.icon);
    EXPECT_EQ(ui.beeps, c.information ? Beeps{} : kFailureBeeps);
    EXPECT_EQ(ui.informationShown, 0);
    EXPECT_TRUE(Image() == before);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(doc->GetModel(), ModelLMR);
}

const std::string kCheckPortAndSoftware = LoadMessage(EMsg::CheckPortAndSoftware);
const std::string kCannotBeProgrammed = LoadMessage(EMsg::CannotBeProgrammed);

// A repeater fault; the operation stops with result, the status texts and one Stop box.
SFailCase Faulty(const char* name, EFault fault, int count, ECloneResult result,
                 std::vector<EMsg> status, std::string box = kCheckPortAndSoftware,
                 bool information = false) {
    return {name, [=](auto& t) { t.repeater.Faults().Set(fault, count); }, result,
            std::move(status), {std::move(box)}, EIcon::Stop, information};
}

// The port does not open: the port's own box, then the operation's.
SFailCase PortMissing(const char* name, bool information = false) {
    return {name, [](auto& t) { t.line.openFails = true; }, ECloneResult::PortError,
            {EMsg::CannotAccessPort}, {" not Open ", LoadMessage(EMsg::CheckPortAndPower)},
            EIcon::Stop, information};
}

// A scripted repeater whose read ends with a record reaching past the 8192-byte image.
void ServeARecordPastTheImage(SFakeLine& l, const ByteVec& body) {
    l.Echo(body);
    if (body[2] == kCmdIdentify) {
        l.Answer(kCmdIdentifyAnswer, Info(38, 0x20));
    } else if (body[2] == kCmdReadRequest) {
        for (uint16_t addr = 0; addr < 0x1A00 + 16; addr += 16)
            l.Answer(kCmdData, Record(addr < 0x1A00 ? addr : 0x1FF8, 0x11));
        l.Answer(kCmdEnd, EndPayload());
    }
}
const std::vector<EMsg> kNotStarted = {EMsg::CannotReadCloning};
const std::vector<EMsg> kBroken = {EMsg::NowReading, EMsg::CannotReadCloning};
const std::vector<EMsg> kIllegal = {EMsg::IllegalInformation};

INSTANTIATE_TEST_SUITE_P(
    Results, FailureTest,
    ::testing::Values(
        // Which frame fails is the engine's tests; here each stage the read reaches.
        Faulty("Silent", EFault::Silent, 0, ECloneResult::Failed, kNotStarted),
        Faulty("WrongModel", EFault::WrongModel, 0, ECloneResult::Incompatible, kIllegal,
               kCannotBeProgrammed),
        Faulty("WrongRevision", EFault::WrongRevision, 0, ECloneResult::Incompatible, kIllegal,
               kCannotBeProgrammed),
        Faulty("BadChecksum", EFault::BadChecksum, 7, ECloneResult::Failed, kBroken),
        Faulty("EndBeforeTheUserAreaIsCovered", EFault::EarlyEnd, 300, ECloneResult::Failed,
               kBroken),
        SFailCase{"RecordPastTheImage",
                  [](auto& t) {
                      t.scripted = true;
                      t.line.react = ServeARecordPastTheImage;
                  },
                  ECloneResult::Failed, kBroken, {kCheckPortAndSoftware}, EIcon::Stop},
        PortMissing("PortMissing"),
        SFailCase{"Cancelled", [](auto& t) { t.ui.cancelAtPercent = 50; },
                  ECloneResult::Cancelled, {EMsg::NowReading, EMsg::TerminatedCloning}, {},
                  EIcon::None},
        Faulty("InformationSilent", EFault::Silent, 0, ECloneResult::Failed, kIllegal,
               kCheckPortAndSoftware, true),
        Faulty("InformationWrongModel", EFault::WrongModel, 0, ECloneResult::Incompatible,
               kIllegal, kCannotBeProgrammed, true),
        PortMissing("InformationPortMissing", true)),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CloneRsIoManagerTest, ReadAt38400ChangesSpeedAfterTheIdentification) {
    Io().SetSpeedMode(2);
    EXPECT_EQ(Io().Read(), ECloneResult::Ok);
    EXPECT_EQ(line.openSpeeds, (std::vector<uint32_t>{9600, 9600, 38400}));
    EXPECT_EQ(log, (std::vector<std::string>{"identification", "speed change to 38400",
                                             "read request: sending 416 records"}));
    Io().SetSpeedMode(1);
    EXPECT_EQ(Io().Engine().GetExtraPreamble(), 0);
}

TEST_F(CloneRsIoManagerTest, WriteSendsTheUserAreaAndReportsSuccess) {
    // Changed in the tree only: the write stores the tree into the image first.
    CTreeIndex index(*doc->Registry().RadioData(), ModelLMR);
    CNode* channelOn = index.Resolve("Mch.CH1.ChOn");
    ASSERT_NE(channelOn, nullptr);
    channelOn->SetValue(1);
    EXPECT_EQ(Io().Write(), ECloneResult::Ok);
    EXPECT_EQ(BoxTexts(), Texts({EMsg::WriteToRepeater, EMsg::WriteSucceeded}));
    EXPECT_EQ(ui.boxes[1].icon, EIcon::Information);
    EXPECT_EQ(ui.statusTexts, Texts({EMsg::NowWriting, EMsg::CloningCompleted}));
    EXPECT_EQ(ui.beeps, kSuccessBeeps);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "write end: 406 records, accepted");
    EXPECT_TRUE(UserAreaEquals(repeater.Image(), Image()));
    EXPECT_FALSE(UserAreaEquals(Image(), before));
    EXPECT_FALSE(host.modified);
}

TEST_F(CloneRsIoManagerTest, RefusedQuestionsEndTheTransferQuietly) {
    struct SCase {
        bool write, makerReserve;
        EAnswer answer;
        ECloneResult result;
        std::string box;
        EButtons buttons;
    };
    host.modified = true;  // a read asks only then
    for (const SCase& c :
         {SCase{false, false, EAnswer::Cancel, ECloneResult::Cancelled,
                " Read from repeater, Data has been edited.", EButtons::OkCancel},
          SCase{true, true, EAnswer::No, ECloneResult::Failed,
                LoadMessage(EMsg::MakerReserveCaution), EButtons::YesNoDefaultNo},
          SCase{true, false, EAnswer::Cancel, ECloneResult::Cancelled,
                LoadMessage(EMsg::WriteToRepeater), EButtons::OkCancelDefaultCancel}}) {
        ui.boxes.clear();
        doc->Registry().Model()->SetMakerReserve(c.makerReserve);
        ui.answers = {c.answer};
        EXPECT_EQ(c.write ? Io().Write() : Io().Read(), c.result);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.box});
        EXPECT_EQ(ui.boxes.back().buttons, c.buttons);
        EXPECT_TRUE(ui.statusTexts.empty());
        EXPECT_TRUE(ui.beeps.empty());
        EXPECT_TRUE(line.writes.empty());
        EXPECT_TRUE(Image() == before);
    }
    // The default answer lets the read of an edited document go ahead.
    ui.boxes.clear();
    EXPECT_EQ(Io().Read(), ECloneResult::Ok);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(CloneRsIoManagerTest, WriteOfTheOtherVariantAsksAndNoSendsNothing) {
    repeater.LoadFactoryImage(ModelPMR);  // the document is LMR
    const CEepromImage repeaterBefore = repeater.Image();
    ui.answers = {EAnswer::Ok, EAnswer::No};
    EXPECT_EQ(Io().Write(), ECloneResult::Cancelled);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, " The data is for an LMR repeater, but the repeater on COM1 is a "
                                "PMR repeater.\n Writing makes it an LMR repeater.\n\n Write anyway?");
    EXPECT_EQ(ui.boxes[1].buttons, EButtons::YesNoDefaultNo); // yes changes the repeater
    EXPECT_EQ(log, std::vector<std::string>{"identification"});
    EXPECT_TRUE(repeater.Image() == repeaterBefore);
    EXPECT_EQ(Io().LastDetail(),
              "nothing was sent: the data and the repeater are of different variants");

    ui.answers = {EAnswer::Ok, EAnswer::Yes};
    EXPECT_EQ(Io().Write(), ECloneResult::Ok);
    EXPECT_EQ(log.back(), "write end: 406 records, accepted");
    EXPECT_EQ(Io().LastDetail(), "");
}

// With maker reserve the write sends everything, after the caution, even to another
// revision.
TEST_F(CloneRsIoManagerTest, WriteToAnotherRevisionNeedsMakerReserve) {
    repeater.Faults().Set(EFault::WrongRevision);
    EXPECT_EQ(Io().Write(), ECloneResult::Incompatible);
    EXPECT_EQ(ui.statusTexts, Texts({EMsg::IllegalInformation}));
    EXPECT_EQ(BoxTexts(), Texts({EMsg::WriteToRepeater, EMsg::CannotBeProgrammed}));

    doc->Registry().Model()->SetMakerReserve(true);
    line.writes.clear();
    ui.boxes.clear();
    EXPECT_EQ(Io().Write(), ECloneResult::Ok);
    EXPECT_EQ(BoxTexts(), Texts({EMsg::MakerReserveCaution, EMsg::WriteToRepeater,
                                 EMsg::WriteSucceeded}));
    EXPECT_EQ(ui.boxes[0].icon, EIcon::Exclamation);
    EXPECT_EQ(log.back(), "write end: 416 records, accepted");
    // The write request carries the program's own revision.
    const ByteVec& request = line.writes[1];
    EXPECT_EQ(request,
              BuildFrame(kAddrRepeater, kAddrPc, kCmdWriteRequest, kModelRevision));
}

TEST_F(CloneRsIoManagerTest, InformationShowsTheRepeater) {
    repeater.LoadFactoryImage(ModelPMR);
    repeater.SetOptionByte(0x22);
    EXPECT_EQ(Io().Information(), ECloneResult::Ok);
    EXPECT_EQ(ui.informationShown, 1);
    EXPECT_EQ(ui.beeps, kSuccessBeeps);
    EXPECT_TRUE(ui.boxes.empty());
    // What the texts say of the block is RepeaterInfo's test below.
    EXPECT_EQ(Io().GetRepeaterInfo().OptionText(), "XU-1\nXU-2 (Scrambler)\n");
    EXPECT_EQ(doc->GetModel(), ModelLMR);

    // A block of 39 bytes is not taken; the identification still succeeds.
    repeater.LoadFactoryImage(ModelLMR);
    repeater.Faults().Set(EFault::LongInfo);
    EXPECT_EQ(Io().Information(), ECloneResult::Ok);
    EXPECT_EQ(Io().GetRepeaterInfo().ModelText(), "PMR");
}

TEST(RepeaterInfo, OptionsSubRevisionAndComment) {
    struct SCase {
        uint8_t options;
        const char* text;
    };
    for (const SCase& c : {SCase{0x00, ""}, SCase{0x02, "XU-1\n"},
                           SCase{0x20, "XU-2 (Scrambler)\n"}, SCase{0x30, "XU-3 (Scrambler)\n"},
                           SCase{0x10, ""}, SCase{0x32, "XU-1\nXU-3 (Scrambler)\n"}}) {
        SRepeaterInfo info;
        info.information[33] = c.options;
        EXPECT_EQ(info.OptionText(), c.text) << int(c.options);
    }
    SRepeaterInfo info;
    info.revision = 0x0300;
    for (auto [byte, text] : {std::pair{0, "3.0"}, {9, "3.9"}, {10, "3.9"}, {0xEF, "3.9"}}) {
        info.information[37] = static_cast<uint8_t>(byte);
        EXPECT_EQ(info.RevisionText(), text);
    }
    const std::string comment = "FIRST LINE      SECOND";
    std::copy(comment.begin(), comment.end(), info.information.begin());
    EXPECT_EQ(info.CommentText(), "FIRST LINE      \nSECOND");
    info.information[34] = 0x02;
    EXPECT_EQ(info.ModelText(), "PMR");
    EXPECT_FALSE(info.TakeInformation(ByteVec(39, 0x41)));
    EXPECT_EQ(info.ModelText(), "PMR");
    EXPECT_TRUE(info.TakeInformation(ByteVec(10, 0x41)));
    EXPECT_EQ(info.CommentText(), "AAAAAAAAAA\n");
}

} // namespace
