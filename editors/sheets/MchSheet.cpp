#include "MchSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTimer>
#include <cstdlib>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/EditGuard.h"
#include "datamodel/nodes/Node.h"
#include "editors/sheets/MchDialog.h"
#include "shell/Document.h"

namespace {

const SSheetDef& DefinitionOf(int model) {
    static const auto make = [](int m) {
        SSheetDef def{"Memory Channel", 32,
                      m == ModelPMR ? "Column_MchPMRSheet" : "Column_MchLMRSheet", 131, {}};
        bool first = true;
        for (const SSheetColumn& column : ChannelSheetColumns(m)) {
            def.columns.push_back({column.title, 0, column.width, first ? 40 : 30,
                                   first ? 100 : 200, 0xFFFFFFFF, 0xFFFFFFFF, column.printWidth});
            first = false;
        }
        return def;
    };
    static const SSheetDef lmr = make(ModelLMR), pmr = make(ModelPMR);
    return model == ModelPMR ? pmr : lmr;
}

} // namespace

CTolvarMchSheet::CTolvarMchSheet(int model, CTolvarCloneSupportDoc& document, QWidget* parent)
    : CListSheet(DefinitionOf(model), document, parent), m_model(model) {
    if (CNode* mch = document.Registry().Model()->GetNodeByPath("Mch"))
        m_watch = mch->Subscribe([this](CNode& changed) { OnNodeChanged(changed); });
}

void CTolvarMchSheet::OnNodeChanged(CNode& changed) {
    // The channel that shows the field; a field of "Mch" itself (Prio A, emergency,
    // bank size) touches every row.
    const CNode* node = &changed;
    while (node->GetParent() && node->GetParent()->GetName() != "Mch")
        node = node->GetParent();
    const std::string& name = node->GetName();
    if (name.rfind("CH", 0) == 0 && name.size() > 2 && node != &changed) {
        const int row = std::atoi(name.c_str() + 2) - Offset() - 1;
        if (row >= 0) m_changedRows.insert(row);
    } else {
        m_allChanged = true;
    }
    if (!m_flushPending) {
        m_flushPending = true;
        QTimer::singleShot(0, this, &CTolvarMchSheet::FlushChanged);
    }
}

void CTolvarMchSheet::FlushChanged() {
    m_flushPending = false;
    if (m_allChanged) {
        for (int row = 0; row < RowCount(); ++row)
            Refresh(row);
    } else {
        for (int row : m_changedRows)
            if (row < RowCount()) Refresh(row);
    }
    m_changedRows.clear();
    m_allChanged = false;
    emit TrailingTextChanged();
}

CTolvarMchSheet::~CTolvarMchSheet() = default;

QString CTolvarMchSheet::ClipboardFormat() const {
    return m_model == ModelPMR ? QStringLiteral("VK-TolvarPMRClipboadData")
                               : QStringLiteral("VK-TolvarLMRClipboadData");
}


void CTolvarMchSheet::OnUpdate() {
    // The rows follow the bank size, the cells the nodes.
    SetRows(CChannelEditor(Document().Registry()).RowCount(), 0);
    RefreshAll();
}

void CTolvarMchSheet::Refresh(int row) {
    const CNode* mch = Document().Registry().Model()->GetNodeByPath("Mch");
    if (!mch) return;
    const std::vector<std::string> cells = ChannelSheetRow(*mch, m_model, row + Offset() + 1, true);
    for (size_t c = 0; c < cells.size(); ++c)
        SetCellText(row, static_cast<int>(c), QString::fromStdString(cells[c]));
}

void CTolvarMchSheet::RefreshRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    Refresh(row);
}

void CTolvarMchSheet::EditRow() {
    const int row = GetSelectedRow();
    if (row < 0 || row >= RowCount()) return;
    CEditScope guard(Document().Registry().EditGuard());
    if (!guard.Entered()) return;
    CTolvarMchDialog dialog(Document().Registry(), m_model, row + Offset() + 1, this);
    const bool ok = m_runDialog ? m_runDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (!ok) return;
    RefreshRow(row);
    // A channel left without a receive frequency becomes the blank channel.
    const CNode* holder = CChannelEditor(Document().Registry()).Holder(row + Offset() + 1);
    if (holder && holder->FindChild("ChOn") && holder->FindChild("ChOn")->GetValue() == 0)
        ClearChannel(row + 1);
}

QString CTolvarMchSheet::TrailingText() const {
    const int row = GetSelectedRow();
    return row >= 0 && row < RowCount() ? QString(" - CH %1").arg(row + 1) : QStringLiteral("     ");
}

void CTolvarMchSheet::CopyRow() {
    const int row = GetSelectedRow();
    if (row < 0 || row >= RowCount()) return;
    const int channel = row + Offset() + 1;
    const CNode* holder = CChannelEditor(Document().Registry()).Holder(channel);
    if (!holder) return;
    const ChannelRecord record = CopyChannelRecord(*holder);
    auto* data = new QMimeData;
    data->setData(ClipboardFormat(), QByteArray(reinterpret_cast<const char*>(record.data()),
                                                static_cast<qsizetype>(record.size())));
    data->setText(QString::fromStdString(ChannelRecordText(*holder, channel)));
    QApplication::clipboard()->setMimeData(data);
}

bool CTolvarMchSheet::CanPaste() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(ClipboardFormat());
}

void CTolvarMchSheet::PasteRow() {
    const int row = GetSelectedRow();
    if (row < 0 || row >= RowCount() || !CanPaste()) return;
    const QByteArray bytes = QApplication::clipboard()->mimeData()->data(ClipboardFormat());
    CNode* holder = CChannelEditor(Document().Registry()).Holder(row + Offset() + 1);
    if (!holder) return;
    if (!PasteChannelRecord(*holder, reinterpret_cast<const uint8_t*>(bytes.constData()),
                            static_cast<size_t>(bytes.size()))) {
        Document().Registry().UI().SetStatusText(
            " The clipboard does not hold a whole channel; nothing was pasted.");
        return;
    }
    RefreshOne(row);
    MarkModified();
}

void CTolvarMchSheet::ClearChannel(int n) {
    if (CChannelEditor(Document().Registry()).ClearChannel(n)) RefreshOne(n - 1);
}

void CTolvarMchSheet::ClearRow() {
    ClearChannel(GetSelectedRow() + 1);
}

void CTolvarMchSheet::DeleteRow() {
    if (CChannelEditor(Document().Registry()).DeleteChannel(GetSelectedRow() + 1)) OnUpdate();
}

void CTolvarMchSheet::InsertRow() {
    if (CChannelEditor(Document().Registry()).InsertChannel(GetSelectedRow() + 1)) OnUpdate();
}
