// Saving on Windows: the wide API for UTF-8 names, hard links kept, read-only refused.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <windows.h>
#undef ReplaceFile // the system's; this one is the program's

#include "datafile/FileReplace.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

TEST(FileReplaceWindows, SavesInPlaceOfTheOldFileAndLeavesNothingBeside) {
    testfiles::CTempDir tmp;
    const std::string name = tmp.Path("r\xC3\xA9p\xC3\xA9teur \xE2\x84\x96" "1.zcf"); // UTF-8
    for (const char* text : {"first", "second, longer text"}) {
        ASSERT_TRUE(ReplaceFile(name, text)) << errno;
        std::FILE* file = OpenFile(name, "rb");
        ASSERT_NE(file, nullptr);
        char buffer[64] = {};
        EXPECT_EQ(std::string(buffer, std::fread(buffer, 1, sizeof buffer, file)), text);
        std::fclose(file);
    }
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(tmp.Root()))
        ++entries;
    EXPECT_EQ(entries, 1u);
    EXPECT_TRUE(fs::exists(FilePath(name)));

    // A second name of the file sees the new text too.
    const std::string other = tmp.Path("other.zcf");
    ASSERT_TRUE(CreateHardLinkW(FilePath(other).c_str(), FilePath(name).c_str(), nullptr));
    ASSERT_TRUE(ReplaceFile(name, "third"));
    EXPECT_EQ(testfiles::ReadBytes(other), "third");

    // Read-only: refused before anything is written, and the file stays.
    SetFileAttributesW(FilePath(name).c_str(), FILE_ATTRIBUTE_READONLY);
    std::string where;
    EXPECT_EQ(ReplaceProblem(name, where), EACCES);
    EXPECT_FALSE(ReplaceFile(name, "fourth"));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(testfiles::ReadBytes(other), "third");
    SetFileAttributesW(FilePath(name).c_str(), FILE_ATTRIBUTE_NORMAL);

    // A folder, a missing folder, and a device.
    EXPECT_EQ(ReplaceProblem(tmp.Root(), where), EISDIR);
    EXPECT_EQ(ReplaceProblem(tmp.Path("none/x.zcf"), where), ENOENT);
    EXPECT_EQ(where, tmp.Path("none"));
    EXPECT_EQ(ReplaceProblem("NUL", where), 0);
    EXPECT_TRUE(ReplaceFile("NUL", "gone"));
}
