// Reading and writing the text files of export and import: whole files, and CSV.
#pragma once

#include <string>
#include <vector>

// False (with the reason in error, "no such file" for a missing one) when the file
// cannot be read.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
// Writes through a temporary file in the same folder, renamed over the target.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);

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
