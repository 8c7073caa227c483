// The data file: a text file of hexadecimal records that holds an image, also the
// transfer format of the clone protocol.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datamodel/CloneManager.h"
#include "datamodel/EepromImage.h"

// Result texts of the reader and the writer.
inline constexpr const char* kFileOk = "OK";
inline constexpr const char* kFileCannotOpen = "CANNOT_OPEN_FILE";
inline constexpr const char* kFileFormatError = "FORMAT_ERROR";
inline constexpr const char* kFileMismatchModel = "MISMATCH_MODEL";
inline constexpr const char* kFileMismatchRevision = "MISMATCH_REVISION";
inline constexpr const char* kFileNotEnoughData = "NOT_ENOUGH_DATA";
inline constexpr const char* kFileDataOverflow = "DATA_OVERFLOW";
inline constexpr const char* kFileError = "ERROR";

// Inclusive address ranges; the list ends at a pair whose first address is not
// below the image size.
struct SAddrRange {
    uint32_t first, last;
};
using RangeTable = std::vector<SAddrRange>;

// The file format itself, on a working copy of the image.
class CCloneFileFormat {
public:
    virtual ~CCloneFileFormat() = default;
    virtual std::string WriteFile(const std::string& path, const RangeTable& ranges);
    virtual std::string ReadFile(const std::string& path);
    virtual uint32_t GetRecordCount() const;
    virtual uint32_t GetModelCode() const { return m_modelCode; }
    virtual uint32_t GetRevision() const { return m_revision; }
    virtual std::string GetComment() const { return m_comment; }
    virtual uint32_t GetImageSize() const { return m_imageSize; }
    virtual uint32_t GetBytesPerRecord() const { return m_bytesPerRecord; }
    virtual bool InRange(uint32_t addr) const { return m_work.InRange(addr); }
    virtual uint8_t GetByte(uint32_t addr) const { return m_work.GetByte(addr); }
    virtual void SetByte(uint32_t addr, uint8_t b) { m_work.SetByte(addr, b); }
    virtual bool IsComplete() const { return true; }

    // Whether the last ReadFile stored every address of [first, last].
    bool Covers(uint32_t first, uint32_t last) const;
    CEepromImage& WorkingCopy() { return m_work; }

protected:
    uint32_t m_modelCode = 0;
    uint32_t m_revision = 0;
    uint32_t m_imageSize = 0;
    uint32_t m_bytesPerRecord = 0;
    std::string m_comment;
    CEepromImage m_work{65536};
    std::vector<bool> m_stored;

private:
    std::string ReadHeader(std::FILE* file);
    std::string ReadRecord(const std::string& line);
};

class CCloneFileIoManager : public CCloneFileFormat, public CCloneManagerObject {
public:
    virtual std::string Save(const std::string& path, const RangeTable& ranges,
                             const CEepromImage& image);
    // Only an "OK" read replaces the image; otherwise it stays exactly as it was.
    virtual std::string Load(const std::string& path, CEepromImage& image);

protected:
    // Model code and revision from the model object.
    void TakeModelConstants();
};

class CQCloneFileIoManager : public CCloneFileIoManager {
public:
    // Takes the comment from the tree and normalises the image before writing.
    std::string Save(const std::string& path, const RangeTable& ranges,
                     const CEepromImage& image) override;
};

class CTolvarCloneFileIoManager : public CQCloneFileIoManager {
public:
    void Initialize() override;
    static const RangeTable& FullRange();
    static const RangeTable& UserRange();
};
