// "MakerR": the factory settings of the maker-reserve area.
#include "RadioDataManager.h"

#include "datamodel/memmap/SettingsCodecs.h"
#include "datamodel/nodes/SettingNodes.h"

using namespace settings;

namespace {

constexpr int kIfLimit = 99987500; // Hz

const FieldTable& MakerReservedTable() {
    static const FieldTable table = {
        BitRow("SqlDelayOn", 0x00B, 7, kOffOn),
        ByteRow("SqlDelayTim", 0x01A),
        ByteRow("SigDetTim", 0x018),
        ByteRow("NoisDetTim", 0x019),
        BitRow("DtcsPolTx", 0x00B, 6),
        BitRow("DtcsPolRx", 0x00B, 5),
        CodecRow({.name = "DtcsDec", .value = 12, .def = 12, .min = 12, .max = 23}, 0x01E,
                 DecodeDtcsDec, EncodeDtcsDec),
        CodecRow(NodeRow<CTolvarIfFreqNode>("IfFreq", -kIfLimit, -kIfLimit, kIfLimit), 0x010,
                 DecodeIfOffset, EncodeIfOffset),
        BitRow("PllRef", 0x00B, 2),
        ByteRow("UnlockIgnoreTimTx", 0x01B),
        ByteRow("UnlockIgnoreTimRx", 0x01C),
        ByteRow("LockCheckTimTx", 0x014),
        ByteRow("LockCheckTimRx", 0x015),
        ByteRow("OnPSetTim", 0x020),
        ByteRow("OnMutTim", 0x021),
        ByteRow("OffWaitTim", 0x022),
        ByteRow("OffMuteDelayTim", 0x023),
        UnboundRow("SetModeAcs", EKind::Bit),
    };
    return table;
}

} // namespace

void BuildMakerReservedMap(CTolvarRadioDataManager& manager, CNode& root) {
    BuildSettingsGroup(manager, root, "MakerR", MakerReservedTable(), EArea::MakerR);
}
