// show, get, set, export, import and diff run as a user runs them, on files made
// with `tolvar new`.
#include <gtest/gtest.h>

#include <algorithm>

#include "CliRunner.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/TreeAccess.h"
#include "support/TextMatch.h"

using clitest::Lines;
using clitest::ReadBytes;
using clitest::Tolvar;
using clitest::WriteBytes;

namespace {

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
    EXPECT_TRUE(Has(Tolvar({"show", file, "--used"}).out, "(no channel in use)"));
    const std::vector<std::string> assignments = {"Mch.CH3.ChOn=ON",
                                                  "Mch.CH3.FreqRx=446.00625",
                                                  "Mch.CH3.FreqTx=446.00625",
                                                  "Mch.CH3.CTonRx=754i",
                                                  "Mch.CH3.Text=BASE 1",
                                                  "Mch.CH7.ChOn=ON",
                                                  "Mch.CH7.FreqRx=146.5",
                                                  "Mch.Emr=3",
                                                  "CommonSet.Common.Comment1=Site A"};
    std::vector<std::string> args{"set", file};
    args.insert(args.end(), assignments.begin(), assignments.end());
    const auto set = Tolvar(args);
    ASSERT_EQ(set.status, 0) << set.err;

    const auto get =
        Tolvar({"get", file, "Mch.CH3.FreqTx", "Mch.CH3.CTonRx", "Mch.CH3.Text", "Mch.Emr"});
    EXPECT_EQ(get.out, "446.00625\n754i\nBASE 1\n3\n");

    const auto byPath = Tolvar({"diff", "--paths", Path("factory.zcf"), file});
    EXPECT_EQ(byPath.status, 1);
    std::vector<std::string> paths;
    for (const std::string& line : Lines(byPath.out))
        paths.push_back(line.substr(0, line.find(':')));
    std::vector<std::string> expected;
    for (const std::string& a : assignments)
        expected.push_back(a.substr(0, a.find('=')));
    std::sort(paths.begin(), paths.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(paths, expected) << byPath.out;
    EXPECT_TRUE(Has(byPath.out, "Mch.CH3.Text: \"\" -> \"BASE 1\"\n"));
    // As the sheets name them, in the order of the views.
    const auto diff = Tolvar({"diff", Path("factory.zcf"), file});
    EXPECT_EQ(diff.status, 1);
    const size_t comment = diff.out.find(
        "Common Setting:Common > Clone Comment > (1): \"\" -> \"Site A\"\n");
    const size_t text = diff.out.find("Memory > CH 3 > Text: \"\" -> \"BASE 1\"\n");
    EXPECT_LT(comment, text) << diff.out;
    EXPECT_NE(text, std::string::npos) << diff.out;
    const auto same = Tolvar({"diff", file, file});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "No differences.\n");

    const auto show = Tolvar({"show", file});
    ASSERT_EQ(show.status, 0);
    EXPECT_EQ(Lines(show.out).size(), 35u);
    std::string row;
    for (const std::string& line : Lines(show.out))
        if (line.rfind("3 ", 0) == 0) row = line;
    for (const char* cell : {" E ", "446.00625", "<-----", "754i", "BASE 1"})
        EXPECT_TRUE(Has(row, cell)) << cell << " in: " << row;
    EXPECT_TRUE(Has(Tolvar({"show", file, "common"}).out, "Site A"));
    const auto used = Lines(Tolvar({"show", file, "--used"}).out);
    ASSERT_EQ(used.size(), 5u);  // title, header, rule, two channels
    EXPECT_EQ(used[3].substr(0, 2) + used[4].substr(0, 2), "3 7 ");
}

TEST_P(DataCli, RefusedChangesLeaveTheFileByteIdentical) {
    const std::string file = Copy("kept.zcf");
    const std::string before = ReadBytes(file);
    const struct {
        std::vector<std::string> assignments;
        std::string message;
    } cases[] = {
        // The tree's refusals are its own tests; here one refused value after a good one
        // and what only the command line says.
        {{"Mch.CH1.ChOn=ON", "Mch.CH1.FreqRx=145.1234"}, "145.12250, 145.12500"},
        {{"MakerR.IfFreq=21.4"}, "--maker-reserve"},
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
                EXPECT_EQ(line.rfind("Memory > ", 0), std::string::npos) << line;
        }
    }
}

// A channel CSV as a spreadsheet writes it, and what the import says of it. The base
// file has channel 1 in use; channel 2 is not.
TEST_P(DataCli, CsvIsTakenAsASpreadsheetWritesIt) {
    const std::string file = Copy("sheet.zcf"), csv = Path("sheet.csv");
    ASSERT_EQ(Tolvar({"set", file, "Mch.CH1.ChOn=ON", "Mch.CH1.FreqRx=145.125"}).status, 0);
    ASSERT_EQ(Tolvar({"get", file, "Mch.CH2.ChOn", "Mch.CH2.RfPwr"}).out, "OFF\nHigh\n");
    const std::string base = ReadBytes(file);
    const std::string said = "tolvar import: " + csv + ": ", warned = said + "warning: ";
    const std::string refused = "tolvar import: nothing was written\n";
    const std::string sheet = std::string(" is not a column of the ") + (Pmr() ? "PMR" : "LMR") +
                              " memory channel sheet";
    const std::string otherColumn = Pmr() ? "2 Tone" : "Moni(Sw Action)";
    const std::string fill = std::string("(the channel is not in use: add a \"") +
                             (Pmr() ? "RX" : "Rx") + " Frequency\" column and fill it in for "
                             "the channel)\n";
    const std::vector<std::string> ch3 = {"Mch.CH3.ChOn", "Mch.CH3.FreqRx", "Mch.CH3.CTonRx",
                                          "Mch.CH3.Text"};
    const std::string ch3Values = "ON\n145.12500\n88.5\nBASE,1\n";
    const std::vector<std::string> ch2 = {"Mch.CH2.ChOn"};
    const struct {
        std::string content;
        int status;
        std::string err;
        std::vector<std::string> paths; // got afterwards
        std::string values;
    } cases[] = {
        // Its separator, a decimal comma with ';', headers in any case and either
        // variant's spelling.
        {"CH,Rx Frequency,RX C.Tone,Text\n3,145.125,88.5,\"BASE,1\"\n", 0, "", ch3, ch3Values},
        {"CH;RX FREQUENCY;rx c.tone;text\r\n3;145,125;88,5;BASE,1\r\n", 0, "", ch3, ch3Values},
        {"ch\trx frequency\tRX  C.Tone\tTEXT\n3\t145.125\t88.5\tBASE,1\n", 0, "", ch3, ch3Values},
        {"\"CH\";\"Rx Frequency\";\"RX C.Tone\";\"Text\"\n3;\"145,125\";88.5;\"BASE,1\"\n", 0, "",
         ch3, ch3Values},
        // A decimal comma is a separator with ','; text keeps its comma with ';'.
        {"CH,Rx Frequency\n3,145,125\n", 2, said + "row 2: 3 cells; the header has 2\n" + refused,
         {"Mch.CH3.ChOn"}, "OFF\n"},
        {"CH;Rx Frequency;Text\n3;145,125;1,5\n", 0, "", {"Mch.CH3.Text"}, "1,5\n"},
        // Columns the sheet does not have are ignored with a warning.
        {"CH,Colour,Rx Frequency," + otherColumn + ",Colour\n3,red,145.125,x,blue\n4,green,146.5,y,\n",
         0,
         warned + "row 1, column 2: \"Colour\"" + sheet + "; it is ignored\n" + warned +
             "row 1, column 4: \"" + otherColumn + "\"" + sheet + " (it is one of the " +
             (Pmr() ? "LMR" : "PMR") + " sheet); it is ignored\n" + warned +
             "row 1, column 5: \"Colour\"" + sheet + "; it is ignored\n",
         {"Mch.CH3.FreqRx", "Mch.CH4.FreqRx"}, "145.12500\n146.50000\n"},
        // A channel not in use keeps no field: the message names the column that puts
        // it in use.
        {"CH,Text,RF PWR\n1,NEW,High\n2,,Low\n", 2,
         said + "row 3, column \"RF PWR\" (Mch.CH2.RfPwr): \"Low\" is not kept; the file would "
                "hold \"High\" " + fill + refused,
         ch2, "OFF\n"},
        {"CH,rx frequency,Text\n2,,ABC\n", 0,
         warned + "row 2: channel 2 is not in use as its \"rx frequency\" is empty; its other "
                  "cells are ignored\n",
         ch2, "OFF\n"},
        {"CH,Text\n2,\n1,NEW\n", 0, "", {"Mch.CH2.ChOn", "Mch.CH1.Text"}, "OFF\nNEW\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(file, base);
        WriteBytes(csv, c.content);
        const auto run = Tolvar({"import", file, "--from", csv});
        EXPECT_EQ(run.status, c.status) << c.content;
        EXPECT_EQ(run.err, c.err) << c.content;
        std::vector<std::string> get{"get", file};
        get.insert(get.end(), c.paths.begin(), c.paths.end());
        EXPECT_EQ(Tolvar(get).out, c.values) << c.content;
        if (c.status != 0) {
            EXPECT_EQ(ReadBytes(file), base) << c.content;
        }
    }
    // Other commands still name the field.
    EXPECT_TRUE(Has(Tolvar({"set", file, "Mch.CH2.RfPwr=Low"}).err, "set its ChOn to ON as well"));
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
    EXPECT_EQ(diff.out.rfind("Model: \"" + std::string(ModelName(GetParam())) + "\" -> \"" +
                                 otherName + "\"\n",
                             0),
              0u)
        << diff.out;
    EXPECT_EQ(Tolvar({"diff", Path("factory.zcf"), Copy("same.zcf")}).err, "");
}

TEST(DataCliImport, ErrorsNameTheRowAndColumnOrPathAndWriteNothing) {
    clitest::CTempDir dir;
    const std::string file = dir.Path("lmr.zcf");
    ASSERT_EQ(Tolvar({"new", "-o", file}).status, 0);
    const std::string before = ReadBytes(file);
    const std::string header = "CH,CH Atr,Rx Frequency,Tx Frequency,Text\n";
    const std::string noField = "nothing to import (the JSON names no field)";
    const std::string noRow = "nothing to import (no row of the CSV sets a field)";
    const struct {
        const char* name;
        std::string content;
        std::string message;
    } cases[] = {
        // The rules the import shares with the sheet (cells, channel numbers) are the
        // exchange's own tests.
        {"nochannel.csv", "Text\nX\n", "no \"CH\" column"},
        {"prio.csv", header + "1,A,,,\n2,A,,,\n", "row 3, column \"CH Atr\": Prio A"},
        {"quote.csv", header + "1,,145.125,,\"open\n", "not closed"},
        {"empty.csv", "", "nothing to import (the file is empty)"},
        {"blank.csv", "\r\n\n", "nothing to import (the file is empty)"},
        {"header.csv", "CH,Rx Frequency,Text\r\n", noRow},
        {"numbers.csv", "CH\n1\n2\n", noRow},
        {"model.json", "{\"Model\": \"PMR\", \"Mch\": {\"PrioA\": 2}}", "the JSON holds PMR"},
        {"path.json", "{\"Mch\": {\"CH1\": {\"Colour\": \"red\"}}}", "Mch.CH1.Colour: no such"},
        {"type.json", "{\"Mch\": {\"CH1\": {\"ChOn\": true}}}", "Mch.CH1.ChOn: takes a text"},
        {"overflow.json", "{\"Mch\": {\"PrioA\": 1e999}}",
         "not valid JSON: number overflow parsing '1e999'"},
        {"empty.json", "{}", noField},
        {"nofield.json", " {\"Model\": \"LMR\"}\n", noField},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.Path(c.name), c.content);
        const auto run = Tolvar({"import", file, "--from", dir.Path(c.name)});
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_EQ(run.err.rfind("tolvar import: " + dir.Path(c.name) + ": ", 0), 0u) << run.err;
        EXPECT_TRUE(Has(run.err, c.message)) << c.name;
        EXPECT_TRUE(Has(run.err, "\ntolvar import: nothing was written\n")) << c.name;
        EXPECT_EQ(ReadBytes(file), before) << c.name;
    }
    // What cannot be read is named without more.
    const auto missing = Tolvar({"import", file, "--from", dir.Path("missing.csv")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "tolvar import: " + dir.Path("missing.csv") + ": no such file\n");
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
    EXPECT_EQ(Tolvar({"diff", file, dir.Path("partial.zcf")}).out,
              "Memory > CH 1 > CH Atr: \"A\" -> \"\"\nMemory > CH 5 > CH Atr: \"\" -> \"A\"\n");
}

} // namespace
