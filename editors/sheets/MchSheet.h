// The memory channel sheets, one row per channel: the variant's columns, and the
// channel commands (Prio A, Emergency, Copy, Paste, Clear, Delete, Insert) with the
// variant's clipboard format.
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
    int SelectedChannel() const;
    void CopyRow();
    void PasteRow();

    int m_model;
};
