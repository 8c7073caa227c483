// The memory channel sheets, one row per channel: the LMR and PMR variants differ
// in their columns (a core table) and their clipboard format.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <set>

#include "datamodel/nodes/NodeObservers.h"

#include "editors/ListSheet.h"


class CTolvarMchSheet : public CListSheet {
    Q_OBJECT
public:
    CTolvarMchSheet(int model, CTolvarCloneSupportDoc& document, QWidget* parent);
    ~CTolvarMchSheet() override;

    void OnUpdate() override;
    void RefreshRow(int row) override;
    void EditRow() override;
    // Tests: what runs the dialog (exec by default); it returns whether OK was chosen.
    void SetDialogRunner(std::function<bool(QDialog&)> runner) { m_runDialog = std::move(runner); }
    void CopyRow() override;
    void PasteRow() override;
    void ClearChannel(int n) override;
    void ClearRow() override;
    void DeleteRow() override;
    void InsertRow() override;
    bool CanPaste() const override;
    QString TrailingText() const override;
    // The clipboard format ("VK-TolvarLMRClipboadData").
    QString ClipboardFormat() const;

private:
    void Refresh(int row);
    // A field changed somewhere: its row is drawn again once the change is done.
    void OnNodeChanged(CNode& changed);
    void FlushChanged();

    int m_model;
    std::function<bool(QDialog&)> m_runDialog;
    CNodeSubscription m_watch;
    std::set<int> m_changedRows;
    bool m_allChanged = false;
    bool m_flushPending = false;
};

class CTolvarMchLMRSheet : public CTolvarMchSheet {
    Q_OBJECT
public:
    CTolvarMchLMRSheet(CTolvarCloneSupportDoc& document, QWidget* parent)
        : CTolvarMchSheet(0, document, parent) {}
};

class CTolvarMchPMRSheet : public CTolvarMchSheet {
    Q_OBJECT
public:
    CTolvarMchPMRSheet(CTolvarCloneSupportDoc& document, QWidget* parent)
        : CTolvarMchSheet(1, document, parent) {}
};
