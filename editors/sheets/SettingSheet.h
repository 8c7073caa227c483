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

class CCloneManager;

// One editor page: the rows from its first up to the next page's, with a control
// per field and a heading per group.
class CSettingPage : public CListEditPropPage {
    Q_OBJECT
public:
    CSettingPage(CCloneManager& registry, const SSettingSheet& sheet, int page, CNode& node,
                 int model, QWidget* parent = nullptr);
    CFieldSet& Fields() { return *m_fields; }
    bool CheckPage(QString& reason) const override;
    bool StorePage(QString& reason) override;
    void RevertPage() override { m_fields->Revert(); }

private:
    std::unique_ptr<CFieldSet> m_fields;
};

// Builds the editor of a sheet, opened on the page of row with that row's control
// focused. A sheet with one page gets the page alone, under the dialog's title.
std::unique_ptr<CListEditPropSheet> MakeSettingEditor(CCloneManager& registry,
                                                      const SSettingSheet& sheet, int model,
                                                      int row, QWidget* parent);

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
