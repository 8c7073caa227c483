#include "MchSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "editors/sheets/MchDialog.h"
#include "exchange/ChannelCsv.h"
#include "exchange/Exchange.h"

CTolvarMchSheet::CTolvarMchSheet(CCloneManager& registry, const SViewDef& view, QWidget* parent)
    : CListSheet(registry, view, parent), m_model(view.memoryModel) {
    AllowSeveralRows();
}

QString CTolvarMchSheet::ClipboardFormat() const {
    return m_model == ModelPMR ? QStringLiteral("VK-TolvarPMRClipboadData")
                               : QStringLiteral("VK-TolvarLMRClipboadData");
}

std::vector<int> CTolvarMchSheet::SelectedChannels() const {
    std::vector<int> channels;
    for (int row : SelectedRows())
        if (const int channel = Model().Rows().Channel(row); channel > 0)
            channels.push_back(channel);
    return channels;
}

int CTolvarMchSheet::SelectedChannel() const {
    const std::vector<int> channels = SelectedChannels();
    return channels.size() == 1 ? channels.front() : 0;
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
    // The dialog's OK and the clearing below are one step.
    CEditStep step(Registry(), "Edit " + ChannelListText({channel}));
    CTolvarMchDialog dialog(Registry(), m_model, channel, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // A channel left without a receive frequency becomes the blank channel.
    CChannelEditor channels(Registry());
    const CNode* holder = channels.Holder(channel);
    const CNode* on = holder ? holder->FindChild("ChOn") : nullptr;
    if (on && on->GetValue() == 0) channels.ClearChannel(channel);
}

bool CTolvarMchSheet::OnCommand(ECommand command) {
    const std::vector<int> selected = SelectedChannels();
    const int channel = SelectedChannel();
    if (selected.empty()) return CListSheet::OnCommand(command);
    CChannelEditor channels(Registry());
    switch (command) {
    case ECommand::PrioA:
        if (channel) channels.SetPrioA(channel);
        break;
    case ECommand::Emergency:
        if (channel) channels.SetEmergency(channel);
        break;
    case ECommand::EmergencyOff: channels.SetEmergency(0); break;
    case ECommand::Copy: CopyRows(); break;
    case ECommand::Paste: PasteRows(); break;
    case ECommand::Clear: channels.ClearChannels(selected); break;
    case ECommand::Delete: channels.DeleteChannels(selected); break;
    case ECommand::Insert:
        if (channel) channels.InsertChannel(channel);
        break;
    default: return CListSheet::OnCommand(command);
    }
    Grid().setFocus();
    emit CommandStatesChanged();
    return true;
}

bool CTolvarMchSheet::OnUpdateCommand(ECommand command, SCommandState& state) const {
    const bool any = !SelectedChannels().empty();
    const int channel = SelectedChannel();
    CChannelEditor channels(Registry());
    switch (command) {
    case ECommand::PrioA: state = {channel > 0, channel > 0 && channels.PrioA() == channel}; return true;
    case ECommand::Emergency:
        state = {channel > 0, channel > 0 && channels.Emergency() == channel};
        return true;
    case ECommand::Insert: state = {channel > 0, false}; return true;
    case ECommand::EmergencyOff:
    case ECommand::Copy:
    case ECommand::Clear:
    case ECommand::Delete: state = {any, false}; return true;
    case ECommand::Paste: state = {any && CanPaste(), false}; return true;
    default: return CListSheet::OnUpdateCommand(command, state);
    }
}

void CTolvarMchSheet::CopyRows() {
    const std::vector<int> selected = SelectedChannels();
    CChannelEditor channels(Registry());
    QByteArray records;
    for (int channel : selected) {
        const ChannelRecord record = CopyChannelRecord(*channels.Holder(channel));
        records.append(reinterpret_cast<const char*>(record.data()),
                       static_cast<qsizetype>(record.size()));
    }
    auto* data = new QMimeData;
    data->setData(ClipboardFormat(), records);
    // For spreadsheets: the rows as the sheet shows them, under its column titles.
    const CTreeIndex index(*Registry().RadioData(), m_model);
    data->setText(QString::fromStdString(ChannelTableText(index, selected)));
    QApplication::clipboard()->setMimeData(data);
}

bool CTolvarMchSheet::CanPaste() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && (data->hasFormat(ClipboardFormat()) ||
                    (data->hasText() && data->text().contains(QLatin1Char('\t'))));
}

void CTolvarMchSheet::PasteRows() {
    if (!CanPaste()) return;
    const std::vector<int> selected = SelectedChannels();
    const QMimeData& data = *QApplication::clipboard()->mimeData();
    IUserInteraction& ui = Registry().UI();
    if (!data.hasFormat(ClipboardFormat())) {
        // Rows from a spreadsheet: the channels they name, by the CSV rules.
        const SImportResult result = PasteChannelTable(Registry(), data.text().toStdString());
        if (!result.Ok())
            ui.MessageBox("Nothing was pasted: " + result.errors.front(), "", EButtons::Ok,
                          EIcon::Exclamation);
        else if (!result.warnings.empty())
            ui.SetStatusText(" " + result.warnings.front());
        return;
    }
    const QByteArray bytes = data.data(ClipboardFormat());
    const int first = selected.front();
    std::string refusal;
    if (CChannelEditor(Registry()).PasteChannels(first, reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                 static_cast<size_t>(bytes.size()), refusal)) {
        const int count = static_cast<int>(bytes.size() / static_cast<qsizetype>(kChannelRecordBytes));
        SelectChannels(first, first + count - 1);
    } else if (bytes.size() % static_cast<qsizetype>(kChannelRecordBytes) != 0 || bytes.isEmpty()) {
        ui.SetStatusText(" The clipboard does not hold a whole channel; nothing was pasted.");
    } else if (!refusal.empty()) {
        ui.MessageBox(refusal, "", EButtons::Ok, EIcon::Exclamation);
    }
}

void CTolvarMchSheet::SelectChannels(int first, int last) {
    int from = -1, to = -1;
    for (int row = 0; row < RowCount(); ++row) {
        const int channel = Model().Rows().Channel(row);
        if (channel == first) from = row;
        if (channel == last) to = row;
    }
    if (from >= 0 && to >= from) SelectRows(from, to);
}
