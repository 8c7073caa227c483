// The editor of a setting sheet: one dialog, or a property sheet with a page per
// group of rows, built from the sheet's core table.
#pragma once

#include <memory>

#include "datamodel/memmap/SettingSheets.h"
#include "editors/FieldControls.h"
#include "editors/PropSheet.h"

class CCloneManager;
class CNode;

// One editor page: the rows from its first up to the next page's, with a control
// per field and a heading per group.
class CSettingPage : public CListEditPropPage {
    Q_OBJECT
public:
    CSettingPage(const SSettingSheet& sheet, int page, CNode& node, int model,
                 QWidget* parent = nullptr);
    CFieldSet& Fields() { return *m_fields; }
    void CollectEdits(std::vector<SFieldEdit>& edits) const override {
        m_fields->CollectEdits(edits);
    }

private:
    std::unique_ptr<CFieldSet> m_fields;
};

// Builds the editor of a sheet, opened on the page of row with that row's control
// focused. A sheet with one page gets the page alone, under the dialog's title.
std::unique_ptr<CListEditPropSheet> MakeSettingEditor(CCloneManager& registry,
                                                      const SSettingSheet& sheet, int model,
                                                      int row, QWidget* parent);
