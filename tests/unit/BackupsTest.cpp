// The backups folder: names made and read back, the order of the list, the limit that
// leaves other files alone, and folders that cannot take a backup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/nodes/Node.h"
#include "document/Backups.h"
#include "document/DocumentData.h"
#include "document/TolvarPortFactory.h"
#include "support/ScriptedInteraction.h"
#include "support/TempFiles.h"
#include "support/TextMatch.h"

namespace fs = std::filesystem;

#ifdef _WIN32
// The C runtime's own names for these on Windows.
static int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
static int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif

namespace {

constexpr std::time_t kWhen = 1714745527; // 2024-05-03 14:12:07 UTC

struct SDoc {
    explicit SDoc(int model = ModelLMR) : data(ui, model, nullptr, &ports) {}
    CScriptedInteraction ui;
    CTolvarPortFactory ports;
    CTolvarDocumentData data;
};

TEST(Backups, CommentsBecomeSafeNames) {
    const std::pair<std::string, std::string> cases[] = {
        {"NORTH SITE      \nRPT #2          ", "NORTH_SITE_RPT_2"},
        {"  Hill-top_3  \n", "Hill-top_3"},
        {"A & B", "A_B"},
        {"../a/b\\c:d*e?\xC3\xA4", "abcde"},
        {"   \n   ", ""},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234 6789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
    };
    for (const auto& [comment, name] : cases)
        EXPECT_EQ(CBackups::NameComment(comment), name) << comment;
}

TEST(Backups, NamesAreReadBackAndOthersAreNotBackups) {
    const std::pair<std::string, std::string> backups[] = {
        {"2024-05-03_14-12-07_read_LMR_NORTH_SITE.zcf",
         "2024-05-03 14:12:07 1 read LMR NORTH_SITE"},
        {"2024-05-03_14-12-07~2_write_PMR.zcf", "2024-05-03 14:12:07 2 write PMR "},
        {"1999-12-31_23-59-59~12_read_PMR_a-b_c.zcf", "1999-12-31 23:59:59 12 read PMR a-b_c"},
    };
    for (const auto& [name, parts] : backups) {
        SBackup b;
        ASSERT_TRUE(CBackups::ParseName(name, b)) << name;
        EXPECT_EQ(b.time + " " + std::to_string(b.counter) +
                      (b.operation == EBackupOperation::Write ? " write " : " read ") +
                      (b.model == ModelPMR ? "PMR " : "LMR ") + b.comment,
                  parts);
        EXPECT_EQ(CBackups::FileName(b), name);
    }
    const std::string t = "2024-05-03_14-12-07";
    for (const std::string& name : std::vector<std::string>{
             "notes.txt", t + "_read_LMR.zcf.bak", t + "_read_LMR.ZCF",
             "2024-13-03_14-12-07_read_LMR.zcf", "2024-05-03_24-12-07_read_LMR.zcf",
             "2024-05-03 14-12-07_read_LMR.zcf", t + "_copy_LMR.zcf", t + "~1_read_LMR.zcf",
             t + "~02_read_LMR.zcf", t + "~_read_LMR.zcf", t + "_read_XMR.zcf",
             t + "_read_LMRx.zcf", t + "_read_LMR_.zcf", t + "_read_LMR_a b.zcf",
             t + "_read_LMR_" + std::string(33, 'a') + ".zcf"}) {
        SBackup b;
        EXPECT_FALSE(CBackups::ParseName(name, b)) << name;
    }
}

// A read from the simulated repeater: its backup is named for the repeater's comment,
// holds the image read, and a later backup of the same second counts on.
TEST(Backups, KeepsTheImageNamedForTheRepeaterNewestFirst) {
    const char* zone = std::getenv("TZ");
    const std::string oldZone = zone ? zone : "";
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    SDoc source, doc;
    CNode* common = source.data.Registry().Model()->GetNodeByPath("CommonSet.Common");
    common->FindChild("Comment1")->SetText("NORTH SITE");
    common->FindChild("Comment2")->SetText("RPT #2");
    source.data.Registry().StoreTreeToImage();
    doc.ports.Simulator().WithRepeater(
        [&](CSimulatedRepeater& repeater) { repeater.SetImage(source.data.Registry().Image()); });
    doc.data.RsIo().SetPortName("SIM");
    ASSERT_EQ(doc.data.RsIo().Read(), ECloneResult::Ok);

    testfiles::CTempDir dir;
    const CBackups backups(dir.Path("new/backups"));
    const SBackupResult first = backups.Keep(doc.data, EBackupOperation::Read, kWhen);
    ASSERT_TRUE(first.Kept()) << first.warning;
    // Other files, and a folder named as a backup, are no backups.
    testfiles::WriteBytes(dir.Path("new/backups/notes.txt"), "x");
    fs::create_directory(dir.Path("new/backups/2024-05-03_14-12-09_read_LMR.zcf"));
    ASSERT_TRUE(backups.Keep(doc.data, EBackupOperation::Write, kWhen).Kept());
    ASSERT_TRUE(backups.Keep(doc.data, EBackupOperation::Read, kWhen + 1).Kept());
    zone ? ::setenv("TZ", oldZone.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();

    const std::vector<SBackup> list = backups.List();
    std::vector<std::string> names;
    for (const SBackup& backup : list)
        names.push_back(fs::path(backup.path).filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "2024-05-03_14-12-08_read_LMR_NORTH_SITE_RPT_2.zcf",
                         "2024-05-03_14-12-07~2_write_LMR_NORTH_SITE_RPT_2.zcf",
                         "2024-05-03_14-12-07_read_LMR_NORTH_SITE_RPT_2.zcf",
                     }));
    EXPECT_EQ(list[2].path, first.path);
    EXPECT_TRUE(std::is_sorted(names.rbegin(), names.rend())); // names sort as times do
    // The backup is a data file of the image read.
    SDoc reopened(ModelPMR);
    ASSERT_EQ(reopened.data.Open(first.path), EFileResult::Ok);
    EXPECT_EQ(reopened.data.Registry().Image().Bytes(), doc.data.Registry().Image().Bytes());
}

TEST(Backups, KeepsTheNewestTwoHundredAndLeavesOtherFilesAlone) {
    testfiles::CTempDir dir;
    const std::string folder = dir.Path("backups");
    fs::create_directory(folder);
    const auto older = [&](int i) {
        char time[32];
        std::snprintf(time, sizeof time, "2020-01-01_00-%02d-%02d", i / 60, i % 60);
        return folder + "/" + time + "_write_PMR.zcf";
    };
    for (int i = 0; i < static_cast<int>(CBackups::kLimit); ++i)
        testfiles::WriteBytes(older(i), "");
    const std::string foreign[] = {folder + "/notes.txt",
                                   folder + "/2019-01-01_00-00-00_read_LMR.zcf.bak",
                                   folder + "/2019-01-01_00-00-00_read_LMR.zcf"};
    testfiles::WriteBytes(foreign[0], "");
    testfiles::WriteBytes(foreign[1], "");
    fs::create_directory(foreign[2]);

    SDoc doc;
    const SBackupResult kept = CBackups(folder).Keep(doc.data, EBackupOperation::Read, kWhen);
    ASSERT_TRUE(kept.Kept()) << kept.warning;
    const std::vector<SBackup> list = CBackups(folder).List();
    ASSERT_EQ(list.size(), CBackups::kLimit);
    EXPECT_EQ(list.front().path, kept.path);
    EXPECT_EQ(list.back().path, older(1));
    EXPECT_FALSE(fs::exists(older(0)));
    for (const std::string& path : foreign)
        EXPECT_TRUE(fs::exists(path)) << path;
}

// No backup, a warning naming the folder and the reason, nothing left behind: a folder
// that cannot be made, and one that may not be written (unless root writes anyway).
TEST(Backups, AFolderThatCannotTakeOneGivesAWarning) {
    testfiles::CTempDir dir;
    testfiles::WriteBytes(dir.Path("file"), "");
    fs::create_directory(dir.Path("locked"));
    ASSERT_EQ(::chmod(dir.Path("locked").c_str(), 0500), 0);
    const bool locked = ::access(dir.Path("locked").c_str(), W_OK) != 0;
    SDoc doc;
    for (const auto& [folder, reason] : {std::pair(dir.Path("file/backups"), "Not a directory"),
                                         std::pair(dir.Path("locked"), "Permission denied")}) {
        if (!locked && reason == std::string("Permission denied")) {
            ::chmod(dir.Path("locked").c_str(), 0700);
            GTEST_SKIP() << "the folder stays writable for this user (root)";
        }
        const SBackupResult result = CBackups(folder).Keep(doc.data, EBackupOperation::Write);
        EXPECT_FALSE(result.Kept());
        EXPECT_EQ(result.warning, "no backup was kept in " + folder + ": " + reason);
        EXPECT_TRUE(!fs::is_directory(folder) || fs::is_empty(folder));
    }
    ::chmod(dir.Path("locked").c_str(), 0700);
}

} // namespace
