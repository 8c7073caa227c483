#include "Document.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>
#include <cstring>
#include <thread>

#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/Messages.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "document/TolvarPortFactory.h"
#include "exchange/Exchange.h"
#include "exchange/TextFile.h"
#include "shell/Profile.h"
#include "shell/ProgressDialog.h"
#include "shell/QtInteraction.h"
#include "shell/TransferMonitor.h"

namespace {

const QString kVerified = QStringLiteral("Verified: the repeater holds the data written.");

const char* const kFilter = "Data Files (*.ZCF *.zcf)";

// Why a file cannot be opened at all; empty when it can be tried.
QString UnreadableReason(const QFileInfo& file) {
    return !file.exists()       ? QStringLiteral("the file does not exist")
           : file.isDir()       ? QStringLiteral("it is a folder")
           : !file.isReadable() ? QStringLiteral("you may not read it")
                                : QString();
}

// A file the data refused, with the line and reason where known.
QString RefusalText(const CTolvarDocumentData& data) {
    QString text = QStringLiteral("Unexpected file format.");
    const SReadProblem& problem = data.FileIo().LastProblem();
    if (problem.line > 0 && !problem.reason.empty())
        text += QString("\n\n(line %1: %2)").arg(problem.line).arg(QString::fromStdString(problem.reason));
    return text;
}

QString CountText(size_t n, const char* one, const char* many) {
    return QString("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

} // namespace

CTolvarCloneSupportDoc::CTolvarCloneSupportDoc(CQtUserInteraction& ui, CProfile& profile,
                                               CTolvarPortFactory& ports)
    : m_ui(ui), m_profile(profile), m_ports(ports),
      m_data(std::make_unique<CTolvarDocumentData>(ui, profile.ModelVer(), this, &ports)) {
    ApplyPortSettings();
}

CTolvarCloneSupportDoc::~CTolvarCloneSupportDoc() {
    m_profile.SetModelVer(Model());
}

bool CTolvarCloneSupportDoc::MakerReserve() const {
    return m_data->Registry().Model()->IsMakerReserve();
}

QString CTolvarCloneSupportDoc::Title() const {
    return m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).fileName();
}

void CTolvarCloneSupportDoc::SetModifiedFlag(bool modified) {
    if (m_modified == modified) return;
    m_modified = modified;
    emit TitleChanged();
}

void CTolvarCloneSupportDoc::SetPath(const QString& path) {
    m_path = path;
    emit TitleChanged();
}

void CTolvarCloneSupportDoc::ApplyPortSettings() {
    m_ports.SetSettings(m_profile.PortSettings());
    m_data->RsIo().SetPortNumber(m_profile.PortNumber());
    m_data->RsIo().SetSpeedMode(m_profile.PortBaud());
}

// ---------------------------------------------------------------------------------------
// Files

bool CTolvarCloneSupportDoc::SaveModified() {
    if (!IsModified()) return true;
    const QString name = m_path.isEmpty() ? Title() : m_path;
    switch (m_ui.Box(QString("Save changes to %1?").arg(name), EButtons::YesNoCancel,
                     EIcon::Exclamation)) {
    case EAnswer::Yes: return OnFileSave();
    case EAnswer::No: return true;
    default: return false;
    }
}

void CTolvarCloneSupportDoc::ResetToNew() {
    m_path.clear();
    m_modified = false;
    emit TitleChanged();
    emit TreeRebuild();
    emit ViewsUpdate();
}

void CTolvarCloneSupportDoc::OnFileNew() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered() || !SaveModified()) return;
    m_data->New();
    ResetToNew();
}

void CTolvarCloneSupportDoc::NewDocument() {
    // After a variant change: the image is already the new variant's factory image.
    ResetToNew();
}

void CTolvarCloneSupportDoc::OnFileOpen() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    const QString path = m_chooser ? m_chooser(false, m_path)
                                   : QFileDialog::getOpenFileName(m_window, QString(), m_path,
                                                                  kFilter);
    if (path.isEmpty()) return;
    OpenDocumentFile(path);
}

bool CTolvarCloneSupportDoc::OpenDocumentFile(const QString& requested) {
    if (!SaveModified()) return false;
    return LoadFile(requested, false);
}

bool CTolvarCloneSupportDoc::OpenBackup(const QString& path) {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered() || !SaveModified()) return false;
    return LoadFile(path, true);
}

bool CTolvarCloneSupportDoc::LoadFile(const QString& requested, bool untitled) {
    const QString path = QFileInfo(requested).absoluteFilePath();
    const QFileInfo file(path);
    if (const QString why = UnreadableReason(file); !why.isEmpty()) {
        QString text = QString("Failed to open document.\n\n%1: %2.").arg(path, why);
        // A file that is gone leaves the recent files.
        if (!file.exists() && m_profile.RemoveRecentFile(path)) {
            text += QStringLiteral("\nIt was removed from the recent files.");
            emit RecentFilesChanged();
        }
        m_ui.Box(text, EButtons::Ok, EIcon::Exclamation);
        return false;
    }
    const QString oldPath = m_path;
    const bool oldModified = m_modified;
    if (m_data->Open(path.toStdString()) != EFileResult::Ok) {
        m_ui.Box(RefusalText(*m_data), EButtons::Ok, EIcon::Exclamation);
        // The refused file leaves title and modified state as they were.
        m_path = oldPath;
        m_modified = oldModified;
        emit TitleChanged();
        return false;
    }
    m_modified = false;
    // A backup opens as a new document: Save asks for a name.
    SetPath(untitled ? QString() : path);
    if (!untitled) {
        m_profile.AddRecentFile(path);
        emit RecentFilesChanged();
    }
    emit TreeRebuild();
    emit ViewsUpdate();
    const SCoverage coverage = m_data->UserAreaCoverage();
    if (!coverage.Complete())
        m_ui.Box(QString("%1 holds %2 of the %3 bytes of the user area (00A0-19FF).\n\n"
                         "The other %4 bytes come from the document that was open, as it "
                         "was last created, opened, saved or read; changes that were not "
                         "saved are not kept.")
                     .arg(file.fileName())
                     .arg(coverage.covered)
                     .arg(coverage.total)
                     .arg(coverage.total - coverage.covered),
                 EButtons::Ok, EIcon::Information);
    return true;
}

bool CTolvarCloneSupportDoc::OnFileSave() {
    CEditScope guard(Registry().EditGuard());
    // Save also runs from the save prompt of a guarded command.
    return DoSave(m_path);
}

bool CTolvarCloneSupportDoc::OnFileSaveAs() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return false;
    return DoSave(QString());
}

void CTolvarCloneSupportDoc::OnImport() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    const QString path =
        m_chooser ? m_chooser(false, QString())
                  : QFileDialog::getOpenFileName(m_window, QStringLiteral("Import"), QString(),
                                                 QStringLiteral("JSON or CSV (*.json *.csv);;All files (*)"));
    if (path.isEmpty()) return;
    std::string text, error;
    if (!ReadTextFile(path.toStdString(), text, error)) {
        m_ui.Box(QString("Nothing was imported: %1: %2").arg(path, QString::fromStdString(error)),
                 EButtons::Ok, EIcon::Exclamation);
        return;
    }
    const std::string name = QFileInfo(path).fileName().toStdString();
    const SImportResult result = ImportText(*m_data, text, MakerReserve(), "Import " + name);
    if (!result.Ok()) {
        // The first faults, each with its place; the rest counted.
        QStringList lines;
        for (size_t i = 0; i < result.errors.size() && i < 10; ++i)
            lines << QString::fromStdString(result.errors[i]);
        if (result.errors.size() > 10) lines << QString("and %1 more").arg(result.errors.size() - 10);
        m_ui.Box(QString("Nothing was imported from %1:\n\n%2").arg(path, lines.join('\n')),
                 EButtons::Ok, EIcon::Exclamation);
        return;
    }
    m_ui.SetStatusText(result.warnings.empty()
                           ? " Imported " + name + "."
                           : " Imported " + name + "; " + result.warnings.front());
}

void CTolvarCloneSupportDoc::OnExport() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    const QString suggested = QFileInfo(m_path.isEmpty() ? QStringLiteral("Untitled") : m_path)
                                  .completeBaseName() + QStringLiteral(".json");
    QString path = m_chooser ? m_chooser(true, suggested)
                             : QFileDialog::getSaveFileName(
                                   m_window, QStringLiteral("Export"), suggested,
                                   QStringLiteral("JSON, every field (*.json);;Memory channels as CSV (*.csv)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
    const bool csv = QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
    std::string error;
    if (!WriteTextFile(path.toStdString(),
                       ExportText(*m_data, csv ? EExportFormat::Csv : EExportFormat::Json, MakerReserve()),
                       error)) {
        m_ui.Box(QString("Nothing was exported: %1: %2").arg(path, QString::fromStdString(error)),
                 EButtons::Ok, EIcon::Exclamation);
        return;
    }
    m_ui.SetStatusText(" Exported to " + QFileInfo(path).fileName().toStdString() + ".");
}

bool CTolvarCloneSupportDoc::DoSave(QString path) {
    if (path.isEmpty()) {
        const QString suggested = m_path.isEmpty() ? QStringLiteral("Untitled.zcf") : m_path;
        path = m_chooser ? m_chooser(true, suggested)
                         : QFileDialog::getSaveFileName(m_window, QString(), suggested, kFilter);
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".zcf");
    }
    const QFileInfo target(path);
    if (target.exists() && !target.isWritable()) {
        m_ui.Box(QString("Access to %1 was denied.").arg(path), EButtons::Ok, EIcon::Exclamation);
        return false;
    }
    m_ui.WaitCursor(true);
    const EFileResult result = m_data->Save(path.toStdString());
    m_ui.WaitCursor(false);
    if (result != EFileResult::Ok) {
        const SReadProblem& problem = m_data->FileIo().LastProblem();
        QString text = QString("Access to %1 was denied.").arg(path);
        if (problem.error != 0)
            text += QString("\n\n(%1)").arg(QString::fromLocal8Bit(std::strerror(problem.error)));
        m_ui.Box(text, EButtons::Ok, EIcon::Exclamation);
        return false;
    }
    m_modified = false;
    SetPath(target.absoluteFilePath());
    m_profile.AddRecentFile(m_path);
    emit RecentFilesChanged();
    return true;
}

// ---------------------------------------------------------------------------------------
// Port, model

void CTolvarCloneSupportDoc::OnComPort(int n) {
    m_data->RsIo().SetPortNumber(n);
    m_profile.SetPortNumber(m_data->RsIo().GetPortNumber());
}

int CTolvarCloneSupportDoc::PortNumber() const {
    return m_data->RsIo().GetPortNumber();
}

void CTolvarCloneSupportDoc::OnModel(int model) {
    if (model == Model()) return;
    if (Registry().Model()->ChangeModel(model, true)) {
        m_profile.SetModelVer(Model());
        m_modified = false;
        emit TitleChanged();
    }
}

void CTolvarCloneSupportDoc::OnUndo() {
    CEditScope guard(Registry().EditGuard());
    if (guard.Entered()) Registry().History().Undo();
}

void CTolvarCloneSupportDoc::OnRedo() {
    CEditScope guard(Registry().EditGuard());
    if (guard.Entered()) Registry().History().Redo();
}

bool CTolvarCloneSupportDoc::CanUndo() const { return m_data->Registry().History().CanUndo(); }
bool CTolvarCloneSupportDoc::CanRedo() const { return m_data->Registry().History().CanRedo(); }

QString CTolvarCloneSupportDoc::UndoName() const {
    return QString::fromStdString(m_data->Registry().History().UndoName());
}

QString CTolvarCloneSupportDoc::RedoName() const {
    return QString::fromStdString(m_data->Registry().History().RedoName());
}

// ---------------------------------------------------------------------------------------
// Clone

void CTolvarCloneSupportDoc::OnCloneRead() { RunClone(static_cast<int>(ECloneOperation::Read)); }
void CTolvarCloneSupportDoc::OnCloneWrite() { RunClone(static_cast<int>(ECloneOperation::Write)); }
void CTolvarCloneSupportDoc::OnCloneInformation() {
    RunClone(static_cast<int>(ECloneOperation::Information));
}

bool CTolvarCloneSupportDoc::RunTransfer(CTolvarDocumentData& data, SCloneJob& job) {
    CTolvarCloneRsIoManager& rs = data.RsIo();
    if (!rs.Prepare(job)) return false;

    // The transfer on a worker thread; the window stays painted but takes no input.
    CCloneProgressDialog* dialog = m_ui.EnsureProgressDialog();
    CQtTransferMonitor monitor(m_ui, *dialog);
    m_transferRunning = true;
    if (m_lock) m_lock(true);
    QEventLoop loop;
    std::thread worker([&] {
        rs.Transfer(job, monitor);
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    monitor.Drain();
    if (m_lock) m_lock(false);
    m_transferRunning = false;
    return rs.Finish(job) == ECloneResult::Ok;
}

void CTolvarCloneSupportDoc::RunClone(int operation) {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    SCloneJob job;
    job.operation = static_cast<ECloneOperation>(operation);
    const bool verify = job.operation == ECloneOperation::Write && m_profile.VerifyAfterWrite();
    // A write that is verified next reports once, when the verify is done.
    job.reportSuccess = !verify;
    if (!RunTransfer(*m_data, job) || job.operation == ECloneOperation::Information) return;
    if (job.operation == ECloneOperation::Read) {
        // What a repeater holds is a new document: Save asks for a name, so a prepared
        // file is never overwritten by the repeater's data unawares.
        SetPath(QString());
    }
    const QString warning = KeepBackup(*m_data, job.operation == ECloneOperation::Read
                                                    ? EBackupOperation::Read
                                                    : EBackupOperation::Write);
    if (!warning.isEmpty())
        m_ui.SetStatusText((QString::fromStdString(LoadMessage(EMsg::CloningCompleted)) + warning)
                               .toStdString());
    if (verify) Verify();
}

std::unique_ptr<CTolvarDocumentData> CTolvarCloneSupportDoc::RepeaterCopy() {
    auto copy = std::make_unique<CTolvarDocumentData>(m_ui, Model(), nullptr, &m_ports);
    copy->RsIo().SetPortNumber(m_data->RsIo().GetPortNumber());
    copy->RsIo().SetSpeedMode(m_data->RsIo().GetSpeedMode());
    return copy;
}

QString CTolvarCloneSupportDoc::KeepBackup(CTolvarDocumentData& data, EBackupOperation operation) {
    const SBackupResult result = m_backups.Keep(data, operation);
    return result.warning.empty() ? QString()
                                  : QString(" Warning: %1.").arg(QString::fromStdString(result.warning));
}

void CTolvarCloneSupportDoc::Verify() {
    std::unique_ptr<CTolvarDocumentData> back = RepeaterCopy();
    SCloneJob job;
    job.operation = ECloneOperation::Read;
    job.reportSuccess = job.reportFailure = false;
    if (!RunTransfer(*back, job)) {
        m_data->RsIo().PlaySound(false);
        if (job.result == ECloneResult::Cancelled) {
            m_ui.SetStatusText(" The data was written; verifying it was cancelled.");
            return;
        }
        QString why = QString::fromUtf8(CloneResultText(job.result));
        if (!back->RsIo().LastDetail().empty())
            why += ": " + QString::fromStdString(back->RsIo().LastDetail());
        m_ui.SetStatusText(" The data was written; verifying it failed.");
        m_ui.Box(QString("The data was written to the repeater, but reading it back to verify it "
                         "failed (%1).\n\nThe write itself succeeded; only the verification "
                         "failed. Check the cable, then use Clone > Compare With Repeater to "
                         "verify it.")
                     .arg(why),
                 EButtons::Ok, EIcon::Exclamation);
        return;
    }
    const QString warning = KeepBackup(*back, EBackupOperation::Read);
    SComparison comparison{QStringLiteral("the data written and the repeater"),
                           QStringLiteral("Written"), QStringLiteral("Repeater"),
                           CompareWritten(*m_data, *back, MakerReserve()), true};
    emit Compared(comparison);
    if (comparison.differences.empty()) {
        m_data->RsIo().PlaySound(true);
        m_ui.SetStatusText((" " + kVerified + warning).toStdString());
        m_ui.Box(kVerified, EButtons::Ok, EIcon::Information);
        return;
    }
    m_data->RsIo().PlaySound(false);
    m_ui.SetStatusText(QString(" Verify: the repeater differs from the data written in %1.%2")
                           .arg(CountText(comparison.differences.size(), "field", "fields"), warning)
                           .toStdString());
}

void CTolvarCloneSupportDoc::OnCompareWithRepeater() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    std::unique_ptr<CTolvarDocumentData> repeater = RepeaterCopy();
    SCloneJob job;
    job.operation = ECloneOperation::Read;
    job.reportSuccess = false;
    if (!RunTransfer(*repeater, job)) return;
    const QString warning = KeepBackup(*repeater, EBackupOperation::Read);
    SComparison comparison{Title() + QStringLiteral(" and the repeater"), Title(),
                           QStringLiteral("Repeater"),
                           CompareSheets(Registry(), repeater->Registry(), MakerReserve())};
    m_ui.SetStatusText(QString(" Compared with the repeater: %1.%2")
                           .arg(comparison.differences.empty()
                                    ? QStringLiteral("no differences")
                                    : CountText(comparison.differences.size(), "field differs",
                                                "fields differ"),
                                warning)
                           .toStdString());
    emit Compared(comparison);
}

void CTolvarCloneSupportDoc::OnCompareWithFile() {
    CEditScope guard(Registry().EditGuard());
    if (!guard.Entered()) return;
    const QString path = m_chooser ? m_chooser(false, m_path)
                                   : QFileDialog::getOpenFileName(m_window, QStringLiteral("Compare With"),
                                                                  m_path, kFilter);
    if (path.isEmpty()) return;
    const QFileInfo file(path);
    if (const QString why = UnreadableReason(file); !why.isEmpty()) {
        m_ui.Box(QString("Nothing was compared: %1: %2.").arg(path, why), EButtons::Ok,
                 EIcon::Exclamation);
        return;
    }
    CTolvarDocumentData other(m_ui, Model(), nullptr, &m_ports);
    if (other.Open(path.toStdString()) != EFileResult::Ok) {
        m_ui.Box(QString("Nothing was compared: %1\n\n%2").arg(path, RefusalText(other)),
                 EButtons::Ok, EIcon::Exclamation);
        return;
    }
    SComparison comparison{Title() + QStringLiteral(" and ") + file.fileName(), Title(),
                           file.fileName(), CompareSheets(Registry(), other.Registry(), MakerReserve())};
    m_ui.SetStatusText(QString(" Compared with %1: %2.")
                           .arg(file.fileName(),
                                comparison.differences.empty()
                                    ? QStringLiteral("no differences")
                                    : CountText(comparison.differences.size(), "field differs",
                                                "fields differ"))
                           .toStdString());
    emit Compared(comparison);
}
