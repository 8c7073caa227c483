#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "SignallingTestSupport.h"
#include "datafile/CloneFileIoManager.h"
#include "support/TempFiles.h"
#include "support/TextMatch.h"

namespace fs = std::filesystem;

namespace {

using signalling_test::SDocument;
using testfiles::ReadBytes;

class DataFile : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& content) {
        testfiles::WriteBytes(tmp.Path(name), content);
        return tmp.Path(name);
    }
    EFileResult Load(const std::string& content) {
        return doc.FileIo().Load(Write("in.zcf", content), doc.Registry().Image());
    }

    testfiles::CTempDir tmp;
    const fs::path dir = tmp.Root();
    CScriptedInteraction ui;
    CTolvarDocumentData doc{ui, ModelLMR};
};

} // namespace

// What a save writes, and a file of another variant opened.
TEST_F(DataFile, SaveWritesTheRecordsAndOpenReadsThemBack) {
    CEepromImage& image = doc.Registry().Image();
    for (uint32_t a = 0xA0; a < 0x19F0; a += 7)
        image.SetByte(a, static_cast<uint8_t>(a * 31));
    doc.Registry().LoadImageToTree();
    const std::string first = (dir / "a.zcf").string(), second = (dir / "b.zcf").string();
    ASSERT_EQ(doc.Save(first), EFileResult::Ok);
    ASSERT_EQ(doc.Save(second), EFileResult::Ok);
    const std::string text = ReadBytes(first);
    EXPECT_EQ(text, ReadBytes(second));
    EXPECT_EQ(text.substr(0, 11), "23680100\r\n#");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 416);
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
    EXPECT_NE(text.find("56454C4B20496E63\r\n"), std::string::npos);  // the signature

    const CEepromImage saved = image;
    SDocument other(ModelPMR);
    ASSERT_EQ(other.data.Open(first), EFileResult::Ok);
    for (uint32_t a = 0; a < 0x1A00; ++a)
        ASSERT_EQ(other.Image().GetByte(a), saved.GetByte(a)) << a;
    EXPECT_EQ(other.data.GetModel(), ModelLMR);

    // The user area alone, and ranges cut at 16-byte boundaries, last bytes included;
    // reversed pairs are skipped, and a pair past the image ends the file.
    auto& io = doc.FileIo();
    EXPECT_EQ(io.GetRecordCount(), 512u);
    io.Save((dir / "user.zcf").string(), CTolvarCloneFileIoManager::UserRange(), image);
    const std::string user = ReadBytes((dir / "user.zcf").string());
    EXPECT_EQ(std::count(user.begin(), user.end(), '\n'), 2 + 406);
    EXPECT_NE(user.find("\r\n00A010"), std::string::npos);
    io.Save((dir / "odd.zcf").string(),
            {{0x05, 0x05}, {0x0E, 0x12}, {0x20, 0x30}, {0x42, 0x41}, {0x3000, 0x3001}, {0, 0x20}},
            CEepromImage(0x2000));
    const std::string odd = ReadBytes((dir / "odd.zcf").string());
    const size_t records = odd.find("\r\n", odd.find("\r\n") + 2) + 2;
    EXPECT_EQ(odd.substr(records), "00050100\r\n000E020000\r\n001003" + std::string(6, '0') +
                                       "\r\n002010" + std::string(32, '0') + "\r\n00300100\r\n");
    // How the file is replaced is FileReplace's test; a refusal is CannotOpen.
    EXPECT_EQ(doc.Save((dir / "no-such-folder" / "x.zcf").string()), EFileResult::CannotOpen);
}

// What the reader makes of a file: its result, and for a refusal the line and why
// (nullptr: any reason). A refused file, or one without records, leaves the image as
// it was.
TEST_F(DataFile, RefusalNamesTheLineAndWhy) {
    const std::string head = "23680100\n#\n";
    const char* const notHex = "the first line is not 8 hex digits";
    struct Case {
        std::string content;
        EFileResult result;
        uint32_t line;
        const char* reason;
    } cases[] = {
        {"", EFileResult::FormatError, 1, "the file is empty"},
        {"2368010G\n", EFileResult::FormatError, 1, notHex},
        {"2368010\n#\n", EFileResult::FormatError, 1, notHex},
        {"2369010G\n#\n", EFileResult::FormatError, 1, notHex}, // malformed before mismatched
        {std::string(5000, '\xFF'), EFileResult::FormatError, 1, nullptr},
        {"23690100\n", EFileResult::MismatchModel, 1, "the model code is 2369, not 2368"},
        {"236a0100\n#\n", EFileResult::MismatchModel, 1, nullptr}, // lower-case digits differ
        {"23680101\n", EFileResult::MismatchRevision, 1, "the revision is 0101, not 0100"},
        {head + "00A001AA\n00B001ZZ\n", EFileResult::FormatError, 4,
         "a record holds characters other than hex digits"},
        {head + "00A001A\x01\n", EFileResult::FormatError, 3, nullptr},
        {head + std::string("00A001A\0", 8) + "\n", EFileResult::FormatError, 3, nullptr},
        {head + "# note\n00A002AA\n", EFileResult::FormatError, 4,
         "the record's count is 2 bytes but it holds 1"},
        {head + "00A001AAB\n", EFileResult::FormatError, 3, "odd number of digits"},
        {head + "00A000\n", EFileResult::FormatError, 3, "shorter than an address"},
        {head + "0000FF" + std::string(512, '0') + "\n", EFileResult::FormatError, 3,
         "longer than 255 bytes"},
        {head + "00A001AA\n\n", EFileResult::FormatError, 4, "an empty line"},
        {head + "00A001AA\n\n00B001BB\n", EFileResult::FormatError, 4, "an empty line"},
        {head + "00A001AA" + std::string(1000, 'A') + "\n", EFileResult::FormatError, 3,
         "a line longer than 600 characters"},
        {head + "00A001AA\r\n1FFF02AABB\r\n", EFileResult::DataOverflow, 4,
         "the record at 1FFF reaches past the last address 1FFF"},
        {head + "00A001AA\n", EFileResult::Ok, 0, ""},
        {head, EFileResult::Ok, 0, ""},
        {"23680100", EFileResult::Ok, 0, ""}, // no comment line, no line break
        {head + "19F001AA\n", EFileResult::Ok, 0, ""},
        {head + "00A001ab\r\n", EFileResult::Ok, 0, ""}, // lower-case data, CR LF
        {head + "00A001AA\n# note\n00B001BB\n", EFileResult::Ok, 0, ""},
        {head + "#" + std::string(100000, 'x') + "\n", EFileResult::Ok, 0, ""}, // long comment
        {head + "0000FF" + std::string(510, '0') + "\n", EFileResult::Ok, 0, ""}, // 516 long
    };
    const CEepromImage& image = doc.Registry().Image();
    for (const auto& c : cases) {
        const CEepromImage before = image;
        EXPECT_EQ(Load(c.content), c.result) << c.content.substr(0, 40);
        if (c.result != EFileResult::Ok || c.content.size() <= head.size()) {
            EXPECT_TRUE(image == before) << c.content.substr(0, 40);
        }
        const SReadProblem& problem = doc.FileIo().LastProblem();
        EXPECT_EQ(problem.line, c.line) << c.content.substr(0, 40);
        EXPECT_TRUE(Has(problem.reason, c.reason ? c.reason : "")) << c.content.substr(0, 40);
        EXPECT_EQ(problem.reason.empty(), c.result == EFileResult::Ok) << problem.reason;
        EXPECT_EQ(problem.error, 0);
    }
    // The lines of a clone read are counted the same way.
    EXPECT_EQ(doc.FileIo().LoadLines({"23680100", "#", "00A001AA", "00A0"}, doc.Registry().Image()),
              EFileResult::FormatError);
    EXPECT_EQ(doc.FileIo().LastProblem().line, 4u);
    EXPECT_EQ(doc.FileIo().Load((dir / "missing.zcf").string(), doc.Registry().Image()),
              EFileResult::CannotOpen);
    EXPECT_EQ(doc.FileIo().LastProblem().error, ENOENT);
    EXPECT_EQ(doc.FileIo().Load(dir.string(), doc.Registry().Image()), EFileResult::CannotOpen);
    EXPECT_EQ(doc.FileIo().LastProblem().error, EISDIR);
}

TEST_F(DataFile, CoverageCountsTheUserAreaAFileHolds) {
    const std::string head = "23680100\n#\n";
    const std::string sixteen = std::string(32, '0');
    struct Case {
        std::string records;
        uint32_t covered;
    } cases[] = {
        {"", 0},
        {"00A001AA\n", 1},
        {"009F02AABB\n", 1},                       // 009F is not user area
        {"00A001AA\n00A001BB\n", 1},               // the same address twice
        {"000010" + sixteen + "\n", 0},            // below the user area
        {"19F010" + sixteen + "\n", 16},           // the last record
        {"19F010" + sixteen + "\n1A0001AA\n", 16}, // past the user area
    };
    for (const auto& c : cases) {
        ASSERT_EQ(doc.Open(Write("part.zcf", head + c.records)), EFileResult::Ok) << c.records;
        const SCoverage coverage = doc.UserAreaCoverage();
        EXPECT_EQ(coverage.covered, c.covered) << c.records;
        EXPECT_EQ(coverage.total, 0x1960u);
        EXPECT_FALSE(coverage.Complete());
    }
    // A refused file keeps what the last Open took; New and a whole file cover it all.
    EXPECT_EQ(doc.Open(Write("bad.zcf", head + "00A001AA\nZZ\n")), EFileResult::FormatError);
    EXPECT_EQ(doc.UserAreaCoverage().covered, 16u);
    doc.New();
    EXPECT_TRUE(doc.UserAreaCoverage().Complete());
    const std::string whole = (dir / "whole.zcf").string();
    ASSERT_EQ(doc.Save(whole), EFileResult::Ok);
    ASSERT_EQ(doc.Open(Write("part.zcf", head + "00A001AA\n")), EFileResult::Ok);
    ASSERT_EQ(doc.Open(whole), EFileResult::Ok);
    EXPECT_TRUE(doc.UserAreaCoverage().Complete());
    EXPECT_EQ(doc.UserAreaCoverage().covered, 0x1960u);
    EXPECT_TRUE(SDocument(ModelPMR).data.UserAreaCoverage().Complete());
}

TEST_F(DataFile, APartialFileIsLaidOverTheCleanImageNotOverUnsavedEdits) {
    const std::string partial = Write("part.zcf", "23680100\n#\n00A001AA\n");
    const char* const field = "CommonSet.Common.Comment1";
    const auto text = [&] {
        const CTreeIndex index(*doc.Registry().RadioData(), doc.GetModel());
        return LeafText(*index.Find(field)->node);
    };
    const auto edit = [&](const char* wanted) {
        const CTreeIndex index(*doc.Registry().RadioData(), doc.GetModel());
        const auto errors = ApplyLeafEdits(doc.Registry(), {{index.Find(field), wanted, "edit"}});
        ASSERT_TRUE(errors.empty()) << errors.front();
    };
    const auto clean = [&] { return doc.CleanImage() == doc.Registry().Image(); };
    // How the clean state comes about, and the comment it holds.
    struct Case {
        const char* name;
        std::function<void()> make;
        std::string clean;
    } cases[] = {
        {"new", [&] { doc.New(); }, ""},
        {"saved",
         [&] {
             edit("SAVED");
             ASSERT_EQ(doc.Save((dir / "s.zcf").string()), EFileResult::Ok);
         },
         "SAVED"},
        {"opened", [&] { ASSERT_EQ(doc.Open((dir / "s.zcf").string()), EFileResult::Ok); },
         "SAVED"},
        {"variant",
         [&] { ASSERT_TRUE(doc.Registry().Model()->ChangeModel(1 - doc.GetModel(), false)); }, ""},
    };
    for (const Case& c : cases) {
        doc.New();
        c.make();
        const std::string before = text();
        if (!c.clean.empty()) {
            EXPECT_EQ(before, c.clean) << c.name;
        }
        EXPECT_TRUE(clean()) << c.name;
        edit("UNSAVED");
        ASSERT_FALSE(clean()) << c.name;
        EXPECT_NE(doc.Registry().Image().GetByte(0x00A0), 0xAA);

        ASSERT_EQ(doc.Open(partial), EFileResult::Ok) << c.name;
        EXPECT_EQ(text(), before) << c.name;
        EXPECT_EQ(doc.Registry().Image().GetByte(0x00A0), 0xAA) << c.name;
        EXPECT_TRUE(clean()) << c.name;
        // A refused file changes neither.
        edit("AGAIN");
        const CEepromImage shown = doc.Registry().Image();
        EXPECT_EQ(doc.Open(Write("bad.zcf", "23680100\n#\nZZ\n")), EFileResult::FormatError);
        EXPECT_TRUE(doc.Registry().Image() == shown) << c.name;
        EXPECT_EQ(text(), "AGAIN") << c.name;
    }
}
