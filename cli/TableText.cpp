#include "TableText.h"

#include <algorithm>

namespace {

void PrintRow(std::ostream& out, const std::vector<std::string>& row,
              const std::vector<size_t>& widths) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
        line += row[c];
        if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 2, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << "\n";
}

} // namespace

void CTextTable::Print(std::ostream& out) const {
    std::vector<size_t> widths(m_header.size());
    for (size_t c = 0; c < m_header.size(); ++c)
        widths[c] = m_header[c].size();
    for (const auto& row : m_rows) {
        if (row.size() > widths.size()) widths.resize(row.size());
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    if (!m_header.empty()) {
        PrintRow(out, m_header, widths);
        std::vector<std::string> rule;
        for (size_t c = 0; c < m_header.size(); ++c)
            rule.emplace_back(widths[c], '-');
        PrintRow(out, rule, widths);
    }
    for (const auto& row : m_rows)
        PrintRow(out, row, widths);
}
