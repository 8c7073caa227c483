// How a table is laid out on printed pages, in page units of 0.1 mm: the printable
// rectangle inside the margins, the header and footer bands with their rules, the
// rows that fit a page, and the column slices that each repeat the row-title column.
#pragma once

#include <vector>

struct SPageRect {
    int left = 0, top = 0, right = 0, bottom = 0; // y grows downwards
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The page margins in page units: left 15 mm, top 15 mm, right and bottom 0.
inline constexpr int kMarginLeft = 150, kMarginTop = 150, kMarginRight = 0, kMarginBottom = 0;
// The rules under the header and above the footer are 0.5 mm thick; a cell's box
// 0.1 mm. Cell texts are inset 0.2 mm left and right, 0.1 mm top and bottom.
inline constexpr int kRulePen = 5, kBoxPen = 1, kCellInsetX = 2, kCellInsetY = 1;

// The printable rectangle of a page of the given size (page units).
SPageRect PrintableRect(int pageWidth, int pageHeight);

struct SPageSlice {
    int firstRow = 0, rowCount = 0; // a block of rows
    std::vector<int> columns;       // column 0 first, then the slice's columns
};

struct STableLayout {
    SPageRect printable;
    int headerBand = 0;  // the height the header takes (the footer the same)
    int headerRule = 0;  // y of the rule under the header
    int footerRule = 0;  // y of the rule above the footer
    int tableTop = 0;    // y of the column-title line
    int rowsPerPage = 0; // body rows under the title line
    std::vector<int> columnWidths;
    std::vector<SPageSlice> pages; // row blocks top to bottom, slices left to right
};

// printWidths: characters per column; charUnit: the width of "W"; lineHeight: the
// font's height with its external leading. A page always takes at least one row,
// and a slice at least one column after column 0, however small the page.
STableLayout LayoutTable(const SPageRect& printable, int lineHeight, int charUnit,
                         const std::vector<int>& printWidths, int rows);
