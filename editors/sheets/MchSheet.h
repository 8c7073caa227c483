// The memory channel sheets, one row per channel: the variant's columns, and the
// channel commands (Prio A, Emergency, Copy, Paste, Clear, Delete, Insert) with the
// variant's clipboard format. Several rows can be selected: Copy, Paste, Clear and
// Delete act on them all; Prio A, Emergency, Insert and Edit need one.
#pragma once

#include "editors/ListSheet.h"

class CTolvarMchSheet : public CListSheet {
    Q_OBJECT
public:
    CTolvarMchSheet(CCloneManager& registry, const SViewDef& view, QWidget* parent);

    bool OnCommand(ECommand command) override;
    bool OnUpdateCommand(ECommand command, SCommandState& state) const override;
    // The clipboard format ("VK-TolvarLMRClipboadData").
    QString ClipboardFormat() const;
    bool CanPaste() const;

protected:
    void EditRow() override;
    std::vector<ECommand> ContextCommands() const override;

private:
    // The channels of the selected rows; the one channel when exactly one is selected
    // (else 0).
    std::vector<int> SelectedChannels() const;
    int SelectedChannel() const;
    // The selected channels as records in the variant's format and as tab-separated
    // rows for spreadsheets.
    void CopyRows();
    // Records at the first selected channel onward, or tab-separated rows.
    void PasteRows();
    void SelectChannels(int first, int last);

    int m_model;
};
