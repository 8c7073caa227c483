#include "ChannelCsv.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/ValueNodes.h"
#include "exchange/CsvText.h"

namespace {

using ECol = ESheetColumn;
using SColumn = SSheetColumn;

const std::vector<SColumn>& Columns(int model) {
    return ChannelSheetColumns(model);
}

std::string ChannelBase(int channel) {
    return "Mch.CH" + std::to_string(channel) + ".";
}

// A header as compared: lower case, without blanks.
std::string HeaderKey(const std::string& title) {
    std::string key;
    for (char c : title)
        if (c != ' ' && c != '\t')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

const SColumn* FindColumn(const std::vector<SColumn>& columns, const std::string& title) {
    const std::string key = HeaderKey(title);
    for (const SColumn& column : columns)
        if (HeaderKey(column.title) == key)
            return &column;
    return nullptr;
}

// "145,125" as "145.125"; other texts as they are.
std::string DecimalPoint(const std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
        return text;
    const auto digit = [&](size_t i) {
        return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
    };
    if (comma == 0 || !digit(comma - 1) || !digit(comma + 1))
        return text;
    for (char c : text)
        if (c != ',' && c != ' ' && c != '-' && c != '+' &&
            !std::isdigit(static_cast<unsigned char>(c)))
            return text;
    std::string point = text;
    point[comma] = '.';
    return point;
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// Reads one CSV file into edits, collecting every error.
class CChannelCsvReader {
public:
    CChannelCsvReader(const CTreeIndex& index, std::vector<std::string>& errors,
                      std::vector<std::string>& warnings)
        : m_index(index), m_errors(errors), m_warnings(warnings),
          m_columns(Columns(index.Model())) {}

    // table: tab-separated rows whose first row may be a row of data; the sheet's
    // titles stand in for a header they do not have.
    std::vector<SLeafEdit> Read(const std::string& csv, bool table = false) {
        std::vector<SCsvRow> rows;
        std::string error;
        const char separator = table ? '\t' : CsvSeparator(csv);
        // With ';' between cells a comma is the decimal mark.
        m_decimalComma = separator == ';';
        if (!ParseCsv(csv, rows, error, separator)) {
            m_errors.push_back((table ? "" : "CSV: ") + error);
            return {};
        }
        if (table && (rows.empty() || !IsHeader(rows[0]))) {
            rows.insert(rows.begin(), SCsvRow{0, ChannelSheetTitles(m_index.Model())});
            m_sheetTitles = true;
        }
        if (rows.empty() || !ReadHeader(rows[0]))
            return {};
        for (size_t r = 1; r < rows.size(); ++r)
            ReadRow(rows[r]);
        FinishAttributes();
        return m_edits;
    }

    // The channels the rows name, in order.
    std::vector<int> Channels() const {
        std::vector<int> channels;
        for (const auto& [channel, line] : m_seen)
            channels.push_back(channel);
        return channels;
    }

private:
    struct SMark {
        int channel, line;
    };

    // A row of titles: its first cell names a column of either variant's sheet.
    bool IsHeader(const SCsvRow& row) const {
        return !row.cells.empty() && (FindColumn(m_columns, row.cells[0]) ||
                                      FindColumn(Columns(1 - m_index.Model()), row.cells[0]));
    }

    std::string Where(int line, size_t c) const {
        return "row " + std::to_string(line) + ", column \"" + m_titles[c] + "\"";
    }

    // Headers are compared without regard to case and blanks; a column the sheet does
    // not have is ignored with a warning.
    bool ReadHeader(const SCsvRow& row) {
        const size_t before = m_errors.size();
        const auto& other = Columns(1 - m_index.Model());
        for (size_t c = 0; c < row.cells.size(); ++c) {
            const std::string& title = row.cells[c];
            const SColumn* found = FindColumn(m_columns, title);
            const std::string where =
                "row " + std::to_string(row.line) + ", column " + std::to_string(c + 1);
            const std::string model = ModelName(m_index.Model());
            if (!found)
                m_warnings.push_back(where + ": \"" + title + "\" is not a column of the " + model +
                                     " memory channel sheet" +
                                     (FindColumn(other, title)
                                          ? std::string(" (it is one of the ") +
                                                ModelName(1 - m_index.Model()) + " sheet)"
                                          : std::string()) +
                                     "; it is ignored");
            for (size_t k = 0; k < c && found; ++k)
                if (m_header[k] == found)
                    m_errors.push_back(where + ": \"" + title + "\" appears twice");
            m_header.push_back(found);
            m_titles.push_back(title);
        }
        if (std::find_if(m_header.begin(), m_header.end(), [](const SColumn* column) {
                return column && column->kind == ECol::Number;
            }) == m_header.end())
            m_errors.push_back("row " + std::to_string(row.line) +
                               ": the header has no \"CH\" column");
        return m_errors.size() == before;
    }

    void Edit(const std::string& where, const std::string& path, const std::string& text) {
        const STreeLeaf* leaf = m_index.Find(path);
        if (!leaf) {
            std::string message;
            m_index.Check(path, &message);
            m_errors.push_back(where + ": " + message);
            return;
        }
        const bool number = !dynamic_cast<const CStringNode*>(leaf->node);
        // The CSV puts a channel in use by its receive frequency.
        m_edits.push_back({leaf, m_decimalComma && number ? DecimalPoint(text) : text,
                           where + " (" + path + ")", true,
                           "add a \"" + RxTitle() + "\" column and fill it in for the channel"});
    }

    // The header of the receive frequency column, which puts a channel in use: as the
    // CSV spells it, else as the sheet does.
    std::string RxTitle() const {
        for (size_t c = 0; c < m_header.size(); ++c)
            if (m_header[c] && IsRx(*m_header[c]))
                return m_titles[c];
        for (const SColumn& column : m_columns)
            if (IsRx(column))
                return column.title;
        return "FreqRx";
    }

    static bool IsRx(const SColumn& column) {
        return column.kind == ECol::Field && std::string(column.field) == "FreqRx";
    }

    static bool IsChannelField(const SColumn* column) {
        return column && column->kind != ECol::Number && column->kind != ECol::Attr;
    }

    // The first cell that sets a field of the channel; header size when none does.
    size_t FirstFieldCell(const SCsvRow& row) const {
        for (size_t c = 0; c < m_header.size(); ++c)
            if (IsChannelField(m_header[c]) && !IsRx(*m_header[c]) && !IsBlank(row.cells[c]))
                return c;
        return m_header.size();
    }

    void ReadRow(const SCsvRow& row) {
        if (row.cells.size() != m_header.size()) {
            m_errors.push_back("row " + std::to_string(row.line) + ": " +
                               std::to_string(row.cells.size()) + " cells; " +
                               (m_sheetTitles ? "without a title row, a row holds the sheet's " +
                                                    std::to_string(m_header.size()) +
                                                    " columns in order"
                                              : "the header has " + std::to_string(m_header.size())));
            return;
        }
        int channel = 0;
        std::string rxText;
        bool hasRx = false;
        for (size_t c = 0; c < m_header.size(); ++c) {
            if (!m_header[c])
                continue;
            if (m_header[c]->kind == ECol::Number) {
                const std::string& cell = row.cells[c];
                channel = cell.find_first_not_of("0123456789") == std::string::npos &&
                                  !cell.empty() && cell.size() < 4
                              ? std::stoi(cell)
                              : 0;
                if (channel < 1 || channel > kChannelCount) {
                    m_errors.push_back(Where(row.line, c) + ": \"" + cell +
                                       "\" is not a channel number from 1 to 32");
                    return;
                }
            }
            if (IsRx(*m_header[c])) {
                hasRx = true;
                rxText = row.cells[c];
            }
        }
        if (!m_seen.emplace(channel, row.line).second) {
            m_errors.push_back("row " + std::to_string(row.line) + ": channel " +
                               std::to_string(channel) + " is already in row " +
                               std::to_string(m_seen[channel]));
            return;
        }
        const std::string base = ChannelBase(channel);
        const bool inUse = !hasRx || !IsBlank(rxText);
        if (!inUse && FirstFieldCell(row) < m_header.size())
            m_warnings.push_back("row " + std::to_string(row.line) + ": channel " +
                                 std::to_string(channel) + " is not in use as its \"" + RxTitle() +
                                 "\" is empty; its other cells are ignored");
        for (size_t c = 0; c < m_header.size(); ++c) {
            if (!m_header[c])
                continue;
            const SColumn& column = *m_header[c];
            const std::string& cell = row.cells[c];
            const std::string where = Where(row.line, c);
            if (column.kind == ECol::Attr) {
                ReadCell(column, where, channel, cell, row);
                continue;
            }
            if (column.kind == ECol::Field && std::string(column.field) == "FreqRx")
                Edit(where, base + "ChOn", inUse ? "ON" : "OFF");
            if (!inUse || column.kind == ECol::Number)
                continue;
            ReadCell(column, where, channel, cell, row);
        }
    }

    std::string CellOf(const SCsvRow& row, const std::string& field) const {
        for (size_t c = 0; c < m_header.size(); ++c)
            if (m_header[c] && m_header[c]->field && m_header[c]->field == field)
                return row.cells[c];
        return {};
    }

    // The fields a cell sets, by the sheet's rules for its column.
    void ReadCell(const SColumn& column, const std::string& where, int channel,
                  const std::string& cell, const SCsvRow& row) {
        const std::string base = ChannelBase(channel);
        const auto* node =
            dynamic_cast<const CFieldHolderNode*>(m_index.Resolve(base.substr(0, base.size() - 1)));
        if (!node)
            return;
        std::vector<SCellField> fields;
        std::string reason;
        if (!ChannelCellFields(
                column, cell, channel, *node->GetFieldHolder(),
                [&](const std::string& field) { return CellOf(row, field); }, fields, reason)) {
            m_errors.push_back(where + ": " + reason);
            return;
        }
        if (column.kind != ECol::Attr) {
            for (const SCellField& field : fields)
                Edit(where, base + field.field, field.text);
            return;
        }
        m_attrWhere = where.substr(where.find(','));
        for (const SCellField& field : fields)
            (field.field == column.field ? m_prio : m_emr).push_back({channel, row.line});
        m_hasAttr = true;
    }

    void Mark(const std::vector<SMark>& marks, const char* path, const char* what) {
        if (marks.size() > 1) {
            m_errors.push_back("row " + std::to_string(marks[1].line) + m_attrWhere + ": " + what +
                               " is already on channel " + std::to_string(marks[0].channel) +
                               " (row " + std::to_string(marks[0].line) + ")");
            return;
        }
        if (marks.size() == 1)
            Edit("row " + std::to_string(marks[0].line) + m_attrWhere, path,
                 std::to_string(marks[0].channel));
    }

    void FinishAttributes() {
        if (!m_hasAttr)
            return;
        Mark(m_prio, "Mch.PrioA", "Prio A");
        Mark(m_emr, "Mch.Emr", "the emergency channel");
        // A listed emergency channel without its mark loses it.
        const STreeLeaf* emrLeaf = m_index.Find("Mch.Emr");
        const int emr = emrLeaf ? emrLeaf->node->GetValue() : -1;
        if (m_emr.empty() && emr > 0 && m_seen.count(emr))
            Edit("row " + std::to_string(m_seen[emr]) + m_attrWhere, "Mch.Emr", "0");
    }

    const CTreeIndex& m_index;
    std::vector<std::string>& m_errors;
    std::vector<std::string>& m_warnings;
    const std::vector<SColumn>& m_columns;
    std::vector<const SColumn*> m_header; // null: a column that is ignored
    std::vector<std::string> m_titles;    // the header's cells as the CSV spells them
    std::vector<SLeafEdit> m_edits;
    std::map<int, int> m_seen; // channel -> line
    std::vector<SMark> m_prio, m_emr;
    std::string m_attrWhere;
    bool m_hasAttr = false;
    bool m_decimalComma = false;
    bool m_sheetTitles = false; // the text has no title row: the sheet's stand in
};

} // namespace

std::string ChannelCsvText(const CTreeIndex& index) {
    std::string text = CsvLine(ChannelSheetTitles(index.Model()));
    for (int channel = 1; channel <= kChannelCount; ++channel)
        text += CsvLine(ChannelSheetRow(index, channel, false));
    return text;
}

std::vector<SLeafEdit> ChannelCsvEdits(const CTreeIndex& index, const std::string& csv,
                                       std::vector<std::string>& errors,
                                       std::vector<std::string>& warnings) {
    CChannelCsvReader reader(index, errors, warnings);
    return reader.Read(csv);
}

std::string ChannelTableText(const CTreeIndex& index, const std::vector<int>& channels) {
    const auto line = [](const std::vector<std::string>& cells) {
        std::string text;
        for (const std::string& cell : cells)
            text += (text.empty() ? "" : "\t") + cell;
        return text + "\n";
    };
    std::string text = line(ChannelSheetTitles(index.Model()));
    for (int channel : channels)
        text += line(ChannelSheetRow(index, channel, true));
    return text;
}

std::vector<SLeafEdit> ChannelTableEdits(const CTreeIndex& index, const std::string& text,
                                         std::vector<std::string>& errors,
                                         std::vector<std::string>& warnings,
                                         std::vector<int>& channels) {
    CChannelCsvReader reader(index, errors, warnings);
    std::vector<SLeafEdit> edits = reader.Read(text, true);
    channels = reader.Channels();
    return edits;
}
