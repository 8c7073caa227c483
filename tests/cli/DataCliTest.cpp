// show, get, set, export, import and diff run as a user runs them, on files made
// with `tolvar new`.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <sys/stat.h>

#include "CliRunner.h"
#include "support/TextMatch.h"
#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/ToneNodes.h"

using clitest::ReadBytes;
using clitest::Tolvar;
using clitest::WriteBytes;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The image of a data file, through a document as the program reads it.
std::vector<uint8_t> ImageOf(const std::string& path) {
    CScriptedInteraction ui;
    CTolvarDocumentData document(ui, ModelLMR);
    EXPECT_EQ(document.Open(path), EFileResult::Ok) << path;
    return document.Registry().Image().Bytes();
}

// First address in [0x00A0, 0x19FF] where two images differ, or -1.
int FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    for (int addr = 0x00A0; addr <= 0x19FF; ++addr)
        if (a[addr] != b[addr]) return addr;
    return -1;
}

class DataCli : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        std::vector<std::string> args{"new", "-o", Path("factory.zcf")};
        if (Pmr()) args.insert(args.begin() + 1, "--pmr");
        ASSERT_EQ(Tolvar(args).status, 0);
    }
    bool Pmr() const { return GetParam() == ModelPMR; }
    std::string Path(const std::string& name) const { return dir.Path(name); }
    std::string Copy(const std::string& name) {
        WriteBytes(Path(name), ReadBytes(Path("factory.zcf")));
        return Path(name);
    }
    clitest::CTempDir dir;
};

INSTANTIATE_TEST_SUITE_P(Variants, DataCli, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return std::string(ModelName(info.param)); });

TEST_P(DataCli, SetShowsInGetShowAndDiffExactly) {
    const std::string file = Copy("changed.zcf");
    const std::vector<std::string> assignments = {"Mch.CH3.ChOn=ON",
                                                  "Mch.CH3.FreqRx=446.00625",
                                                  "Mch.CH3.FreqTx=446.00625",
                                                  "Mch.CH3.CTonRx=754i",
                                                  "Mch.CH3.Text=BASE 1",
                                                  "Mch.Emr=3",
                                                  "CommonSet.Common.Comment1=Site A"};
    std::vector<std::string> args{"set", file};
    args.insert(args.end(), assignments.begin(), assignments.end());
    const auto set = Tolvar(args);
    ASSERT_EQ(set.status, 0) << set.err;

    const auto get =
        Tolvar({"get", file, "Mch.CH3.FreqTx", "Mch.CH3.CTonRx", "Mch.CH3.Text", "Mch.Emr"});
    EXPECT_EQ(get.out, "446.00625\n754i\nBASE 1\n3\n");

    const auto diff = Tolvar({"diff", Path("factory.zcf"), file});
    EXPECT_EQ(diff.status, 1);
    std::vector<std::string> paths;
    for (const std::string& line : Lines(diff.out))
        paths.push_back(line.substr(0, line.find(':')));
    std::vector<std::string> expected;
    for (const std::string& a : assignments)
        expected.push_back(a.substr(0, a.find('=')));
    std::sort(paths.begin(), paths.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(paths, expected) << diff.out;
    EXPECT_TRUE(Has(diff.out, "Mch.CH3.Text: \"\" -> \"BASE 1\""));
    EXPECT_EQ(Tolvar({"diff", file, file}).status, 0);

    const auto show = Tolvar({"show", file});
    ASSERT_EQ(show.status, 0);
    std::string row;
    for (const std::string& line : Lines(show.out))
        if (line.rfind("3 ", 0) == 0) row = line;
    for (const char* cell : {" E ", "446.00625", "<-----", "754i", "BASE 1"})
        EXPECT_TRUE(Has(row, cell)) << cell << " in: " << row;
    EXPECT_TRUE(Has(Tolvar({"show", file, "common"}).out, "Site A"));
}

TEST_P(DataCli, RefusedChangesLeaveTheFileByteIdentical) {
    const std::string file = Copy("kept.zcf");
    const std::string before = ReadBytes(file);
    const std::string otherArea =
        Pmr() ? "2ToneCodeCH.TXCode.CodeType=Group" : "5ToneCodeCH.TXCodeCH.CH1.TxCode=1";
    const std::string otherField = Pmr() ? "Mch.CH1.2Ton=1" : "Mch.CH1.Moni=OFF";
    const struct {
        std::vector<std::string> assignments;
        std::string message;
    } cases[] = {
        // One of each kind of refusal (the texts themselves are the tree's own tests),
        // and what only the command line says.
        {{"Mch.CH1.ChOn=ON", "Mch.CH1.FreqRx=145.1234"}, "145.12250, 145.12500"},
        {{"Mch.CH1.FreqRx=900"}, "outside the range"},
        {{"Mch.CH1.FreqRxx=1"}, "the nearest path is Mch.CH1.FreqRx"},
        {{"Mch.CH1.FreqRx=fast"}, "not a frequency"},
        {{"Mch.CH1.Nope=1"}, "Mch.CH1.Nope: no such field"},
        {{"Mch.CH1.ScrmCode=0"}, "from 1 to 255"},
        {{"CommonSet.Common.HangOnTim=77.5"}, "with zero decimals (77 or 77.000)"},
        {{otherField}, "files only"},
        {{otherArea}, "area belongs to"},
        {{"MakerR.IfFreq=21.4"}, "--maker-reserve"},
        {{"Mch.CH2.FreqRx=145.125"}, "set its ChOn to ON"},
        {{"Mch.PrioA=0"}, "is not kept"},
        {{"Mch.CH1.ChOn"}, "is not PATH=VALUE"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"set", file};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        const auto run = Tolvar(args);
        EXPECT_EQ(run.status, 64) << c.message;
        EXPECT_TRUE(Has(run.err, c.message));
        EXPECT_EQ(ReadBytes(file), before) << c.message;
    }
    const auto get = Tolvar({"get", file, "Mch.CH1.FreqRx", "Mch.CH9.Unknown"});
    EXPECT_EQ(get.status, 64);
    EXPECT_EQ(get.out, "");
    EXPECT_TRUE(Has(get.err, "Mch.CH9.Unknown"));
}

TEST_P(DataCli, ExportThenImportReproducesTheFile) {
    const std::string edited = Copy("edited.zcf");
    ASSERT_EQ(
        Tolvar({"set", edited, "Mch.CH1.ChOn=ON", "Mch.CH1.FreqRx=150.0025", "Mch.CH1.FreqTx=155.5",
                "Mch.CH1.CTonTx=023N", "Mch.CH1.Text=A,\"B\"", "Mch.CH7.ChOn=ON",
                "Mch.CH7.FreqRx=440", "Mch.CH7.CTonRx=Multi", "Mch.PrioA=7",
                "MultiTon.Ton9.CTonRx=131.8", "CommonSet.Expert.BeepFreqL=1714",
                "CommonSet.Common.HangOnTim=77.000"})
            .status,
        0);
    for (const std::string format : {"json", "csv"}) {
        const std::string exported = Path("edited." + format);
        ASSERT_EQ(Tolvar({"export", edited, "--format", format, "-o", exported}).status, 0);
        const std::string target = Path("imported-" + format + ".zcf");
        const auto run = Tolvar({"import", Path("factory.zcf"), "--from", exported, "-o", target});
        ASSERT_EQ(run.status, 0) << run.err;
        if (format == "json") {
            EXPECT_EQ(ReadBytes(target), ReadBytes(edited));
        } else {
            // The CSV holds the channels only.
            const auto diff = Tolvar({"diff", edited, target});
            for (const std::string& line : Lines(diff.out))
                EXPECT_EQ(line.rfind("Mch.", 0), std::string::npos) << line;
        }
    }
    // Writing over an earlier export keeps that file's permissions.
    const std::string again = Path("edited.json");
    ASSERT_EQ(::chmod(again.c_str(), 0604), 0);
    ASSERT_EQ(Tolvar({"export", edited, "-o", again}).status, 0);
    struct stat status {};
    ASSERT_EQ(::stat(again.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
}

// Random images, normalised by a document onto the factory bytes (so that bytes no
// field covers are the factory's), survive export and import into a factory file.
TEST_P(DataCli, RandomImagesSurviveExportAndImport) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed * 7919 + static_cast<unsigned>(GetParam()));
        CScriptedInteraction ui;
        CTolvarDocumentData document(ui, GetParam());
        CQCloneManager& registry = document.Registry();
        CEepromImage& image = registry.Image();
        for (uint32_t addr = 0; addr < 0x1A00; ++addr)
            image.SetByte(addr, static_cast<uint8_t>(random()));
        image.SetBit(kModelAddr, kModelBit, GetParam());
        registry.LoadImageToTree();
        registry.Defaults()->LoadDefaults(GetParam());
        // The decode windows of 2Tone receive channels follow their tones.
        if (CNode* rx = registry.Model()->GetNodeByPath("2ToneCodeCH.RXCodeCH"))
            for (CNode* child : rx->Children())
                if (auto* channel = dynamic_cast<CQ2ToneRxChNode*>(child))
                    for (int i = 0; i < 4; ++i)
                        channel->RecalcLimits();
        const std::string source = Path("random.zcf");
        ASSERT_EQ(document.Save(source), EFileResult::Ok);

        const std::string json = Path("random.json"), csv = Path("random.csv");
        ASSERT_EQ(Tolvar({"export", source, "-o", json}).status, 0);
        ASSERT_EQ(Tolvar({"export", source, "--format", "csv", "-o", csv}).status, 0);
        const std::string target = Copy("target.zcf");
        const auto run = Tolvar({"import", target, "--from", json});
        ASSERT_EQ(run.status, 0) << "seed " << seed << ": " << run.err;
        EXPECT_EQ(FirstDifference(ImageOf(source), ImageOf(target)), -1) << "seed " << seed;

        const std::string fromCsv = Copy("target-csv.zcf");
        ASSERT_EQ(Tolvar({"import", fromCsv, "--from", csv}).status, 0) << "seed " << seed;
        EXPECT_EQ(Tolvar({"export", fromCsv, "--format", "csv"}).out, ReadBytes(csv))
            << "seed " << seed;
    }
}

// A spreadsheet's CSV: its separator, a decimal comma with ';', headers in any case and
// either variant's spelling, columns the sheet does not have.
TEST_P(DataCli, CsvFromASpreadsheetIsTakenAsItComes) {
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"comma.csv", "CH,Rx Frequency,RX C.Tone,Text\n3,145.125,88.5,\"BASE,1\"\n"},
        {"semicolon.csv", "CH;RX FREQUENCY;rx c.tone;text\r\n3;145,125;88,5;BASE,1\r\n"},
        {"tab.csv", "ch\trx frequency\tRX  C.Tone\tTEXT\n3\t145.125\t88.5\tBASE,1\n"},
        {"quoted.csv",
         "\"CH\";\"Rx Frequency\";\"RX C.Tone\";\"Text\"\n3;\"145,125\";88.5;\"BASE,1\"\n"},
    };
    for (const auto& c : cases) {
        const std::string file = Copy("sheet.zcf");
        WriteBytes(Path(c.name), c.content);
        const auto run = Tolvar({"import", file, "--from", Path(c.name)});
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.err, "") << c.name;
        EXPECT_EQ(Tolvar({"get", file, "Mch.CH3.ChOn", "Mch.CH3.FreqRx", "Mch.CH3.CTonRx",
                          "Mch.CH3.Text"})
                      .out,
                  "ON\n145.12500\n88.5\nBASE,1\n")
            << c.name;
    }
    // A decimal comma is a separator with ','; text keeps its comma with ';'.
    WriteBytes(Path("comma-decimal.csv"), "CH,Rx Frequency\n3,145,125\n");
    const auto comma = Tolvar({"import", Copy("comma.zcf"), "--from", Path("comma-decimal.csv")});
    EXPECT_EQ(comma.status, 2);
    EXPECT_TRUE(Has(comma.err, "row 2: 3 cells; the header has 2")) << comma.err;
    WriteBytes(Path("text.csv"), "CH;Rx Frequency;Text\n3;145,125;1,5\n");
    const std::string text = Copy("text.zcf");
    ASSERT_EQ(Tolvar({"import", text, "--from", Path("text.csv")}).status, 0);
    EXPECT_EQ(Tolvar({"get", text, "Mch.CH3.Text"}).out, "1,5\n");
}

TEST_P(DataCli, CsvColumnsTheSheetDoesNotHaveAreIgnoredWithAWarning) {
    const std::string model = Pmr() ? "PMR" : "LMR";
    const std::string other = Pmr() ? "2 Tone" : "Moni(Sw Action)";
    const std::string file = Copy("sheet.zcf");
    WriteBytes(Path("extra.csv"), "CH,Colour,Rx Frequency," + other + ",Colour\n" +
                                      "3,red,145.125,x,blue\n4,green,146.5,y,\n");
    const auto run = Tolvar({"import", file, "--from", Path("extra.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string prefix = "tolvar import: " + Path("extra.csv") + ": warning: row 1, ";
    EXPECT_EQ(run.err, prefix + "column 2: \"Colour\" is not a column of the " + model +
                           " memory channel sheet; it is ignored\n" + prefix + "column 4: \"" +
                           other + "\" is not a column of the " + model +
                           " memory channel sheet (it is one of the " + (Pmr() ? "LMR" : "PMR") +
                           " sheet); it is ignored\n" + prefix +
                           "column 5: \"Colour\" is not a column of the " + model +
                           " memory channel sheet; it is ignored\n");
    EXPECT_EQ(Tolvar({"get", file, "Mch.CH3.FreqRx", "Mch.CH4.FreqRx"}).out,
              "145.12500\n146.50000\n");
}

// A channel not in use keeps no field: the message names the column that puts it in use.
TEST_P(DataCli, CsvOfAChannelNotInUseNamesTheColumnToFill) {
    const std::string rx = Pmr() ? "RX Frequency" : "Rx Frequency";
    const std::string file = Copy("sheet.zcf");
    ASSERT_EQ(Tolvar({"set", file, "Mch.CH1.ChOn=ON", "Mch.CH1.FreqRx=145.125"}).status, 0);
    const std::string before = ReadBytes(file);
    ASSERT_EQ(Tolvar({"get", file, "Mch.CH2.ChOn", "Mch.CH2.RfPwr"}).out, "OFF\nHigh\n");
    const std::string fill =
        "(the channel is not in use: add a \"" + rx + "\" column and fill it in for the channel)\n";
    const struct {
        std::string content;
        int status;
        std::string err; // after "tolvar import: FROM: "
    } cases[] = {
        {"CH,Text,RF PWR\n1,NEW,High\n2,,Low\n", 2,
         "row 3, column \"RF PWR\" (Mch.CH2.RfPwr): \"Low\" is not kept; the file would hold "
         "\"High\" " +
             fill},
        {"ch,text\n2,ABC\n", 2,
         "row 2, column \"text\" (Mch.CH2.Text): \"ABC\" is not kept; the file would hold \"\" " +
             fill},
        {"CH,rx frequency,Text\n2,,ABC\n", 0,
         "warning: row 2: channel 2 is not in use as its \"rx frequency\" is empty; its other "
         "cells are ignored\n"},
        {"CH,Text\n2,\n1,NEW\n", 0, ""},
    };
    for (const auto& c : cases) {
        WriteBytes(file, before);
        WriteBytes(Path("off.csv"), c.content);
        const auto run = Tolvar({"import", file, "--from", Path("off.csv")});
        EXPECT_EQ(run.status, c.status) << c.content;
        const std::string prefix = "tolvar import: " + Path("off.csv") + ": ";
        EXPECT_EQ(run.err, (c.err.empty() ? "" : prefix + c.err) +
                               (c.status ? "tolvar import: nothing was written\n" : ""))
            << c.content;
        EXPECT_EQ(Tolvar({"get", file, "Mch.CH2.ChOn"}).out, "OFF\n");
    }
    EXPECT_EQ(Tolvar({"get", file, "Mch.CH1.Text"}).out, "NEW\n");
    // Other commands still name the field.
    const auto set = Tolvar({"set", file, "Mch.CH2.RfPwr=Low"});
    EXPECT_TRUE(Has(set.err, "set its ChOn to ON as well"));
}

TEST_P(DataCli, ShowTakesTheAreasOfTheFilesVariant) {
    const std::string file = Path("factory.zcf");
    const auto refused = Tolvar({"show", file, Pmr() ? "2tone" : "5tone"});
    EXPECT_EQ(refused.status, 64);
    EXPECT_TRUE(Has(refused.err, Pmr() ? "LMR files" : "PMR files"));
    for (const char* area : {"channels", "multitone", "dtmf", "common", "expert", "keydisp",
                             Pmr() ? "5tone" : "2tone"}) {
        const auto run = Tolvar({"show", file, area});
        EXPECT_EQ(run.status, 0) << area;
        EXPECT_GT(Lines(run.out).size(), 3u) << area;
        EXPECT_FALSE(Has(run.out, "MakerR")) << area;
    }
    EXPECT_TRUE(Has(Tolvar({"show", file, "common", "--maker-reserve"}).out, "[MakerR]"));
}

TEST_P(DataCli, NewSaysWhatItWroteAndDiffNamesOtherVariants) {
    const std::string other = Path("other.zcf");
    std::vector<std::string> args{"new", "-o", other};
    if (!Pmr()) args.insert(args.begin() + 1, "--pmr");
    const auto made = Tolvar(args);
    ASSERT_EQ(made.status, 0);
    const char* otherName = Pmr() ? "LMR" : "PMR";
    EXPECT_EQ(made.err, "tolvar: wrote " + other + ": the factory image of the " + otherName +
                            " variant\n");
    const auto diff = Tolvar({"diff", Path("factory.zcf"), other});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.err, "tolvar: the files are of different variants: " + Path("factory.zcf") +
                            " is " + ModelName(GetParam()) + ", " + other + " is " + otherName +
                            "\n");
    EXPECT_EQ(Tolvar({"diff", Path("factory.zcf"), Copy("same.zcf")}).err, "");
}

TEST_P(DataCli, ShowUsedListsTheChannelsInUse) {
    const std::string file = Copy("used.zcf");
    EXPECT_TRUE(Has(Tolvar({"show", file, "--used"}).out, "(no channel in use)"));
    ASSERT_EQ(Tolvar({"set", file, "Mch.CH3.ChOn=ON", "Mch.CH3.FreqRx=145.125", "Mch.CH7.ChOn=ON",
                      "Mch.CH7.FreqRx=146.5"})
                  .status,
              0);
    const auto lines = Lines(Tolvar({"show", file, "--used"}).out);
    ASSERT_EQ(lines.size(), 5u);  // title, header, rule, two channels
    EXPECT_EQ(lines[3].substr(0, 2), "3 ");
    EXPECT_EQ(lines[4].substr(0, 2), "7 ");
    EXPECT_EQ(Lines(Tolvar({"show", file}).out).size(), 35u);
}

TEST(DataCliImport, ErrorsNameTheRowAndColumnOrPathAndWriteNothing) {
    clitest::CTempDir dir;
    const std::string file = dir.Path("lmr.zcf");
    ASSERT_EQ(Tolvar({"new", "-o", file}).status, 0);
    const std::string before = ReadBytes(file);
    const std::string header = "CH,CH Atr,Rx Frequency,Tx Frequency,Text\n";
    const struct {
        const char* name;
        std::string content;
        std::string message;
    } cases[] = {
        {"colour.csv", "CH,Colour,Text\n2,red,A\n",
         "row 2, column \"Text\" (Mch.CH2.Text): \"A\" is not kept"},
        {"nochannel.csv", "Text\nX\n", "no \"CH\" column"},
        {"raster.csv", header + "1,A,145.125,,\n2,,145.1234,,\n",
         "row 3, column \"Rx Frequency\" (Mch.CH2.FreqRx)"},
        {"number.csv", header + "33,,145.125,145.125,\n", "row 2, column \"CH\""},
        {"cells.csv", header + "1,,145.125\n", "row 2: 3 cells"},
        {"twice.csv", header + "4,,,,\n4,,,,\n", "row 3: channel 4 is already in row 2"},
        {"prio.csv", header + "1,A,,,\n2,A,,,\n", "row 3, column \"CH Atr\": Prio A"},
        {"quote.csv", header + "1,,145.125,,\"open\n", "not closed"},
        {"model.json", "{\"Model\": \"PMR\", \"Mch\": {\"PrioA\": 2}}", "the JSON holds PMR"},
        {"path.json", "{\"Mch\": {\"CH1\": {\"Colour\": \"red\"}}}", "Mch.CH1.Colour: no such"},
        {"type.json", "{\"Mch\": {\"CH1\": {\"ChOn\": true}}}", "Mch.CH1.ChOn: takes a text"},
        {"syntax.json", "{\"Mch\": ", "not valid JSON"},
        {"overflow.json", "{\"Mch\": {\"PrioA\": 1e999}}",
         "not valid JSON: number overflow parsing '1e999'"},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.Path(c.name), c.content);
        const auto run = Tolvar({"import", file, "--from", dir.Path(c.name)});
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_TRUE(Has(run.err, c.message)) << c.name << ": " << run.err;
        EXPECT_EQ(ReadBytes(file), before) << c.name;
    }
    // A folder opens like a file but cannot be read.
    const auto folder = Tolvar({"import", file, "--from", dir.Path("")});
    EXPECT_EQ(folder.status, 2) << folder.err;
    EXPECT_TRUE(Has(folder.err, "Is a directory"));
    // A partial JSON changes only what it names.
    WriteBytes(dir.Path("partial.json"), "{\"Model\": \"LMR\", \"Mch\": {\"PrioA\": 5}}");
    ASSERT_EQ(
        Tolvar({"import", file, "--from", dir.Path("partial.json"), "-o", dir.Path("partial.zcf")})
            .status,
        0);
    EXPECT_EQ(Tolvar({"diff", file, dir.Path("partial.zcf")}).out, "Mch.PrioA: \"1\" -> \"5\"\n");
}

} // namespace
