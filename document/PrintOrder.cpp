#include "PrintOrder.h"

#include "datamodel/DataManagers.h"
#include "document/NavigationTree.h"

namespace {

// Key & display, common, expert, the memory of the variant, the 32 multiple-tone
// sets, the DTMF sheets, then the variant's signalling sheets.
std::vector<int> MakeOrder(int memory, std::initializer_list<int> signalling) {
    std::vector<int> order = {kViewKeyDisp, kViewCommon, kViewExpert, memory};
    for (int id = kViewMultiToneFirst; id <= kViewMultiToneLast; ++id)
        order.push_back(id);
    order.insert(order.end(),
                 {kViewDtmfRx, kViewDtmfTx, kViewDtmfRxSys, kViewDtmfTxSys, kViewDtmfSet});
    order.insert(order.end(), signalling);
    return order;
}

} // namespace

const std::vector<int>& PrintAllOrder(int model) {
    static const std::vector<int> lmr =
        MakeOrder(kViewMemoryLMR, {kView2ToneRx, kView2ToneRxSet, kView2ToneTx});
    static const std::vector<int> pmr =
        MakeOrder(kViewMemoryPMR, {kView5ToneRx, kView5ToneRxSet, kView5ToneTx, kView5ToneTxSet,
                                   kView5ToneFormat, kView5ToneUserTone});
    return model == ModelPMR ? pmr : lmr;
}

int CPrintQueue::SetSelectionFlag(int value) {
    const int previous = m_selection;
    m_selection = value;
    return previous;
}

void CPrintQueue::ClearQueue() {
    m_queue.fill(-1);
}

int CPrintQueue::QueueLength() const {
    int length = 0;
    while (length < kCapacity && m_queue[static_cast<size_t>(length)] >= 0)
        ++length;
    return length;
}

bool CPrintQueue::AddToQueue(int id, int model) {
    const std::vector<int> ids = id == kPrintAll ? PrintAllOrder(model) : std::vector<int>{id};
    const int length = QueueLength();
    if (length + static_cast<int>(ids.size()) >= kCapacity)
        return false;
    for (size_t i = 0; i < ids.size(); ++i)
        m_queue[static_cast<size_t>(length) + i] = ids[i];
    return true;
}

std::vector<int> CPrintQueue::Entries() const {
    return {m_queue.begin(), m_queue.begin() + QueueLength()};
}
