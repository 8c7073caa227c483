// What a running transfer reports to, and asks of, the person watching it.
//
// Thread rule: the node tree, the image and the document are touched only on the UI
// thread (in tolvar, the main thread). A clone operation prepares and finishes there;
// its transfer may run on a worker thread that owns the port and the engine and
// reaches the user only through this interface. An implementation for a worker
// thread must be callable from it and pass what it shows on to the UI thread.
#pragma once

#include <string>

class IUserInteraction;

class ITransferMonitor {
public:
    virtual ~ITransferMonitor() = default;
    // A line for the main window's message area (" Now reading <- TR").
    virtual void Status(const std::string& text) = 0;
    virtual void ProgressBegin(const std::string& title) = 0;
    virtual void ProgressSet(int percent) = 0;
    virtual void ProgressEnd() = 0;
    // True once the user asked to cancel.
    virtual bool CancelRequested() = 0;
    // A port failure, shown as a message box that needs no answer.
    virtual void PortError(const std::string& text) = 0;
    // A question the transfer needs answered before it goes on (the transfer waits
    // for the answer); true for yes. What follows a yes cannot be taken back, so the
    // question defaults to no.
    virtual bool Confirm(const std::string& question) = 0;
};

// Caption of the port failure box.
inline constexpr const char* kPortErrorCaption = " COM Port Error    ";

// Passes everything straight to a user interaction, for a transfer that runs on the
// interaction's own thread (the terminal, tests).
class CInteractionMonitor : public ITransferMonitor {
public:
    explicit CInteractionMonitor(IUserInteraction& ui) : m_ui(ui) {}
    void Status(const std::string& text) override;
    void ProgressBegin(const std::string& title) override;
    void ProgressSet(int percent) override;
    void ProgressEnd() override;
    bool CancelRequested() override;
    void PortError(const std::string& text) override;
    bool Confirm(const std::string& question) override;

private:
    IUserInteraction& m_ui;
};
