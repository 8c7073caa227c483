#include "MchSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/Node.h"
#include "editors/sheets/MchDialog.h"

CTolvarMchSheet::CTolvarMchSheet(CCloneManager& registry, const SViewDef& view, QWidget* parent)
    : CListSheet(registry, view, parent), m_model(view.memoryModel) {}

QString CTolvarMchSheet::ClipboardFormat() const {
    return m_model == ModelPMR ? QStringLiteral("VK-TolvarPMRClipboadData")
                               : QStringLiteral("VK-TolvarLMRClipboadData");
}

int CTolvarMchSheet::SelectedChannel() const {
    const int row = GetSelectedRow();
    return row >= 0 ? Model().Rows().Channel(row) : 0;
}

std::vector<ECommand> CTolvarMchSheet::ContextCommands() const {
    using C = ECommand;
    return {C::EditMemory, C::None,   C::PrioA, C::Emergency, C::EmergencyOff, C::None,
            C::Copy,       C::Paste,  C::None,  C::Clear,     C::Delete,       C::Insert};
}

void CTolvarMchSheet::EditRow() {
    const int channel = SelectedChannel();
    if (channel <= 0) return;
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    CTolvarMchDialog dialog(Registry(), m_model, channel, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // A channel left without a receive frequency becomes the blank channel.
    CChannelEditor channels(Registry());
    const CNode* holder = channels.Holder(channel);
    const CNode* on = holder ? holder->FindChild("ChOn") : nullptr;
    if (on && on->GetValue() == 0) channels.ClearChannel(channel);
}

bool CTolvarMchSheet::OnCommand(ECommand command) {
    const int channel = SelectedChannel();
    if (channel <= 0) return CListSheet::OnCommand(command);
    CChannelEditor channels(Registry());
    switch (command) {
    case ECommand::PrioA: channels.SetPrioA(channel); break;
    case ECommand::Emergency: channels.SetEmergency(channel); break;
    case ECommand::EmergencyOff: channels.SetEmergency(0); break;
    case ECommand::Copy: CopyRow(); break;
    case ECommand::Paste: PasteRow(); break;
    case ECommand::Clear: channels.ClearChannel(channel); break;
    case ECommand::Delete: channels.DeleteChannel(channel); break;
    case ECommand::Insert: channels.InsertChannel(channel); break;
    default: return CListSheet::OnCommand(command);
    }
    Grid().setFocus();
    emit CommandStatesChanged();
    return true;
}

bool CTolvarMchSheet::OnUpdateCommand(ECommand command, SCommandState& state) const {
    const int channel = SelectedChannel();
    const bool any = channel > 0;
    CChannelEditor channels(Registry());
    switch (command) {
    case ECommand::PrioA: state = {any, any && channels.PrioA() == channel}; return true;
    case ECommand::Emergency: state = {any, any && channels.Emergency() == channel}; return true;
    case ECommand::EmergencyOff:
    case ECommand::Copy:
    case ECommand::Clear:
    case ECommand::Delete:
    case ECommand::Insert: state = {any, false}; return true;
    case ECommand::Paste: state = {any && CanPaste(), false}; return true;
    default: return CListSheet::OnUpdateCommand(command, state);
    }
}

void CTolvarMchSheet::CopyRow() {
    const int channel = SelectedChannel();
    const CNode* holder = CChannelEditor(Registry()).Holder(channel);
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
    if (!CanPaste()) return;
    const QByteArray bytes = QApplication::clipboard()->mimeData()->data(ClipboardFormat());
    if (!CChannelEditor(Registry()).PasteChannel(SelectedChannel(),
                                                 reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                 static_cast<size_t>(bytes.size())))
        Registry().UI().SetStatusText(
            " The clipboard does not hold a whole channel; nothing was pasted.");
}
