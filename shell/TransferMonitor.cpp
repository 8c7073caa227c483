#include "TransferMonitor.h"

#include <QCoreApplication>
#include <QString>

#include "shell/ProgressDialog.h"
#include "shell/QtInteraction.h"

void CQtTransferMonitor::Status(const std::string& text) {
    QMetaObject::invokeMethod(&m_ui, [this, text] { m_ui.SetStatusText(text); },
                              Qt::QueuedConnection);
}

void CQtTransferMonitor::ProgressBegin(const std::string& title) {
    QMetaObject::invokeMethod(&m_ui, [this, title] { m_ui.ProgressBegin(title); },
                              Qt::QueuedConnection);
}

void CQtTransferMonitor::ProgressSet(int percent) {
    QMetaObject::invokeMethod(&m_ui, [this, percent] { m_ui.ProgressSet(percent); },
                              Qt::QueuedConnection);
}

void CQtTransferMonitor::ProgressEnd() {
    QMetaObject::invokeMethod(&m_ui, [this] { m_ui.ProgressEnd(); }, Qt::QueuedConnection);
}

bool CQtTransferMonitor::CancelRequested() {
    return m_dialog.TakeCancelRequest();
}

void CQtTransferMonitor::PortError(const std::string& text) {
    QMetaObject::invokeMethod(
        &m_ui,
        [this, text] {
            m_ui.Box(QString::fromStdString(text), EButtons::Ok, EIcon::Exclamation,
                     QString::fromUtf8(kPortErrorCaption));
        },
        Qt::BlockingQueuedConnection);
}

bool CQtTransferMonitor::Confirm(const std::string& question) {
    bool yes = false;
    QMetaObject::invokeMethod(
        &m_ui,
        [this, question, &yes] {
            yes = m_ui.Box(QString::fromStdString(question), EButtons::YesNoDefaultNo, EIcon::Question) ==
                  EAnswer::Yes;
        },
        Qt::BlockingQueuedConnection);
    return yes;
}

void CQtTransferMonitor::Drain() {
    QCoreApplication::processEvents();
}
