// The sheets whose rows open an editor of their own: the code-channel sheets (one
// dialog per row) and the two-column setting sheets (one dialog or a property
// sheet with a page per group of rows), both drawn from the core's tables.
#pragma once

#include "editors/ListSheet.h"

class CEditorSheet : public CListSheet {
    Q_OBJECT
public:
    using CListSheet::CListSheet;

protected:
    void EditRow() override;
};
