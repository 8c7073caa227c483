// What a print job prints: the views of "print all" for each variant, and the
// queue of view ids a job works through.
#pragma once

#include <array>
#include <vector>

// The view ids "print all" prints for a variant (0 LMR, 1 PMR), in order. The
// maker-reserved view is never among them.
const std::vector<int>& PrintAllOrder(int model);

class CPrintQueue {
public:
    static constexpr int kCapacity = 100;
    // Queued as one id, it stands for the print-all list of the current variant.
    static constexpr int kPrintAll = 1000;

    CPrintQueue() { ClearQueue(); }

    // Stores the flag and returns the one before.
    int SetSelectionFlag(int value);
    int SelectionFlag() const { return m_selection; }
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
    int m_selection = 0;
    std::array<int, kCapacity + 1> m_queue{}; // the last entry stays -1
};
