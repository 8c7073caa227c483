#include "CloneFileIoManager.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "datafile/FileReplace.h"
#include "datamodel/DataManagers.h"
#include "datamodel/Hex.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/Node.h"

namespace {

// The longest line the reader takes in whole; longer lines are only counted.
constexpr size_t kMaxLine = 600;
constexpr size_t kMaxRecordChars = 516;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads one line without its line break. Returns false at end of file with
// nothing read. Sets tooLong when the line did not fit (the rest is skipped).
bool ReadLine(void* context, std::string& line, bool& tooLong) {
    std::FILE* file = static_cast<std::FILE*>(context);
    line.clear();
    tooLong = false;
    int c = std::getc(file);
    if (c == EOF)
        return false;
    while (c != EOF && c != '\n') {
        if (line.size() < kMaxLine)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
        c = std::getc(file);
    }
    if (!tooLong && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool IsHex(char c) { return HexDigit(c) >= 0; }

unsigned HexNumber(const std::string& text, size_t pos, size_t digits) {
    unsigned n = 0;
    for (size_t i = 0; i < digits; ++i)
        n = n * 16 + static_cast<unsigned>(HexDigit(text[pos + i]));
    return n;
}


// The same over lines in memory.
struct SLineCursor {
    const std::vector<std::string>& lines;
    size_t next = 0;
};
bool NextLine(void* context, std::string& line, bool& tooLong) {
    auto& cursor = *static_cast<SLineCursor*>(context);
    if (cursor.next >= cursor.lines.size())
        return false;
    const std::string& whole = cursor.lines[cursor.next++];
    tooLong = whole.size() > kMaxLine;
    line = whole.substr(0, kMaxLine);
    if (!tooLong && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

// The whole file at once, CR LF after every line.
EFileResult WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return ReplaceFile(path, text) ? EFileResult::Ok : EFileResult::CannotOpen;
}

} // namespace

const char* FileResultText(EFileResult result) {
    switch (result) {
    case EFileResult::Ok: return "OK";
    case EFileResult::CannotOpen: return "CANNOT_OPEN_FILE";
    case EFileResult::FormatError: return "FORMAT_ERROR";
    case EFileResult::MismatchModel: return "MISMATCH_MODEL";
    case EFileResult::MismatchRevision: return "MISMATCH_REVISION";
    case EFileResult::NotEnoughData: return "NOT_ENOUGH_DATA";
    case EFileResult::DataOverflow: return "DATA_OVERFLOW";
    case EFileResult::Error: return "ERROR";
    }
    return "ERROR";
}

uint32_t CCloneFileFormat::GetRecordCount() const {
    if (m_bytesPerRecord == 0)
        return 0;
    return m_imageSize / m_bytesPerRecord + (m_imageSize % m_bytesPerRecord ? 1 : 0);
}

bool CCloneFileFormat::Covers(uint32_t first, uint32_t last) const {
    if (last >= m_stored.size() || first > last)
        return false;
    for (uint32_t a = first; a <= last; ++a)
        if (!m_stored[a])
            return false;
    return true;
}

SCoverage CCloneFileFormat::Coverage(uint32_t first, uint32_t last) const {
    SCoverage coverage;
    if (first > last)
        return coverage;
    coverage.total = last - first + 1;
    for (uint32_t a = first; a <= last && a < m_stored.size(); ++a)
        coverage.covered += m_stored[a] ? 1 : 0;
    return coverage;
}

std::vector<std::string> CCloneFileFormat::FormatLines(const RangeTable& ranges) const {
    std::vector<std::string> lines = {HexText(m_modelCode, 4) + HexText(m_revision, 4), "#" + m_comment};
    const uint32_t size = m_work.GetSize();
    for (const SAddrRange& range : ranges) {
        if (range.first >= size)
            break;
        if (range.last >= size)
            break;
        // A range's last byte is written too, so no byte of it is ever left out.
        if (range.first > range.last)
            continue;
        for (uint32_t a = range.first; a <= range.last;) {
            uint32_t n = 16 - (a % 16);
            if (range.last < a + n - 1)
                n = range.last - a + 1;
            std::string line = HexText(a, 4) + HexText(n, 2);
            for (uint32_t i = 0; i < n; ++i)
                line += HexText(m_work.GetByte(a + i), 2);
            lines.push_back(std::move(line));
            a += n;
        }
    }
    return lines;
}

EFileResult CCloneFileFormat::WriteFile(const std::string& path, const RangeTable& ranges) {
    return WriteLines(path, FormatLines(ranges));
}

void CCloneFileFormat::StartRead() {
    m_stored.assign(m_work.GetSize(), false);
    m_problem = {};
    m_line = 0;
}

EFileResult CCloneFileFormat::Refuse(EFileResult result, std::string reason) {
    m_problem.line = m_line;
    m_problem.reason = std::move(reason);
    return result;
}

EFileResult CCloneFileFormat::ReadHeader(LineSource next, void* context) {
    std::string line;
    bool tooLong = false;
    m_line = 1;
    if (!next(context, line, tooLong))
        return Refuse(EFileResult::FormatError, "the file is empty");
    const std::string wrong = "the first line is not 8 hex digits (model code and revision)";
    if (tooLong || line.size() != 8)
        return Refuse(EFileResult::FormatError, wrong);
    const std::string expected = HexText(m_modelCode, 4) + HexText(m_revision, 4);
    // A header that is not 8 hex digits is malformed, whatever its first digits say.
    if (!std::all_of(line.begin(), line.end(), IsHex))
        return Refuse(EFileResult::FormatError, wrong);
    for (size_t i = 0; i < 8; ++i) {
        if (line[i] == expected[i])
            continue;
        if (i < 4)
            return Refuse(EFileResult::MismatchModel, "the model code is " + line.substr(0, 4) +
                                                          ", not " + expected.substr(0, 4));
        if (m_revision == 0)
            break;
        return Refuse(EFileResult::MismatchRevision,
                      "the revision is " + line.substr(4) + ", not " + expected.substr(4));
    }
    return EFileResult::Ok;
}

EFileResult CCloneFileFormat::ReadRecord(const std::string& line) {
    if (line.size() < 8)
        return Refuse(EFileResult::FormatError,
                      "a record is shorter than an address, a count and one byte");
    if (line.size() > kMaxRecordChars)
        return Refuse(EFileResult::FormatError, "a record is longer than 255 bytes");
    for (char c : line)
        if (!IsHex(c))
            return Refuse(EFileResult::FormatError,
                          "a record holds characters other than hex digits");
    const uint32_t addr = HexNumber(line, 0, 4);
    const uint32_t n = HexNumber(line, 4, 2);
    if (line.size() % 2 != 0)
        return Refuse(EFileResult::FormatError, "a record holds an odd number of digits");
    if (2 * n != line.size() - 6)
        return Refuse(EFileResult::FormatError, "the record's count is " + std::to_string(n) +
                                                    " bytes but it holds " +
                                                    std::to_string((line.size() - 6) / 2));
    if (!m_work.InRange(addr) || !m_work.InRange(addr + n - 1))
        return Refuse(EFileResult::DataOverflow, "the record at " + HexText(addr, 4) +
                                                     " reaches past the last address " +
                                                     HexText(m_work.GetSize() - 1, 4));
    for (uint32_t i = 0; i < n; ++i) {
        m_work.SetByte(addr + i, static_cast<uint8_t>(HexNumber(line, 6 + 2 * i, 2)));
        if (addr + i < m_stored.size())
            m_stored[addr + i] = true;
    }
    return EFileResult::Ok;
}

EFileResult CCloneFileFormat::ReadFile(const std::string& path) {
    StartRead();
    std::error_code ec;
    if (std::filesystem::is_directory(FilePath(path), ec)) {
        m_problem.error = EISDIR;
        return EFileResult::CannotOpen;
    }
    FilePtr file(OpenFile(path, "rb"));
    if (!file) {
        m_problem.error = errno;
        return EFileResult::CannotOpen;
    }
    const EFileResult result = Read(ReadLine, file.get());
    if (std::ferror(file.get())) {
        m_problem = {0, {}, errno ? errno : EIO};
        return EFileResult::CannotOpen;
    }
    return result;
}

EFileResult CCloneFileFormat::ReadLines(const std::vector<std::string>& lines) {
    StartRead();
    SLineCursor cursor{lines};
    return Read(NextLine, &cursor);
}

EFileResult CCloneFileFormat::Read(LineSource next, void* context) {
    EFileResult result = ReadHeader(next, context);
    if (result != EFileResult::Ok)
        return result;
    std::string line;
    bool tooLong = false;
    while (next(context, line, tooLong)) {
        ++m_line;
        if (!tooLong && line.empty())
            return Refuse(EFileResult::FormatError, "an empty line");
        if (line[0] == '#')
            continue;
        if (tooLong)
            return Refuse(EFileResult::FormatError,
                          "a line longer than " + std::to_string(kMaxLine) + " characters");
        result = ReadRecord(line);
        if (result != EFileResult::Ok)
            return result;
    }
    m_line = 0;
    return IsComplete() ? EFileResult::Ok
                        : Refuse(EFileResult::NotEnoughData, "the records do not fill the image");
}

void CCloneFileIoManager::TakeModelConstants() {
    if (const CCloneManager* registry = GetRegistry())
        if (const CQModelManager* model = registry->Model()) {
            m_modelCode = model->GetModelObject().modelCode;
            m_revision = model->GetModelObject().revision;
        }
}

std::vector<std::string> CCloneFileIoManager::Format(const RangeTable& ranges,
                                                     const CEepromImage& image) {
    TakeModelConstants();
    m_work.CopyFrom(image);
    return FormatLines(ranges);
}

EFileResult CCloneFileIoManager::Save(const std::string& path, const RangeTable& ranges,
                                      const CEepromImage& image) {
    return WriteLines(path, Format(ranges, image));
}

EFileResult CCloneFileIoManager::SaveExact(const std::string& path, const RangeTable& ranges,
                                           const CEepromImage& image) {
    TakeModelConstants();
    m_work.CopyFrom(image);
    return WriteFile(path, ranges);
}

EFileResult CCloneFileIoManager::TakeIfOk(EFileResult result, CEepromImage& image) {
    if (result == EFileResult::Ok)
        image.CopyFrom(m_work);
    return result;
}

EFileResult CCloneFileIoManager::Load(const std::string& path, CEepromImage& image) {
    TakeModelConstants();
    m_work.CopyFrom(image);
    return TakeIfOk(ReadFile(path), image);
}

EFileResult CCloneFileIoManager::LoadLines(const std::vector<std::string>& lines,
                                           CEepromImage& image) {
    TakeModelConstants();
    m_work.CopyFrom(image);
    return TakeIfOk(ReadLines(lines), image);
}

std::vector<std::string> CQCloneFileIoManager::Format(const RangeTable& ranges,
                                                      const CEepromImage& image) {
    CCloneManager& registry = *GetRegistry();
    const CNode* common = registry.Model()->GetNodeByPath("CommonSet.Common");
    std::string comment;
    if (common) {
        if (const CNode* first = common->FindChild("Comment1"))
            comment += first->GetText();
        if (const CNode* second = common->FindChild("Comment2"))
            comment += second->GetText();
    }
    // The comment line is one line of text.
    for (char& c : comment)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    m_comment = comment.substr(0, 32);
    if (&image == &registry.Image())
        registry.Adjust()->Normalise();
    return CCloneFileIoManager::Format(ranges, image);
}

void CTolvarCloneFileIoManager::Initialize() {
    m_modelCode = kModelCode;
    m_revision = kRevision;
    m_imageSize = kImageSize;
    m_bytesPerRecord = 16;
}

const RangeTable& CTolvarCloneFileIoManager::FullRange() {
    static const RangeTable table = {{0x0000, 0x19FF}, {0xFFFF, 0xFFFF}};
    return table;
}

const RangeTable& CTolvarCloneFileIoManager::UserRange() {
    static const RangeTable table = {{0x00A0, 0x19FF}, {0xFFFF, 0xFFFF}};
    return table;
}

SCoverage CTolvarCloneFileIoManager::UserCoverage() const {
    const SAddrRange& user = UserRange().front();
    return Coverage(user.first, user.last);
}
