// What a clone transfer on a worker thread shows and asks: status, progress and
// boxes are passed to the UI thread; the cancel request is read from the progress
// dialog's flag directly.
#pragma once

#include "clone/TransferMonitor.h"

class CQtUserInteraction;
class CCloneProgressDialog;

class CQtTransferMonitor : public ITransferMonitor {
public:
    CQtTransferMonitor(CQtUserInteraction& ui, CCloneProgressDialog& dialog)
        : m_ui(ui), m_dialog(dialog) {}

    void Status(const std::string& text) override;
    void ProgressBegin(const std::string& title) override;
    void ProgressSet(int percent) override;
    void ProgressEnd() override;
    bool CancelRequested() override;
    void PortError(const std::string& text) override;
    bool Confirm(const std::string& question) override;
    // UI thread, after the transfer: runs what is still queued.
    void Drain();

private:
    CQtUserInteraction& m_ui;
    CCloneProgressDialog& m_dialog;
};
