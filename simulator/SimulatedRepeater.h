// The repeater's side of the clone protocol, with the cable's echo: bytes from the PC
// go in, the line's bytes back to the PC (echo first, then answers) come out of Output().
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "clone/Frame.h"
#include "datamodel/EepromImage.h"
#include "simulator/Faults.h"
#include "simulator/LineQueue.h"

class CSimulatedRepeater {
public:
    using Clock = CLineQueue::Clock;

    // Starts with the LMR factory image.
    CSimulatedRepeater();

    // The factory image of a variant (0 LMR, 1 PMR).
    void LoadFactoryImage(int model);
    // Takes the image, sized to the repeater's 8192 bytes.
    void SetImage(const CEepromImage& image);
    const CEepromImage& Image() const { return m_image; }

    void SetModelCode(uint16_t code) { m_modelCode = code; }
    uint16_t GetModelCode() const { return m_modelCode; }
    void SetRevision(uint16_t revision) { m_revision = revision; }
    uint16_t GetRevision() const { return m_revision; }
    // Option units (byte 33 of the information block); values above 0xEF become 0xEF.
    void SetOptionByte(uint8_t value);
    // Sub-revision (byte 37); values above 0xEF become 0xEF.
    void SetSubRevision(uint8_t value);
    // Send at the line rate (10 bits a byte) instead of all at once.
    void SetPacing(bool paced) { m_paced = paced; }
    CFaultSet& Faults() { return m_faults; }
    uint32_t Speed() const { return m_speed; }

    // 38 bytes: comments from 0x150 and 0x160, option byte, variant, sub-revision.
    ByteVec InformationBlock() const;

    // Bytes the PC sent at lineSpeed (0: whatever the repeater listens at). The repeater
    // understands them only at its own speed; the cable echoes them regardless.
    void Receive(const uint8_t* data, size_t count, uint32_t lineSpeed, Clock::time_point now);
    CLineQueue& Output() { return m_output; }

    // Told about every request (a short line of text).
    std::function<void(const std::string&)> onLog;
    // Called with the new image after each completed write.
    std::function<void(const CEepromImage&)> onWritten;

private:
    void Dispatch(const ByteVec& body, Clock::time_point now);
    void Send(uint8_t command, const ByteVec& payload, Clock::time_point now);
    void SendImage(Clock::time_point now);
    void TakeRecord(const ByteVec& payload);
    void FinishWrite(const ByteVec& payload, Clock::time_point now);
    void Log(const std::string& text);

    CEepromImage m_image;
    uint16_t m_modelCode;
    uint16_t m_revision;
    uint8_t m_optionByte = 0;
    uint8_t m_subRevision = 0;
    bool m_paced = false;
    uint32_t m_speed = 9600;
    CFaultSet m_faults;
    CFrameReceiver m_receiver;
    CLineQueue m_output;
    int m_echoPos = 0; // bytes since the last preamble byte, for the echo fault

    bool m_writing = false;
    bool m_writeBad = false;
    int m_writeRecords = 0;
    CEepromImage m_staging;
};
