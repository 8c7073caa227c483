#include "QtInteraction.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "shell/Dialogs.h"
#include "shell/ProgressDialog.h"
#include "document/Product.h"

namespace {

const char* const kAppTitle = kProductName;

QMessageBox::StandardButtons ButtonsOf(EButtons buttons) {
    switch (Choices(buttons)) {
    case EButtons::Ok: return QMessageBox::Ok;
    case EButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case EButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case EButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case EButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    default: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(EIcon icon) {
    switch (icon) {
    case EIcon::Information: return QMessageBox::Information;
    case EIcon::Exclamation: return QMessageBox::Warning;
    case EIcon::Question: return QMessageBox::Question;
    case EIcon::Stop: return QMessageBox::Critical;
    case EIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

EAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Ok: return EAnswer::Ok;
    case QMessageBox::Yes: return EAnswer::Yes;
    case QMessageBox::No: return EAnswer::No;
    case QMessageBox::Retry: return EAnswer::Retry;
    default: return EAnswer::Cancel;
    }
}

// What closing the box with Esc or the title bar means.
EAnswer EscapeAnswer(EButtons buttons) {
    switch (Choices(buttons)) {
    case EButtons::Ok: return EAnswer::Ok;
    case EButtons::YesNo: return EAnswer::No;
    default: return EAnswer::Cancel;
    }
}

} // namespace

CQtUserInteraction::CQtUserInteraction(QObject* parent) : QObject(parent) {}

CQtUserInteraction::~CQtUserInteraction() {
    while (m_waitCursors-- > 0)
        QApplication::restoreOverrideCursor();
}

void CQtUserInteraction::ClearRecords() {
    m_boxes.clear();
    m_beeps.clear();
}

EAnswer CQtUserInteraction::MessageBox(const std::string& text, const std::string& caption,
                                       EButtons buttons, EIcon icon) {
    return Box(QString::fromStdString(text), buttons, icon, QString::fromStdString(caption));
}

EAnswer CQtUserInteraction::Box(const QString& text, EButtons buttons, EIcon icon,
                                const QString& caption) {
    // Over the progress dialog while a transfer shows it, else over the main window.
    QWidget* owner = m_progress && m_progress->isVisible() ? m_progress.data() : m_owner;
    const SBoxRecord record{text, caption.isEmpty() ? QString(kAppTitle) : caption, buttons, icon,
                            owner};
    m_boxes.push_back(record);
    if (m_boxHook) return m_boxHook(record);
    QMessageBox box(IconOf(icon), record.caption, text, ButtonsOf(buttons), owner);
    box.setTextFormat(Qt::PlainText);
    if (DefaultsToNo(buttons))
        box.setDefaultButton(Choices(buttons) == EButtons::YesNo ? QMessageBox::No : QMessageBox::Cancel);
    const int chosen = box.exec();
    if (!box.clickedButton()) return EscapeAnswer(buttons);
    return AnswerOf(chosen);
}

void CQtUserInteraction::SetStatusText(const std::string& text) {
    m_lastStatus = QString::fromStdString(text);
    if (m_status) m_status(m_lastStatus);
}

CCloneProgressDialog* CQtUserInteraction::EnsureProgressDialog() {
    if (!m_progress) m_progress = new CCloneProgressDialog(m_owner);
    return m_progress;
}

void CQtUserInteraction::ProgressBegin(const std::string& title) {
    EnsureProgressDialog()->Begin(QString::fromStdString(title));
}

void CQtUserInteraction::ProgressSet(int percent) {
    if (m_progress) m_progress->SetPos(percent);
}

bool CQtUserInteraction::ProgressCancelled() {
    QCoreApplication::processEvents();
    return m_progress && m_progress->TakeCancelRequest();
}

void CQtUserInteraction::ProgressEnd() {
    if (m_progress) m_progress->End();
}

void CQtUserInteraction::PlayBeeps(const std::vector<SBeep>& beeps) {
    m_beeps.push_back(beeps);
    if (m_silent) return;
    // One beep per tone, each after the tones and pauses before it; the window
    // goes on meanwhile.
    int at = 0;
    for (const SBeep& beep : beeps) {
        QTimer::singleShot(at, qApp, [] { QApplication::beep(); });
        at += beep.milliseconds + beep.pauseMs;
    }
}

void CQtUserInteraction::WaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitCursors;
    } else if (m_waitCursors > 0) {
        QApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
}

void CQtUserInteraction::ShowInformation(const SRepeaterInfo& info) {
    if (m_infoHook) {
        m_infoHook(info);
        return;
    }
    CInformationDialog dialog(info, m_owner);
    dialog.exec();
}
