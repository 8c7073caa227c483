// A clone transfer on a worker thread: progress and cancel across threads, two
// simulated repeaters at once, and the edit guard under contention. Built also with
// ThreadSanitizer (make tsan).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "document/DocumentData.h"
#include "document/TolvarPortFactory.h"
#include "support/ScriptedInteraction.h"

namespace {

using namespace std::chrono_literals;

// What a desktop program's monitor does: keeps what the worker reports for the UI
// thread to pick up, and hands it the cancel request.
class CSharedMonitor : public ITransferMonitor {
public:
    std::atomic<int> percent{0};
    std::atomic<bool> cancel{false};
    std::atomic<int> begun{0}, ended{0};

    void Status(const std::string& text) override {
        std::lock_guard lock(m_mutex);
        m_status.push_back(text);
    }
    void ProgressBegin(const std::string&) override { ++begun; }
    void ProgressSet(int value) override { percent = value; }
    void ProgressEnd() override { ++ended; }
    bool CancelRequested() override { return cancel; }
    void PortError(const std::string& text) override { Status(text); }
    bool Confirm(const std::string&) override { return true; }
    std::vector<std::string> StatusTexts() {
        std::lock_guard lock(m_mutex);
        return m_status;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_status;
};

struct SDocument {
    explicit SDocument(int repeaterModel, bool paced = false)
        : document(ui, ModelLMR, nullptr, &ports) {
        ports.Simulator().WithRepeater([&](CSimulatedRepeater& r) {
            r.LoadFactoryImage(repeaterModel);
            r.SetPacing(paced);
        });
        document.RsIo().SetPortName("SIM");
    }
    CScriptedInteraction ui;
    CTolvarPortFactory ports;
    CTolvarDocumentData document;
};

TEST(CloneThreads, ATransferOnAWorkerIsCancelledFromTheUiThread) {
    SDocument doc(ModelPMR, true);  // paced: the read takes long enough to cancel
    CEepromImage before;
    before.CopyFrom(doc.document.Registry().Image());
    SCloneJob job;
    job.operation = ECloneOperation::Read;
    ASSERT_TRUE(doc.document.RsIo().Prepare(job));

    CSharedMonitor monitor;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        doc.document.RsIo().Transfer(job, monitor);
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (monitor.percent < 3 && !done && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    const int seen = monitor.percent;
    monitor.cancel = true;
    worker.join();

    EXPECT_GE(seen, 3);
    EXPECT_EQ(job.result, ECloneResult::Cancelled);
    EXPECT_EQ(monitor.begun.load(), 1);
    EXPECT_EQ(monitor.ended.load(), 1);
    EXPECT_EQ(monitor.StatusTexts(), std::vector<std::string>{LoadMessage(EMsg::NowReading)});
    // Nothing reached the document until the finish, and the finish takes nothing.
    EXPECT_TRUE(doc.document.Registry().Image() == before);
    EXPECT_EQ(doc.document.RsIo().Finish(job), ECloneResult::Cancelled);
    EXPECT_TRUE(doc.document.Registry().Image() == before);
    EXPECT_EQ(doc.ui.statusTexts, std::vector<std::string>{LoadMessage(EMsg::TerminatedCloning)});
}

TEST(CloneThreads, TwoDocumentsReadTwoRepeatersAtOnce) {
    SDocument lmr(ModelLMR), pmr(ModelPMR);
    SDocument* docs[] = {&lmr, &pmr};
    SCloneJob jobs[2];
    CSharedMonitor monitors[2];
    std::vector<std::thread> workers;
    for (int i = 0; i < 2; ++i) {
        jobs[i].operation = ECloneOperation::Read;
        ASSERT_TRUE(docs[i]->document.RsIo().Prepare(jobs[i]));
        workers.emplace_back([&, i] { docs[i]->document.RsIo().Transfer(jobs[i], monitors[i]); });
    }
    for (auto& worker : workers)
        worker.join();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(docs[i]->document.RsIo().Finish(jobs[i]), ECloneResult::Ok) << i;
        EXPECT_EQ(monitors[i].percent.load(), 100);
    }
    EXPECT_EQ(lmr.document.GetModel(), ModelLMR);
    EXPECT_EQ(pmr.document.GetModel(), ModelPMR);
}

TEST(CloneThreads, OneOfManyThreadsHoldsTheEditGuard) {
    CEditGuard guard;
    std::atomic<int> inside{0}, most{0}, entries{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                CEditScope scope(guard);
                if (!scope.Entered())
                    continue;
                ++entries;
                const int now = ++inside;
                int seen = most.load();
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                --inside;
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(most.load(), 1);
    EXPECT_GT(entries.load(), 0);
    EXPECT_FALSE(guard.IsBusy());
}

} // namespace
