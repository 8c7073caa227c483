#include "PrintLayout.h"

#include <algorithm>

SPageRect PrintableRect(int pageWidth, int pageHeight) {
    return {kMarginLeft, kMarginTop, pageWidth - kMarginRight, pageHeight - kMarginBottom};
}

namespace {

// Column 0 on every slice; after it as many columns as fit the width.
std::vector<std::vector<int>> SliceColumns(const std::vector<int>& widths, int pageWidth) {
    std::vector<std::vector<int>> slices;
    if (widths.empty())
        return slices;
    const size_t count = widths.size();
    if (count == 1)
        return {{0}};
    size_t next = 1;
    while (next < count) {
        std::vector<int> slice = {0};
        int used = widths[0];
        do {
            slice.push_back(static_cast<int>(next));
            used += widths[next];
            ++next;
        } while (next < count && used + widths[next] <= pageWidth);
        slices.push_back(std::move(slice));
    }
    return slices;
}

} // namespace

STableLayout LayoutTable(const SPageRect& printable, int lineHeight, int charUnit,
                         const std::vector<int>& printWidths, int rows) {
    STableLayout layout;
    layout.printable = printable;
    lineHeight = std::max(lineHeight, 1);
    layout.headerBand = (lineHeight + 5) * 2;
    layout.headerRule = printable.top + lineHeight + 10;
    layout.footerRule = printable.bottom - lineHeight - 10;
    layout.tableTop = printable.top + layout.headerBand;
    const int body = printable.Height() - 2 * layout.headerBand;
    layout.rowsPerPage = std::max(body / lineHeight - 1, 1);
    for (int width : printWidths)
        layout.columnWidths.push_back(std::max(width, 0) * charUnit);
    const std::vector<std::vector<int>> slices =
        SliceColumns(layout.columnWidths, printable.Width());
    for (int first = 0; first < rows; first += layout.rowsPerPage)
        for (const std::vector<int>& columns : slices)
            layout.pages.push_back({first, std::min(layout.rowsPerPage, rows - first), columns});
    return layout;
}
