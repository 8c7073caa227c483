// CSV text: writing a line, finding the separator, splitting into rows.
#pragma once

#include <string>
#include <vector>

// One CSV line: cells with a comma, a quote or a line break are quoted.
std::string CsvLine(const std::vector<std::string>& cells);

// The separator of a CSV: of ',', ';' and tab the one its first line (the header)
// holds most often outside quotes; ',' when it holds none.
char CsvSeparator(const std::string& text);

struct SCsvRow {
    int line = 0; // 1-based line of the file where the row starts
    std::vector<std::string> cells;
};
// Splits CSV text into rows (blank lines skipped); false with error on an
// unterminated quote.
bool ParseCsv(const std::string& text, std::vector<SCsvRow>& rows, std::string& error,
              char separator = ',');
