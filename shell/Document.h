// The document: one per run, reused by New, Open and variant changes. It owns the
// data (registry and managers), knows its file, its modified state and its title,
// and runs the File, COM Port, Clone and Model commands.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "datamodel/UserInteraction.h"
#include "document/Backups.h"
#include "document/Compare.h"
#include "document/DocumentData.h"

class CProfile;
class CQtUserInteraction;
class CTolvarPortFactory;
class QWidget;

struct SCloneJob;

// What a comparison found, for the window that lists it.
struct SComparison {
    QString title;        // what was compared with what: "site.zcf and the repeater"
    QString nameA, nameB; // the columns of the two sides' texts
    std::vector<SSheetDifference> differences;
    // A verify after a write: one that found nothing opens no window, but a window
    // open still shows it, rather than an older comparison.
    bool verify = false;
};

class CTolvarCloneSupportDoc : public QObject, public IDocumentHost {
    Q_OBJECT
public:
    // Asks for a file name: save chooses a file to write; empty when cancelled.
    using FileChooser = std::function<QString(bool save, const QString& suggested)>;

    CTolvarCloneSupportDoc(CQtUserInteraction& ui, CProfile& profile, CTolvarPortFactory& ports);
    ~CTolvarCloneSupportDoc() override;

    CTolvarDocumentData& Data() { return *m_data; }
    CQCloneManager& Registry() { return m_data->Registry(); }
    int Model() const { return m_data->GetModel(); }
    bool MakerReserve() const;
    const QString& PathName() const { return m_path; }
    // "Untitled" or the file name.
    QString Title() const;
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // IDocumentHost
    void SetModifiedFlag(bool modified) override;
    bool IsModified() const override { return m_modified; }
    void UpdateAllViews() override { emit ViewsUpdate(); }
    void RebuildTree() override { emit TreeRebuild(); }
    void NewDocument() override;
    void HistoryChanged() override { emit HistoryMoved(); }

    // "Save changes to %1?"; false when the caller must stop (Cancel, a failed save).
    bool SaveModified();
    // The commands. The guarded ones do nothing while another guarded command runs.
    void OnFileNew();
    void OnFileOpen();
    // Loads a file (the recent-file entries, a dropped file); false when refused.
    bool OpenDocumentFile(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    // Fields from a JSON export or memory channels from a CSV file, as one undo step;
    // refused whole with the place and reason of each fault.
    void OnImport();
    // Every field as JSON, or the memory channels as CSV (by the name's extension).
    void OnExport();
    // Every field in which a data file, or the repeater, differs from the document.
    // The repeater is read into memory: the document stays as it is.
    void OnCompareWithFile();
    void OnCompareWithRepeater();
    // Where every image read from or written to a repeater is kept.
    const CBackups& Backups() const { return m_backups; }
    // Opens a backup as a new untitled document; false when refused.
    bool OpenBackup(const QString& path);
    void OnComPort(int n);
    int PortNumber() const;
    void OnModel(int model);
    // The edit history: nothing happens while a guarded command runs.
    void OnUndo();
    void OnRedo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The names of the steps Undo and Redo act on ("" for none).
    QString UndoName() const;
    QString RedoName() const;
    void OnCloneRead();
    void OnCloneWrite();
    void OnCloneInformation();
    // Whether a clone transfer is running now.
    bool TransferRunning() const { return m_transferRunning; }
    // Re-reads the port settings and speed from the profile.
    void ApplyPortSettings();

    // The window dialogs belong to, and how a transfer locks it while it runs (its
    // panes, menus and toolbar; the progress dialog stays alive).
    void SetMainWindow(QWidget* window, std::function<void(bool)> lock = {}) {
        m_window = window;
        m_lock = std::move(lock);
    }

signals:
    void TitleChanged();
    void ViewsUpdate();
    void TreeRebuild();
    void RecentFilesChanged();
    // A step was added, undone or redone, or the history started afresh.
    void HistoryMoved();
    // A comparison or a verify after write found what comparison lists.
    void Compared(const SComparison& comparison);

private:
    bool DoSave(QString path);
    // The checks and the load of Open; a refusal is told in a box.
    bool LoadFile(const QString& path, bool untitled);
    void ResetToNew();
    void RunClone(int operation);
    // A clone job's three phases on data, the progress dialog up while it runs;
    // true when it succeeded.
    bool RunTransfer(CTolvarDocumentData& data, SCloneJob& job);
    // A document of its own for what the repeater holds, with this one's port.
    std::unique_ptr<CTolvarDocumentData> RepeaterCopy();
    // Keeps the data's image as a backup; the warning when none was kept.
    QString KeepBackup(CTolvarDocumentData& data, EBackupOperation operation);
    // After a write: the repeater read back and compared with the document.
    void Verify();
    void SetPath(const QString& path);

    CQtUserInteraction& m_ui;
    CProfile& m_profile;
    CTolvarPortFactory& m_ports;
    std::unique_ptr<CTolvarDocumentData> m_data;
    QString m_path;
    bool m_modified = false;
    bool m_transferRunning = false;
    FileChooser m_chooser;
    QWidget* m_window = nullptr;
    std::function<void(bool)> m_lock;
    CBackups m_backups;
};
