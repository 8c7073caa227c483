#include "CsvText.h"

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i)
            line += ',';
        const std::string& cell = cells[i];
        if (cell.find_first_of(",\"\r\n") == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (char c : cell) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\n";
}

char CsvSeparator(const std::string& text) {
    const std::string candidates = ",;\t";
    size_t counts[3] = {};
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '\n')
            break;
        else if (!quoted && candidates.find(c) != std::string::npos)
            ++counts[candidates.find(c)];
    }
    size_t best = 0;
    for (size_t i = 1; i < 3; ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

bool ParseCsv(const std::string& text, std::vector<SCsvRow>& rows, std::string& error,
              char separator) {
    rows.clear();
    SCsvRow row;
    std::string cell;
    bool quoted = false, cellStarted = false;
    int line = 1;
    row.line = 1;
    const auto endRow = [&] {
        if (cellStarted || !cell.empty() || !row.cells.empty()) {
            row.cells.push_back(cell);
            bool blank = row.cells.size() == 1 && row.cells[0].empty();
            if (!blank)
                rows.push_back(row);
        }
        row = SCsvRow{};
        cell.clear();
        cellStarted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line;
                cell += c;
            }
            continue;
        }
        if (row.cells.empty() && cell.empty() && !cellStarted)
            row.line = line;
        if (c == '"' && cell.empty()) {
            quoted = cellStarted = true;
        } else if (c == separator) {
            row.cells.push_back(cell);
            cell.clear();
            cellStarted = true;
        } else if (c == '\n') {
            endRow();
            ++line;
        } else if (c != '\r') {
            cell += c;
        }
    }
    if (quoted) {
        error = "line " + std::to_string(row.line) + ": a quoted cell is not closed";
        return false;
    }
    endRow();
    return true;
}
