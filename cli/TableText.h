// Aligned text tables for the terminal.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class CTextTable {
public:
    explicit CTextTable(std::vector<std::string> header = {}) : m_header(std::move(header)) {}
    void AddRow(std::vector<std::string> row) { m_rows.push_back(std::move(row)); }
    size_t RowCount() const { return m_rows.size(); }
    // Columns two blanks apart, the header underlined, no trailing blanks.
    void Print(std::ostream& out) const;

private:
    std::vector<std::string> m_header;
    std::vector<std::vector<std::string>> m_rows;
};
