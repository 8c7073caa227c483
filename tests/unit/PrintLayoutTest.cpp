#include <gtest/gtest.h>

#include <numeric>

#include "document/PrintLayout.h"

namespace {

struct SLayoutCase {
    const char* name;
    int pageWidth, pageHeight; // 0.1 mm
    int lineHeight, charUnit;
    std::vector<int> printWidths;
    int rows;
};

// clang-format off
const SLayoutCase kCases[] = {
    {"narrow fits one page", 2100, 2970, 31, 25, {3, 6, 6}, 16},
    {"wide sheet in slices", 2100, 2970, 31, 25, {4, 10, 12, 12, 8, 8, 8, 8, 10, 10, 10, 10, 6, 6, 6, 6, 20, 20, 12}, 32},
    {"landscape many rows", 2970, 2100, 31, 25, {4, 10, 12, 12, 8, 30, 30}, 200},
    {"rows exactly fill pages", 2100, 1000, 40, 25, {4, 10}, 18},
    {"column wider than the page", 1000, 1000, 30, 25, {4, 80, 5, 90}, 5},
    {"tiny page still progresses", 300, 300, 60, 25, {20, 20}, 4},
    {"row titles only", 2100, 2970, 31, 25, {12}, 3},
    {"no rows", 2100, 2970, 31, 25, {3, 6, 6}, 0},
};
// clang-format on

} // namespace

TEST(PrintLayoutPage, MarginsAndBands) {
    const SPageRect r = PrintableRect(2100, 2970);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right, 2100);
    EXPECT_EQ(r.bottom, 2970);
    const STableLayout layout = LayoutTable(r, 30, 25, {4, 10}, 3);
    // Each band is (line + 0.5 mm) x 2; the rules lie a line and 1 mm inside.
    EXPECT_EQ(layout.headerBand, 70);
    EXPECT_EQ(layout.tableTop, 220);
    EXPECT_EQ(layout.headerRule, 190);
    EXPECT_EQ(layout.footerRule, 2930);
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{100, 250}));
}

TEST(PrintLayout, RowsAndSlicesCoverTheTableOnce) {
    for (const SLayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const SPageRect r = PrintableRect(c.pageWidth, c.pageHeight);
        const STableLayout layout = LayoutTable(r, c.lineHeight, c.charUnit, c.printWidths, c.rows);
        const int columns = static_cast<int>(c.printWidths.size());

        // The title line and the rows stay above the footer band, and one row more
        // would not (unless a page holds a single row because nothing more fits).
        ASSERT_GE(layout.rowsPerPage, 1);
        const int tableBottom = layout.tableTop + (layout.rowsPerPage + 1) * c.lineHeight;
        if (layout.rowsPerPage > 1) {
            EXPECT_LE(tableBottom, r.bottom - layout.headerBand);
        }
        EXPECT_GT(tableBottom + c.lineHeight, r.bottom - layout.headerBand);

        // Slices: column 0 first on each, the others once each and in order; a slice
        // fits the width unless it holds a single column after column 0; the next
        // column would not have fitted.
        std::vector<std::vector<int>> slices;
        for (const SPageSlice& page : layout.pages)
            if (page.firstRow == 0)
                slices.push_back(page.columns);
        std::vector<int> seen;
        for (size_t s = 0; s < slices.size(); ++s) {
            const std::vector<int>& slice = slices[s];
            ASSERT_FALSE(slice.empty());
            EXPECT_EQ(slice.front(), 0);
            seen.insert(seen.end(), slice.begin() + 1, slice.end());
            int width = 0;
            for (int col : slice)
                width += layout.columnWidths[static_cast<size_t>(col)];
            if (slice.size() > 2) {
                EXPECT_LE(width, r.Width());
            }
            if (s + 1 < slices.size()) {
                EXPECT_GT(width + layout.columnWidths[static_cast<size_t>(slices[s + 1][1])],
                          r.Width());
            }
        }
        std::vector<int> expected(static_cast<size_t>(std::max(columns - 1, 0)));
        std::iota(expected.begin(), expected.end(), 1);
        if (c.rows > 0) {
            EXPECT_EQ(seen, expected);
        }

        // Pages: row blocks top to bottom, each with every slice left to right; every
        // row on exactly one block.
        int nextRow = 0;
        for (size_t p = 0; p < layout.pages.size(); p += slices.size()) {
            for (size_t s = 0; s < slices.size(); ++s) {
                ASSERT_LT(p + s, layout.pages.size());
                EXPECT_EQ(layout.pages[p + s].firstRow, nextRow);
                EXPECT_EQ(layout.pages[p + s].columns, slices[s]);
            }
            EXPECT_LE(layout.pages[p].rowCount, layout.rowsPerPage);
            nextRow += layout.pages[p].rowCount;
        }
        EXPECT_EQ(nextRow, c.rows);
        if (c.rows == 0) {
            EXPECT_TRUE(layout.pages.empty());
        }
    }
}
