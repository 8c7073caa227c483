// The queue of view ids a print job works through.
#pragma once

#include <array>
#include <vector>

class CPrintQueue {
public:
    static constexpr int kCapacity = 100;
    // Queued as one id, it stands for the print-all list of the current variant.
    static constexpr int kPrintAll = 1000;

    CPrintQueue() { ClearQueue(); }

    // Every entry -1.
    void ClearQueue();
    // Appends id, or the print-all list of model for kPrintAll. Refused (false,
    // nothing appended) when the queue would then hold kCapacity entries or more.
    bool AddToQueue(int id, int model);
    // Entries before the first negative one.
    int QueueLength() const;
    // The queued ids in order.
    std::vector<int> Entries() const;

private:
    std::array<int, kCapacity + 1> m_queue{}; // the last entry stays -1
};
