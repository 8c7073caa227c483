#include "Compare.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "document/DocumentData.h"
#include "document/SheetRows.h"

namespace {

constexpr const char* kPlaceSeparator = " > ";

// The right header draws "&&" as "&".
std::string HeaderTitle(const SViewDef& view) {
    std::string title = view.title;
    for (size_t at = title.find("&&"); at != std::string::npos; at = title.find("&&", at + 1))
        title.erase(at, 1);
    return title;
}

size_t Indent(const char* title) {
    size_t n = 0;
    while (title[n] == ' ')
        ++n;
    return n;
}

std::string Trimmed(const char* title) {
    std::string text = title + Indent(title);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// A setting row under the rows it is indented below: "Alert > TEL Code > Times".
std::string SettingRowTitle(const SSettingSheet& sheet, int row) {
    const auto& rows = sheet.rows;
    size_t indent = Indent(rows[static_cast<size_t>(row)].title);
    std::string title = Trimmed(rows[static_cast<size_t>(row)].title);
    for (int up = row - 1; up >= 0 && indent > 0; --up) {
        const size_t upIndent = Indent(rows[static_cast<size_t>(up)].title);
        if (upIndent >= indent)
            continue;
        title = Trimmed(rows[static_cast<size_t>(up)].title) + kPlaceSeparator + title;
        indent = upIndent;
    }
    return title;
}

std::string RowTitle(const CSheetRows& rows, int row) {
    const SViewDef& view = rows.View();
    if (view.sheet == ESheetKind::Setting)
        return SettingRowTitle(*view.setting, row);
    // The header's status for the row, without its " - ".
    const std::string status = rows.Status(row);
    return status.rfind(" - ", 0) == 0 ? status.substr(3) : status;
}

// The fields a cell shows, by path; none for the columns of row titles and numbers.
std::vector<std::string> CellFields(const CSheetRows& rows, int offset, int row, size_t column) {
    const SViewDef& view = rows.View();
    std::vector<std::string> paths;
    switch (view.sheet) {
    case ESheetKind::Memory: {
        const SSheetColumn& c = ChannelSheetColumns(view.memoryModel).at(column);
        const std::string base = "Mch.CH" + std::to_string(rows.Channel(row)) + ".";
        switch (c.kind) {
        case ESheetColumn::Number:
            break;
        case ESheetColumn::Attr:
            paths = {std::string("Mch.") + c.field, std::string("Mch.") + c.extra};
            break;
        case ESheetColumn::RxCNo:
            for (int k = 1; k <= kRxCNoCount; ++k)
                paths.push_back(base + c.field + std::to_string(k));
            break;
        default:
            paths.push_back(base + c.field);
            if (c.extra)
                paths.push_back(base + c.extra);
            // An empty receive frequency is how the sheet shows a channel not in use.
            if (std::string(c.field) == "FreqRx")
                paths.push_back(base + "ChOn");
            break;
        }
        break;
    }
    case ESheetKind::Code: {
        const SCodeColumn& c = view.code->columns.at(column);
        if (!c.field)
            break;
        const std::string base = CodeRowPath(*view.code, row, offset) + ".";
        if (c.kind == ECodeCell::Digits) {
            for (int d = 1; d <= 7; ++d)
                paths.push_back(base + c.field + std::to_string(d));
        } else {
            paths.push_back(base + c.field);
            if (c.kind == ECodeCell::TextOrIdDec)
                paths.push_back(base + "IdDec");
        }
        break;
    }
    case ESheetKind::Setting:
        if (column == 1)
            for (const SEditorField& field : view.setting->rows.at(static_cast<size_t>(row)).fields)
                paths.push_back(std::string(view.setting->node) + "." + field.field);
        break;
    case ESheetKind::None:
        break;
    }
    return paths;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// One document's sheet of a view and how many rows it has.
struct SSheet {
    const SViewDef* view = nullptr; // null: the document's variant has no such sheet
    CSheetRows rows;
    int count = 0;
    int offset = 0; // of the first row, CSheetRows::Offset

    SSheet(CCloneManager& registry, const SViewDef* shown, const SViewDef& any)
        : view(shown), rows(registry, shown ? *shown : any), count(shown ? rows.RowCount() : 0),
          offset(rows.Offset()) {}
    bool Has(int row, int column) const { return view && row < count && column >= 0; }
};

// The comparison of two documents, sheet by sheet.
class CComparison {
public:
    CComparison(CCloneManager& a, CCloneManager& b, bool maker)
        : m_a(a), m_b(b), m_maker(maker), m_models{a.Model()->GetModel(), b.Model()->GetModel()},
          m_indexA(*a.RadioData(), m_models[0], maker),
          m_indexB(*b.RadioData(), m_models[1], maker), m_fields(CompareTrees(m_indexA, m_indexB)) {
        for (const SFieldDiff& field : m_fields)
            m_differing.insert(field.path);
    }

    std::vector<SSheetDifference> Run() {
        if (m_models[0] != m_models[1])
            m_result.push_back({kViewNone,
                                -1,
                                "",
                                "",
                                "",
                                ModelName(m_models[0]),
                                ModelName(m_models[1]),
                                {"Model"}});
        std::unordered_set<int> done;
        for (const SViewDef& view : Views()) {
            if (done.count(view.id))
                continue;
            const bool inA = Shown(view, 0), inB = Shown(view, 1);
            if (!inA && !inB)
                continue;
            // A view of one variant meets its namesake of the other (the memory sheets).
            const SViewDef* partner = inA && inB ? &view : Namesake(view, inA ? 1 : 0);
            const SViewDef* viewA = inA ? &view : partner;
            const SViewDef* viewB = inB ? &view : partner;
            done.insert(view.id);
            if (partner)
                done.insert(partner->id);
            CompareSheet(SSheet(m_a, viewA, view), SSheet(m_b, viewB, view));
        }
        // What the sheets do not show of the fields both variants hold.
        for (const SFieldDiff& field : m_fields)
            if (!m_shown.count(field.path) && m_indexA.Find(field.path) &&
                m_indexB.Find(field.path))
                m_result.push_back(
                    {kViewNone, -1, "", "", "", field.textA, field.textB, {field.path}});
        return std::move(m_result);
    }

private:
    bool Shown(const SViewDef& view, int side) const {
        return ViewShown(view, m_models[side], m_maker);
    }

    // The view of the same title that only side's variant shows.
    const SViewDef* Namesake(const SViewDef& view, int side) const {
        for (const SViewDef& other : Views())
            if (&other != &view && other.title == view.title && Shown(other, side) &&
                !Shown(other, 1 - side))
                return &other;
        return nullptr;
    }

    // Columns of the two sheets paired by title, whatever its case; a column one sheet
    // lacks is paired with none (-1).
    static std::vector<std::pair<int, int>> PairColumns(const SSheet& a, const SSheet& b) {
        const auto count = [](const SSheet& sheet) {
            return sheet.view ? static_cast<int>(sheet.view->columns.size()) : 0;
        };
        std::vector<std::pair<int, int>> pairs;
        std::vector<bool> paired(static_cast<size_t>(count(b)), false);
        for (int ca = 0; ca < count(a); ++ca) {
            int match = -1;
            for (int cb = 0; cb < count(b) && match < 0; ++cb)
                if (!paired[static_cast<size_t>(cb)] &&
                    Lower(a.view->columns[static_cast<size_t>(ca)].title) ==
                        Lower(b.view->columns[static_cast<size_t>(cb)].title))
                    match = cb;
            if (match >= 0)
                paired[static_cast<size_t>(match)] = true;
            pairs.emplace_back(ca, match);
        }
        for (int cb = 0; cb < count(b); ++cb)
            if (!paired[static_cast<size_t>(cb)])
                pairs.emplace_back(-1, cb);
        return pairs;
    }

    void CompareSheet(const SSheet& a, const SSheet& b) {
        const auto columns = PairColumns(a, b);
        for (int row = 0; row < std::max(a.count, b.count); ++row) {
            const auto cellsA = row < a.count ? a.rows.Cells(row) : std::vector<std::string>();
            const auto cellsB = row < b.count ? b.rows.Cells(row) : std::vector<std::string>();
            for (const auto& [ca, cb] : columns) {
                const bool inA = a.Has(row, ca), inB = b.Has(row, cb);
                const std::string textA = inA ? cellsA.at(static_cast<size_t>(ca)) : "";
                const std::string textB = inB ? cellsB.at(static_cast<size_t>(cb)) : "";
                if (textA == textB)
                    continue;
                // The fields behind the cell; none for a row's title or number.
                std::vector<std::string> fields;
                if (inA)
                    fields = CellFields(a.rows, a.offset, row, static_cast<size_t>(ca));
                if (inB)
                    for (const std::string& path :
                         CellFields(b.rows, b.offset, row, static_cast<size_t>(cb)))
                        if (std::find(fields.begin(), fields.end(), path) == fields.end())
                            fields.push_back(path);
                std::vector<std::string> paths;
                for (const std::string& path : fields)
                    if (m_differing.count(path))
                        paths.push_back(path);
                // A cell that changed only with another one (a "<-----") is no difference.
                if (fields.empty() || (inA && inB && paths.empty()))
                    continue;
                m_shown.insert(paths.begin(), paths.end());
                const SSheet& own = inA ? a : b;
                const SViewDef& view = *own.view;
                const size_t column = static_cast<size_t>(inA ? ca : cb);
                m_result.push_back(
                    {view.id, row, HeaderTitle(view), RowTitle(own.rows, row),
                     view.sheet == ESheetKind::Setting ? "" : view.columns[column].title, textA,
                     textB, paths});
            }
        }
    }

    CCloneManager& m_a;
    CCloneManager& m_b;
    bool m_maker;
    int m_models[2];
    CTreeIndex m_indexA, m_indexB;
    std::vector<SFieldDiff> m_fields;
    std::unordered_set<std::string> m_differing;
    std::unordered_set<std::string> m_shown;
    std::vector<SSheetDifference> m_result;
};

} // namespace

std::vector<SSheetDifference> CompareSheets(CCloneManager& a, CCloneManager& b, bool makerReserve) {
    return CComparison(a, b, makerReserve).Run();
}

std::vector<SSheetDifference> CompareWritten(CTolvarDocumentData& written,
                                             CTolvarDocumentData& readBack, bool makerReserve) {
    CQCloneManager& registry = written.Registry();
    CTolvarDocumentData sent(registry.UI(), written.GetModel());
    sent.Registry().Image().CopyFrom(registry.Image());
    sent.Registry().LoadImageToTree();
    return CompareSheets(sent.Registry(), readBack.Registry(), makerReserve);
}

std::string DifferencePlace(const SSheetDifference& difference) {
    if (difference.view == kViewNone)
        return difference.paths.empty() ? std::string() : difference.paths.front();
    std::string place = difference.viewTitle;
    for (const std::string* part : {&difference.rowTitle, &difference.column})
        if (!part->empty())
            place += kPlaceSeparator + *part;
    return place;
}

std::string QuotedText(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\b': quoted += "\\b"; break;
        case '\f': quoted += "\\f"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                quoted += "\\u00";
                quoted += hex[(c >> 4) & 0xF];
                quoted += hex[c & 0xF];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

std::string DifferenceLine(const SSheetDifference& difference) {
    return DifferencePlace(difference) + ": " + QuotedText(difference.textA) + " -> " +
           QuotedText(difference.textB);
}

std::string DifferencesText(const std::vector<SSheetDifference>& differences) {
    if (differences.empty())
        return "No differences.\n";
    std::string text;
    for (const SSheetDifference& difference : differences)
        text += DifferenceLine(difference) + '\n';
    return text;
}
