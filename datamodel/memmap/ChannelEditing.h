// The memory channel operations of the channel sheets, on the tree: one channel as
// the clipboard record, clearing a channel to the blank template, and deleting or
// inserting a channel with the Prio A and emergency numbers following the move.
// Channels move by exchanging their field holders, never by copying values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CCloneManager;
class CNode;
class CFieldHolderNode;

inline constexpr size_t kChannelRecordBytes = 324;
using ChannelRecord = std::array<uint8_t, kChannelRecordBytes>;

// The record of the fields under holder (a channel's field holder).
ChannelRecord CopyChannelRecord(const CNode& holder);
// Writes a record into holder, every value through its node (frequencies parsed and
// kept to the raster, numbers clamped), ChOn last. A record from outside: texts are
// read only up to their field's size, terminator or not. False, and nothing written,
// when size is not the record's size.
bool PasteChannelRecord(CNode& holder, const uint8_t* data, size_t size);

class CChannelEditor {
public:
    explicit CChannelEditor(CCloneManager& registry) : m_registry(registry) {}

    // Rows of bank 1 ("BnkSet1"); row k shows channel k.
    int RowCount() const;
    // The field holder of channel n (1..32), or of the template for 0; null outside.
    CNode* Holder(int channel) const;
    // Channel n's record replaced by the template's (n 1-based within the sheet).
    bool ClearChannel(int n);
    // Several channels cleared as one step; more than one asks first ("Clear CH 4-9 ?")
    // when any is in use. False when nothing changed.
    bool ClearChannels(const std::vector<int>& channels);
    // Pastes a clipboard record into channel n; false, and nothing changed, when
    // the record is not a whole one or n names no channel.
    bool PasteChannel(int n, const uint8_t* data, size_t size);
    // Pastes whole records into the channels from first on, as one step: refused (with
    // the reason in refusal) when they would run past the last channel; more than one
    // record asks once when channels in use would be replaced.
    bool PasteChannels(int first, const uint8_t* data, size_t size, std::string& refusal);
    // Deletes the channel at row k (1-based): asks "Delete CH ?" for a channel in use;
    // the channels below move up, the last becomes blank. False when nothing changed.
    bool DeleteChannel(int k);
    // Deletes several channels as one step, with one question ("Delete CH 3-5 ?") when
    // any is in use.
    bool DeleteChannels(const std::vector<int>& channels);
    // Inserts a blank channel at row k: asks first when the last channel is in use
    // (it is lost). False when nothing changed.
    bool InsertChannel(int k);
    // Sets "Mch" PrioA or Emr (0 for none).
    void SetPrioA(int channel);
    void SetEmergency(int channel);
    int PrioA() const;
    int Emergency() const;
    bool InUse(int channel) const;

private:
    CNode* Mch() const;
    CFieldHolderNode* ChannelNode(int j) const;
    void Renumber(const char* field, bool deleted, int k);
    // The channels that exist, each once, in order; those in use among them.
    std::vector<int> Valid(const std::vector<int>& channels) const;
    std::vector<int> Used(const std::vector<int>& channels) const;
    bool Confirm(const std::string& text) const;
    void Blank(int n);
    void RemoveAt(int k);

    CCloneManager& m_registry;
};
