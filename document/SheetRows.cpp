#include "SheetRows.h"

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/nodes/Node.h"

namespace {

constexpr const char* kNoStatus = "     ";

} // namespace

int CSheetRows::RowCount() const {
    switch (m_view->sheet) {
    case ESheetKind::Memory: return CChannelEditor(*m_registry).RowCount();
    case ESheetKind::Code: return CodeRowCount(*m_registry, *m_view->code, m_view->set);
    case ESheetKind::Setting: return static_cast<int>(m_view->setting->rows.size());
    case ESheetKind::None: break;
    }
    return 0;
}

int CSheetRows::Offset() const {
    if (m_view->sheet == ESheetKind::Code && m_view->set > 0)
        return MultiToneOffset(*m_registry, m_view->set);
    return 0;
}

std::vector<std::string> CSheetRows::Cells(int row) const {
    if (row < 0 || row >= RowCount()) return {};
    switch (m_view->sheet) {
    case ESheetKind::Memory: {
        const CNode* mch = m_registry->Model()->GetNodeByPath("Mch");
        return mch ? ChannelSheetRow(*mch, m_view->memoryModel, Channel(row), true)
                   : std::vector<std::string>();
    }
    case ESheetKind::Code: return CodeRowCells(*m_registry, *m_view->code, row, Offset());
    case ESheetKind::Setting: {
        const SSettingRow& setting = m_view->setting->rows[static_cast<size_t>(row)];
        const CNode* node = RowNode(row);
        return {setting.title,
                setting.Heading() || !node ? std::string() : SettingRowText(*node, setting)};
    }
    case ESheetKind::None: break;
    }
    return {};
}

std::string CSheetRows::Status(int row) const {
    const bool valid = row >= 0 && row < RowCount();
    switch (m_view->sheet) {
    case ESheetKind::Memory: return valid ? " - CH " + std::to_string(Channel(row)) : kNoStatus;
    case ESheetKind::Code:
        return CodeRowStatus(*m_view->code, m_registry->Model()->GetModel(), valid ? row : -1);
    default: return kNoStatus;
    }
}

int CSheetRows::Channel(int row) const {
    return m_view->sheet == ESheetKind::Memory ? row + Offset() + 1 : 0;
}

CNode* CSheetRows::RowNode(int row) const {
    if (row < 0 || row >= RowCount()) return nullptr;
    switch (m_view->sheet) {
    case ESheetKind::Memory: return CChannelEditor(*m_registry).Holder(Channel(row));
    case ESheetKind::Code:
        return m_registry->Model()->GetNodeByPath(CodeRowPath(*m_view->code, row, Offset()));
    case ESheetKind::Setting: return m_registry->Model()->GetNodeByPath(m_view->setting->node);
    case ESheetKind::None: break;
    }
    return nullptr;
}
