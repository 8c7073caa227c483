// The two-column setting sheets: one row per setting (headings without a value),
// filled from the fields a core table names, and their editors: one dialog, or a
// property sheet with a page per group of rows, built from the same table.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "datamodel/memmap/SettingSheets.h"
#include "editors/FieldControls.h"
#include "editors/ListSheet.h"
#include "editors/PropSheet.h"
#include "editors/sheets/SettingEditor.h"

class CCloneManager;

class CTolvarSettingSheet : public CListSheet {
    Q_OBJECT
public:
    CTolvarSettingSheet(int view, CTolvarCloneSupportDoc& document, QWidget* parent);

    const SSettingSheet& Table() const { return m_table; }
    void OnUpdate() override;
    void RefreshRow(int row) override;
    void EditRow() override;
    QString TrailingText() const override { return QStringLiteral("     "); }
    // Tests: what runs the editor (exec by default); it returns whether OK was chosen.
    void SetDialogRunner(std::function<bool(QDialog&)> runner) { m_runDialog = std::move(runner); }

private:
    CNode* SheetNode() const;
    void FitColumns();

    const SSettingSheet& m_table;
    std::function<bool(QDialog&)> m_runDialog;
};

// The sheets by their names in the program.
#define TOLVAR_SETTING_SHEET(Name, view)                                                           \
    class Name : public CTolvarSettingSheet {                                                      \
    public:                                                                                        \
        Name(CTolvarCloneSupportDoc& document, QWidget* parent)                                    \
            : CTolvarSettingSheet(view, document, parent) {}                                       \
    };
TOLVAR_SETTING_SHEET(CTolvarDtmfSetSheet, 39)
TOLVAR_SETTING_SHEET(CTolvar2ToneRxSetSheet, 41)
TOLVAR_SETTING_SHEET(CQ2ToneTxSheet, 42)
TOLVAR_SETTING_SHEET(CTolvar5ToneRxSetSheet, 44)
TOLVAR_SETTING_SHEET(CQ5ToneTxSetSheet, 46)
TOLVAR_SETTING_SHEET(CTolvarKeyDispSheet, 49)
TOLVAR_SETTING_SHEET(CTolvarCommonSheet, 50)
TOLVAR_SETTING_SHEET(CTolvarExpertSheet, 51)
TOLVAR_SETTING_SHEET(CTolvarMakerReservedSheet, 52)
#undef TOLVAR_SETTING_SHEET
