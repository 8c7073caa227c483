#include "TransferMonitor.h"

#include "datamodel/UserInteraction.h"

void CInteractionMonitor::Status(const std::string& text) { m_ui.SetStatusText(text); }
void CInteractionMonitor::ProgressBegin(const std::string& title) { m_ui.ProgressBegin(title); }
void CInteractionMonitor::ProgressSet(int percent) { m_ui.ProgressSet(percent); }
void CInteractionMonitor::ProgressEnd() { m_ui.ProgressEnd(); }
bool CInteractionMonitor::CancelRequested() { return m_ui.ProgressCancelled(); }
bool CInteractionMonitor::Confirm(const std::string& question) {
    return m_ui.MessageBox(question, "", EButtons::YesNoDefaultNo, EIcon::Question) == EAnswer::Yes;
}

void CInteractionMonitor::PortError(const std::string& text) {
    m_ui.MessageBox(text, kPortErrorCaption, EButtons::Ok, EIcon::Exclamation);
}
