// The rows of a view's sheet, read from the tree: how many there are, the texts of
// their cells, the status a selected row gives the right header, and the node or
// channel an editor of a row works on. The desktop sheets and printing read the
// same rows.
#pragma once

#include <string>
#include <vector>

#include "document/ViewTable.h"

class CCloneManager;
class CNode;

class CSheetRows {
public:
    CSheetRows(CCloneManager& registry, const SViewDef& view) : m_registry(&registry), m_view(&view) {}

    const SViewDef& View() const { return *m_view; }
    int RowCount() const;
    // What the first row's number is above 1 (the multiple tones count on over the
    // sets before the one shown).
    int Offset() const;
    // Every cell of a row, as the sheet shows it.
    std::vector<std::string> Cells(int row) const;
    // The right header's trailing text for a selected row (-1: none): " - CH 5".
    std::string Status(int row) const;
    // The channel (1..32) a memory row shows; 0 for other sheets.
    int Channel(int row) const;
    // The node an editor of the row works on: the channel's field holder, the code
    // row's node, the setting sheet's node; null when there is none.
    CNode* RowNode(int row) const;

private:
    CCloneManager* m_registry;
    const SViewDef* m_view;
};
