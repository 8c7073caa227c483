#include "CloneFileIoManager.h"

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
bool ReadLine(std::FILE* file, std::string& line, bool& tooLong) {
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

std::string Hex(unsigned value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

} // namespace

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

std::string CCloneFileFormat::WriteFile(const std::string& path, const RangeTable& ranges) {
    std::string text = Hex(m_modelCode, 4) + Hex(m_revision, 4) + "\r\n";
    text += "#" + m_comment + "\r\n";
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
            text += Hex(a, 4) + Hex(n, 2);
            for (uint32_t i = 0; i < n; ++i)
                text += Hex(m_work.GetByte(a + i), 2);
            text += "\r\n";
            a += n;
        }
    }

    return ReplaceFile(path, text) ? kFileOk : kFileCannotOpen;
}

std::string CCloneFileFormat::ReadHeader(std::FILE* file) {
    std::string line;
    bool tooLong = false;
    ReadLine(file, line, tooLong);
    if (tooLong || line.size() != 8)
        return kFileFormatError;
    const std::string expected = Hex(m_modelCode, 4) + Hex(m_revision, 4);
    for (size_t i = 0; i < 8; ++i) {
        if (!IsHex(line[i]))
            return kFileFormatError;
        if (line[i] == expected[i])
            continue;
        if (i < 4)
            return kFileMismatchModel;
        if (m_revision == 0)
            break;
        return kFileMismatchRevision;
    }
    return kFileOk;
}

std::string CCloneFileFormat::ReadRecord(const std::string& line) {
    if (line.size() < 8 || line.size() > kMaxRecordChars)
        return kFileFormatError;
    for (char c : line)
        if (!IsHex(c))
            return kFileFormatError;
    const uint32_t addr = HexNumber(line, 0, 4);
    const uint32_t n = HexNumber(line, 4, 2);
    if (2 * n != line.size() - 6)
        return kFileFormatError;
    if (!m_work.InRange(addr) || !m_work.InRange(addr + n - 1))
        return kFileDataOverflow;
    for (uint32_t i = 0; i < n; ++i) {
        m_work.SetByte(addr + i, static_cast<uint8_t>(HexNumber(line, 6 + 2 * i, 2)));
        if (addr + i < m_stored.size())
            m_stored[addr + i] = true;
    }
    return kFileOk;
}

std::string CCloneFileFormat::ReadFile(const std::string& path) {
    m_stored.assign(m_work.GetSize(), false);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return kFileCannotOpen;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return kFileCannotOpen;
    std::string result = ReadHeader(file.get());
    if (result != kFileOk)
        return result;
    std::string line;
    bool tooLong = false;
    while (ReadLine(file.get(), line, tooLong)) {
        if (!tooLong && line.empty())
            return kFileFormatError;
        if (line[0] == '#')
            continue;
        if (tooLong)
            return kFileFormatError;
        result = ReadRecord(line);
        if (result != kFileOk)
            return result;
    }
    if (std::ferror(file.get()))
        return kFileCannotOpen;
    return IsComplete() ? kFileOk : kFileNotEnoughData;
}

void CCloneFileIoManager::TakeModelConstants() {
    if (const CCloneManager* registry = GetRegistry())
        if (const CQModelManager* model = registry->Model()) {
            m_modelCode = model->GetModelObject().modelCode;
            m_revision = model->GetModelObject().revision;
        }
}

std::string CCloneFileIoManager::Save(const std::string& path, const RangeTable& ranges,
                                      const CEepromImage& image) {
    TakeModelConstants();
    m_work.CopyFrom(image);
    return WriteFile(path, ranges);
}

std::string CCloneFileIoManager::Load(const std::string& path, CEepromImage& image) {
    TakeModelConstants();
    m_work.CopyFrom(image);
    const std::string result = ReadFile(path);
    if (result == kFileOk)
        image.CopyFrom(m_work);
    return result;
}

std::string CQCloneFileIoManager::Save(const std::string& path, const RangeTable& ranges,
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
    return CCloneFileIoManager::Save(path, ranges, image);
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
