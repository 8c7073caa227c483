#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/FileReplace.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

class FileReplace : public ::testing::Test {
public:
    std::string Path(const std::string& name) const { return tmp.Path(name); }
    void Write(const std::string& name, const std::string& content) const {
        testfiles::WriteBytes(Path(name), content);
    }
    std::string Read(const std::string& name) const { return testfiles::ReadBytes(Path(name)); }
    size_t Entries() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir))
            ++n;
        return n;
    }

    testfiles::CTempDir tmp;
    const fs::path dir = tmp.Root();
};

struct SStat {
    bool link = false;
    nlink_t links = 0;
    ino_t inode = 0;
};

SStat StatOf(const std::string& path) {
    struct stat l {};
    struct stat s {};
    SStat result;
    if (::lstat(path.c_str(), &l) == 0)
        result.link = S_ISLNK(l.st_mode);
    if (::stat(path.c_str(), &s) == 0) {
        result.links = s.st_nlink;
        result.inode = s.st_ino;
    }
    return result;
}

} // namespace

// Links: the file a link names takes the text, the link stays; hard links keep
// sharing the file.
TEST_F(FileReplace, LinksKeepWhatTheyAre) {
    struct Case {
        const char* name;
        std::function<void(FileReplace&)> make; // makes "save" (and what it names)
        const char* changed;                    // the file that holds the text after
        bool link;                              // "save" is still a symbolic link
    } cases[] = {
        {"plain", [](FileReplace& t) { t.Write("save", "old"); }, "save", false},
        {"relative link",
         [](FileReplace& t) {
             t.Write("target", "old");
             fs::create_symlink("target", t.Path("save"));
         },
         "target", true},
        {"absolute link",
         [](FileReplace& t) {
             t.Write("target", "old");
             fs::create_symlink(t.Path("target"), t.Path("save"));
         },
         "target", true},
        {"link to a link in a folder",
         [](FileReplace& t) {
             fs::create_directories(t.Path("sub"));
             t.Write("sub/target", "old");
             fs::create_symlink("target", t.Path("sub/middle"));
             fs::create_symlink("sub/middle", t.Path("save"));
         },
         "sub/target", true},
        {"dangling link", [](FileReplace& t) { fs::create_symlink("target", t.Path("save")); },
         "target", true},
        {"hard link",
         [](FileReplace& t) {
             t.Write("target", "old");
             fs::create_hard_link(t.Path("target"), t.Path("save"));
         },
         "target", false},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        c.make(*this);
        const SStat before = StatOf(Path(c.changed));
        const size_t entries = Entries();
        ASSERT_TRUE(ReplaceFile(Path("save"), "new text")) << c.name << ": " << errno;
        EXPECT_EQ(Read(c.changed), "new text") << c.name;
        EXPECT_EQ(Read("save"), "new text") << c.name;
        EXPECT_EQ(StatOf(Path("save")).link, c.link) << c.name;
        EXPECT_EQ(Entries(), entries + (before.links == 0 ? 1 : 0)) << c.name; // no temporary
        if (before.links > 1) {
            EXPECT_EQ(StatOf(Path(c.changed)).inode, before.inode) << c.name;
            EXPECT_EQ(StatOf(Path(c.changed)).links, before.links) << c.name;
        }
    }
}

// What is not a regular file is written into and stays what it is.
TEST_F(FileReplace, DevicesAndFifosAreWrittenInto) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    // The reading end is open first, so the write neither blocks nor waits for a thread.
    const int reader = ::open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(ReplaceFile(Path("fifo"), "through the pipe"));
    char received[64] = {};
    EXPECT_EQ(::read(reader, received, sizeof received), 16);
    ::close(reader);
    EXPECT_STREQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    EXPECT_EQ(Entries(), 1u);

    EXPECT_TRUE(ReplaceFile("/dev/null", "gone"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    if (fs::exists("/dev/full")) {
        errno = 0;
        EXPECT_FALSE(ReplaceFile("/dev/full", "no room"));
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

TEST_F(FileReplace, RefusalsSayWhy) {
    fs::create_directories(Path("folder"));
    Write("file", "x");
    fs::create_symlink("loop-b", Path("loop-a"));
    fs::create_symlink("loop-a", Path("loop-b"));
    fs::create_symlink("missing/target", Path("dangling"));
    const struct {
        std::string path;
        int error;         // of ReplaceFile and ReplaceProblem
        std::string where; // ReplaceProblem's
    } cases[] = {
        {Path("folder"), EISDIR, Path("folder")},
        {Path("no-folder/x.zcf"), ENOENT, Path("no-folder")},
        {Path("file/x.zcf"), ENOTDIR, Path("file/x.zcf")},
        {Path("loop-a"), ELOOP, Path("loop-a")},
        {Path("dangling"), ENOENT, Path("missing")},
        {"", ENOENT, ""},
    };
    for (const auto& c : cases) {
        std::string where;
        EXPECT_EQ(ReplaceProblem(c.path, where), c.error) << c.path;
        EXPECT_EQ(where, c.where) << c.path;
        errno = 0;
        EXPECT_FALSE(ReplaceFile(c.path, "text")) << c.path;
        EXPECT_EQ(errno, c.error) << c.path;
    }
    EXPECT_EQ(Read("file"), "x");
    EXPECT_EQ(Entries(), 5u);
    for (const std::string& fine : {Path("file"), Path("new.zcf"), std::string("/dev/null")}) {
        std::string where;
        EXPECT_EQ(ReplaceProblem(fine, where), 0) << fine;
    }
    // A file that may not be written, and one in a folder that cannot take the
    // temporary file (not for root, who may write anything).
    ::chmod(Path("file").c_str(), 0444);
    if (::access(Path("file").c_str(), W_OK) != 0) {
        std::string where;
        EXPECT_EQ(ReplaceProblem(Path("file"), where), EACCES);
        EXPECT_EQ(where, Path("file"));
        EXPECT_FALSE(ReplaceFile(Path("file"), "text"));
        EXPECT_EQ(Read("file"), "x");
    }
    ::chmod(Path("file").c_str(), 0640);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir.c_str(), W_OK) != 0) {
        std::string where;
        EXPECT_EQ(ReplaceProblem(Path("file"), where), EACCES);
        EXPECT_EQ(where, tmp.Root());
        EXPECT_FALSE(ReplaceFile(Path("file"), "text"));
        EXPECT_EQ(Read("file"), "x");
    }
    fs::permissions(dir, fs::perms::owner_all);
    // The replaced file keeps its permissions.
    ASSERT_TRUE(ReplaceFile(Path("file"), "text"));
    EXPECT_EQ(fs::status(Path("file")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
