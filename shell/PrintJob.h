// Printing: the queue of view ids, the printer choice, the "Now Printing" window
// whose Cancel stops the job, and the pages of every queued view on a printer, in a
// PDF file or in the print preview, all drawn by the same code.
#pragma once

#include <QDialog>
#include <QObject>
#include <QPrinter>
#include <functional>
#include <vector>

#include "document/PrintOrder.h"

class CPagePrinter;
class CQtUserInteraction;
class CTolvarCloneSupportDoc;
class QPrintPreviewDialog;
class QPushButton;

// The modeless window shown while a job runs; Cancel (or Esc) asks the job to stop.
class CPrintAbortDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPrintAbortDialog(QWidget* parent);
    bool Cancelled() const { return m_cancelled; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void reject() override { m_cancelled = true; }

private:
    QPushButton* m_cancel = nullptr;
    bool m_cancelled = false;
};

class CPrintJob : public QObject {
    Q_OBJECT
public:
    // The printer choice; false when cancelled. Tests answer it without a window.
    using DialogRunner = std::function<bool(QPrinter& printer)>;
    using PreviewRunner = std::function<void(QPrintPreviewDialog& preview)>;
    // The PDF file to export to; empty when cancelled.
    using FileChooser = std::function<QString(const QString& suggested)>;

    CPrintJob(CTolvarCloneSupportDoc& document, CQtUserInteraction& ui, QWidget* owner = nullptr);
    ~CPrintJob() override;

    void ClearQueue() { m_queue.ClearQueue(); }
    // An id, or CPrintQueue::kPrintAll for every view of the current variant.
    bool AddToQueue(int id) { return m_queue.AddToQueue(id, VariantModel()); }
    int QueueLength() const { return m_queue.QueueLength(); }
    std::vector<int> Queue() const { return m_queue.Entries(); }

    // The printer choice, then the queue printed on the chosen printer.
    void Run();
    // The commands: print all, print the view shown (nothing for view 0), the
    // preview and the PDF export of all views.
    void OnPrintAll();
    void OnPrintCurrent(int viewId);
    void OnPrintPreview();
    void OnExportPdf();

    // Prints the queue on printer; interactive shows "Now Printing" and keeps the
    // windows painting between pages. True when every page went out.
    bool PrintQueue(QPrinter& printer, bool interactive);
    // The queue as a PDF file, on the chosen printer's paper.
    bool PrintQueueToPdf(const QString& path, bool interactive);
    // Pages of the last job.
    int LastPageCount() const { return m_lastPages; }

    QPrinter& Printer() { return m_printer; }
    CPrintAbortDialog* AbortDialog() const { return m_abort; }
    void SetDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }
    void SetPreviewRunner(PreviewRunner runner) { m_previewRunner = std::move(runner); }
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Called after every printed page (tests cancel a job through it).
    void SetPageHook(std::function<void(int)> hook) { m_pageHook = std::move(hook); }

    // The printer choice (print dialog); false when cancelled.
    bool ChoosePrinter();

private:
    int VariantModel() const;
    // The rows of a view as they are in the document now; false stops the job.
    bool PrintView(int id, CPagePrinter& pages);
    void NoPrinter();

    CTolvarCloneSupportDoc& m_doc;
    CQtUserInteraction& m_ui;
    QWidget* m_owner;
    CPrintQueue m_queue;
    QPrinter m_printer{QPrinter::HighResolution};
    CPrintAbortDialog* m_abort = nullptr;
    DialogRunner m_dialogRunner;
    PreviewRunner m_previewRunner;
    FileChooser m_chooser;
    std::function<void(int)> m_pageHook;
    int m_lastPages = 0;
};
