// The data file: a text file of hexadecimal records that holds an image, also the
// transfer format of the clone protocol.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datamodel/CloneManager.h"
#include "datamodel/EepromImage.h"

// Results of the reader and the writer.
enum class EFileResult {
    Ok,
    CannotOpen,
    FormatError,
    MismatchModel,
    MismatchRevision,
    NotEnoughData,
    DataOverflow,
    Error,
};
// "OK", "CANNOT_OPEN_FILE", "FORMAT_ERROR", ...: the texts shown to the user.
const char* FileResultText(EFileResult result);

// Inclusive address ranges; the list ends at a pair whose first address is not
// below the image size.
struct SAddrRange {
    uint32_t first, last;
};
using RangeTable = std::vector<SAddrRange>;

// Where and why the last read was refused.
struct SReadProblem {
    uint32_t line = 0;  // 1-based line of the file; 0 when no line is to blame
    std::string reason; // what is wrong with the line ("" when nothing is known)
    int error = 0;      // the errno of a file that could not be opened or read
};

// How many bytes of an address range a read stored.
struct SCoverage {
    uint32_t covered = 0, total = 0;
    bool Complete() const { return covered == total; }
};

// The file format itself, on a working copy of the image.
class CCloneFileFormat {
public:
    virtual ~CCloneFileFormat() = default;
    // The lines of a data file of the working copy: header, comment, records.
    std::vector<std::string> FormatLines(const RangeTable& ranges) const;
    virtual EFileResult WriteFile(const std::string& path, const RangeTable& ranges);
    virtual EFileResult ReadFile(const std::string& path);
    // The same reading from lines already in memory (no line ends).
    EFileResult ReadLines(const std::vector<std::string>& lines);
    virtual uint32_t GetRecordCount() const;
    virtual uint32_t GetModelCode() const { return m_modelCode; }
    virtual uint32_t GetRevision() const { return m_revision; }
    virtual bool InRange(uint32_t addr) const { return m_work.InRange(addr); }
    virtual uint8_t GetByte(uint32_t addr) const { return m_work.GetByte(addr); }
    virtual void SetByte(uint32_t addr, uint8_t b) { m_work.SetByte(addr, b); }
    virtual bool IsComplete() const { return true; }

    // Whether the last ReadFile stored every address of [first, last].
    bool Covers(uint32_t first, uint32_t last) const;
    // How many addresses of [first, last] the last read stored; kept until the next read.
    SCoverage Coverage(uint32_t first, uint32_t last) const;
    // Why the last read was refused; empty after a read that was not.
    const SReadProblem& LastProblem() const { return m_problem; }

protected:
    uint32_t m_modelCode = 0;
    uint32_t m_revision = 0;
    uint32_t m_imageSize = 0;
    uint32_t m_bytesPerRecord = 0;
    std::string m_comment;
    CEepromImage m_work{65536};
    std::vector<bool> m_stored;
    SReadProblem m_problem;

private:
    // Next line without its line end; false at the end. tooLong: the line was cut.
    using LineSource = bool (*)(void* context, std::string& line, bool& tooLong);
    EFileResult Read(LineSource next, void* context);
    EFileResult ReadHeader(LineSource next, void* context);
    EFileResult ReadRecord(const std::string& line);
    // Starts a read: nothing stored, no problem.
    void StartRead();
    EFileResult Refuse(EFileResult result, std::string reason);

    uint32_t m_line = 0; // the line being read
};

class CCloneFileIoManager : public CCloneFileFormat, public CCloneManagerObject {
public:
    // The data-file lines of the ranges of image (what Save writes, a clone write sends).
    virtual std::vector<std::string> Format(const RangeTable& ranges, const CEepromImage& image);
    EFileResult Save(const std::string& path, const RangeTable& ranges, const CEepromImage& image);
    // As Save, but the image goes out exactly as it is (nothing taken from the tree).
    EFileResult SaveExact(const std::string& path, const RangeTable& ranges,
                          const CEepromImage& image);
    // Only an Ok read replaces the image; otherwise it stays exactly as it was.
    EFileResult Load(const std::string& path, CEepromImage& image);
    EFileResult LoadLines(const std::vector<std::string>& lines, CEepromImage& image);

protected:
    // Model code and revision from the model object.
    void TakeModelConstants();
    EFileResult TakeIfOk(EFileResult result, CEepromImage& image);
};

class CQCloneFileIoManager : public CCloneFileIoManager {
public:
    // Takes the comment from the tree and normalises the registry's image first.
    std::vector<std::string> Format(const RangeTable& ranges, const CEepromImage& image) override;
};

class CTolvarCloneFileIoManager : public CQCloneFileIoManager {
public:
    void Initialize() override;
    static const RangeTable& FullRange();
    static const RangeTable& UserRange();
    // What the last read stored of the user range (00A0-19FF).
    SCoverage UserCoverage() const;
};
