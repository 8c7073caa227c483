#include "PrintOrder.h"

#include "document/ViewTable.h"

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
    const std::vector<int> ids = id == kPrintAll ? PrintAllViews(model) : std::vector<int>{id};
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
