// The data-file reader on arbitrary text, checked against the rules of
// docs/file-format.md, against itself reading the same text from a file, and against
// the writer (what it writes of an accepted image reads back as the same bytes).
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "datafile/CloneFileIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/Hex.h"

namespace {

constexpr size_t kLongLine = 600;

bool AllHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; });
}

unsigned Number(const std::string& text, size_t at, size_t digits) {
    unsigned n = 0;
    for (size_t i = 0; i < digits; ++i)
        n = n * 16 + static_cast<unsigned>(HexDigit(text[at + i]));
    return n;
}

// The reader as the format notes describe it, written plainly: the result and, when
// it is OK, the image.
// ranges: the address range of every record, in the order of the file.
EFileResult Expected(const std::vector<std::string>& lines, std::vector<uint8_t>& image,
                     RangeTable& ranges) {
    auto lineText = [](const std::string& raw) {
        if (raw.size() <= kLongLine && !raw.empty() && raw.back() == '\r')
            return raw.substr(0, raw.size() - 1);
        return raw;
    };
    const std::string header = lines.empty() ? std::string() : lineText(lines[0]);
    if (header.size() != 8 || !AllHex(header)) return EFileResult::FormatError;
    if (header.compare(0, 4, "2368") != 0) return EFileResult::MismatchModel;
    if (header.compare(4, 4, "0100") != 0) return EFileResult::MismatchRevision;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string text = lineText(lines[i]);
        if (text.empty()) return EFileResult::FormatError;
        if (text[0] == '#') continue;
        if (text.size() > kLongLine || text.size() < 8 || !AllHex(text))
            return EFileResult::FormatError;
        const unsigned address = Number(text, 0, 4), count = Number(text, 4, 2);
        if (text.size() != 6 + 2 * count) return EFileResult::FormatError;
        if (address + count > image.size()) return EFileResult::DataOverflow;
        for (unsigned k = 0; k < count; ++k)
            image[address + k] = static_cast<uint8_t>(Number(text, 6 + 2 * k, 2));
        ranges.push_back({address, address + count - 1});
    }
    return EFileResult::Ok;
}

std::string Describe(EFileResult got, EFileResult expected) {
    return std::string("reader ") + FileResultText(got) + ", expected " +
           FileResultText(expected);
}

struct SState {
    SState() {
        reader.Initialize();
        const auto& table = FactoryTable(ModelLMR);
        factory.Write(0, table.data(), static_cast<uint32_t>(table.size()));
        for (uint32_t a = kTableSize; a < kImageSize; ++a)
            factory.SetByte(a, static_cast<uint8_t>(a * 7));
        // The file the reader opens by name: in memory, as a file on disk costs the
        // kernel's write-back of every input and made the runs several times slower.
        fd = ::memfd_create("tolvar-fuzz-datafile", 0);
        FUZZ_CHECK(fd >= 0, "memfd_create failed");
        path = "/proc/self/fd/" + std::to_string(fd);
    }
    ~SState() { ::close(fd); }

    // The input as the file's whole content.
    bool WriteFile(const uint8_t* data, size_t size) const {
        return ::ftruncate(fd, 0) == 0 && ::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size);
    }

    CTolvarCloneFileIoManager reader;
    CEepromImage factory{kImageSize};
    CEepromImage image{kImageSize}, fromFile{kImageSize}, readBack{kImageSize};
    int fd = -1;
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SState s;
    // The lines as the file reader sees them: split at LF, the LF dropped; a last line
    // without LF counts, an empty tail after the last LF does not.
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);

    s.image.CopyFrom(s.factory);
    const EFileResult result = s.reader.LoadLines(lines, s.image);

    std::vector<uint8_t> records = s.factory.Bytes();
    RangeTable ranges;
    const EFileResult expected = Expected(lines, records, ranges);
    FUZZ_CHECK(result == expected, Describe(result, expected));
    if (result == EFileResult::Ok)
        FUZZ_CHECK(s.image.Bytes() == records, "the image differs from the records");
    else
        FUZZ_CHECK(s.image == s.factory, "a refused file changed the image");

    // The same text from a file.
    FUZZ_CHECK(s.WriteFile(data, size), "the input could not be written to the file");
    s.fromFile.CopyFrom(s.factory);
    const EFileResult fileResult = s.reader.Load(s.path, s.fromFile);
    FUZZ_CHECK(fileResult == result, Describe(fileResult, result) + " (file)");
    FUZZ_CHECK(s.fromFile == s.image, "the file gave another image than the lines");
    if (result != EFileResult::Ok || ranges.empty())
        return 0;

    // The writer, given the records' address ranges in the order of the file (any
    // order, overlapping, not on 16-byte boundaries), writes lines that read back as
    // exactly those bytes of the accepted image.
    ranges.push_back({0xFFFF, 0xFFFF});
    const std::vector<std::string> saved = s.reader.FormatLines(ranges);
    s.readBack.Resize(kImageSize);
    const EFileResult back = s.reader.LoadLines(saved, s.readBack);
    FUZZ_CHECK(back == EFileResult::Ok, Describe(back, EFileResult::Ok) + " (written lines)");
    std::vector<bool> covered(kImageSize);
    for (const SAddrRange& range : ranges)
        for (uint32_t a = range.first; a <= range.last && a < kImageSize; ++a)
            covered[a] = true;
    for (uint32_t a = 0; a < kImageSize; ++a)
        FUZZ_CHECK(s.readBack.GetByte(a) == (covered[a] ? s.image.GetByte(a) : 0),
                   "written and read back, byte " + std::to_string(a) + " differs");
    return 0;
}
