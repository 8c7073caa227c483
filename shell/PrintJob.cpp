#include "PrintJob.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "datamodel/CloneManager.h"
#include "document/Product.h"
#include "document/SheetRows.h"
#include "shell/Document.h"
#include "shell/PagePrinter.h"
#include "shell/QtInteraction.h"

namespace {

const char* const kNoPrinter =
    "There is no printer.\nBefore you can print, you need to install a printer.";

} // namespace

CPrintAbortDialog::CPrintAbortDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("PrintAbortDialog");
    setWindowTitle(QStringLiteral("Print"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Now Printing"), this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    // The main window keeps painting; it takes no input while the job runs.
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(220);
}

CPrintJob::CPrintJob(CTolvarCloneSupportDoc& document, CQtUserInteraction& ui, QWidget* owner)
    : m_doc(document), m_ui(ui), m_owner(owner) {
    m_printer.setDocName(QString::fromUtf8(kProductName));
}

bool CPrintJob::PrintView(int id, CPagePrinter& pages) {
    const SViewDef* view = ViewOf(id);
    if (!view || view->sheet == ESheetKind::None) return true;
    const CSheetRows rows(m_doc.Registry(), *view);
    SPrintTable table;
    table.name = QString::fromStdString(view->name);
    table.title = QString("%1 %2").arg(QString::fromUtf8(kProductName), QString::fromUtf8(kRevisionLong));
    for (const SViewColumn& column : view->columns)
        table.columns.push_back({QString::fromStdString(column.title), column.printWidth,
                                 column.format == 1   ? Qt::AlignRight
                                 : column.format == 2 ? Qt::AlignHCenter
                                                      : Qt::AlignLeft});
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < rows.RowCount(); ++row)
        cells.push_back(rows.Cells(row));
    table.rows = static_cast<int>(cells.size());
    table.cell = [&cells](int row, int column) {
        const std::vector<std::string>& line = cells[static_cast<size_t>(row)];
        return static_cast<size_t>(column) < line.size()
                   ? QString::fromStdString(line[static_cast<size_t>(column)])
                   : QString();
    };
    return pages.PrintTable(table);
}

CPrintJob::~CPrintJob() = default;

int CPrintJob::VariantModel() const {
    return m_doc.Model();
}

void CPrintJob::NoPrinter() {
    m_ui.Box(QString::fromUtf8(kNoPrinter), EButtons::Ok, EIcon::Exclamation);
}

bool CPrintJob::ChoosePrinter() {
    if (m_dialogRunner)
        return m_dialogRunner(m_printer);
    QPrintDialog dialog(&m_printer, m_owner);
    // No page range, no selection; a PDF file is one of the printers offered.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void CPrintJob::Run() {
    if (!ChoosePrinter())
        return;
    if (QueueLength() == 0)
        return;
    PrintQueue(m_printer, true);
}

void CPrintJob::OnPrintAll() {
    CEditScope guard(m_doc.Registry().EditGuard());
    if (!guard.Entered())
        return;
    ClearQueue();
    AddToQueue(CPrintQueue::kPrintAll);
    Run();
}

void CPrintJob::OnPrintCurrent(int viewId) {
    CEditScope guard(m_doc.Registry().EditGuard());
    if (!guard.Entered())
        return;
    ClearQueue();
    if (viewId == 0)
        return;
    AddToQueue(viewId);
    Run();
}

void CPrintJob::OnPrintPreview() {
    CEditScope guard(m_doc.Registry().EditGuard());
    if (!guard.Entered())
        return;
    ClearQueue();
    AddToQueue(CPrintQueue::kPrintAll);
    QPrintPreviewDialog preview(&m_printer, m_owner);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintQueue(*printer, false); });
    if (m_previewRunner)
        m_previewRunner(preview);
    else
        preview.exec();
}

void CPrintJob::OnExportPdf() {
    CEditScope guard(m_doc.Registry().EditGuard());
    if (!guard.Entered())
        return;
    const QFileInfo data(m_doc.PathName());
    const QString suggested =
        m_doc.PathName().isEmpty()
            ? QDir::home().filePath(QStringLiteral("Untitled.pdf"))
            : data.dir().filePath(data.completeBaseName() + QStringLiteral(".pdf"));
    QString path =
        m_chooser ? m_chooser(suggested)
                  : QFileDialog::getSaveFileName(m_owner, QStringLiteral("Export as PDF"),
                                                 suggested, QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    // A name typed without an extension gets one, as Save As gives ".zcf".
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    ClearQueue();
    AddToQueue(CPrintQueue::kPrintAll);
    PrintQueueToPdf(path, true);
}

bool CPrintJob::PrintQueueToPdf(const QString& path, bool interactive) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setPageLayout(m_printer.pageLayout());
    pdf.setDocName(QString::fromUtf8(kProductName));
    return PrintQueue(pdf, interactive);
}

bool CPrintJob::PrintQueue(QPrinter& printer, bool interactive) {
    m_lastPages = 0;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    // Without a printer Qt falls back to a PDF file that has no name yet.
    if (interactive && (toFile ? printer.outputFileName().isEmpty() : !printer.isValid())) {
        NoPrinter();
        return false;
    }
    // A file that cannot be written is told before any page is drawn.
    if (toFile && !printer.outputFileName().isEmpty()) {
        const QString out = printer.outputFileName();
        const bool existed = QFile::exists(out);
        QFile probe(out);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
            m_ui.Box(QString("The file %1 cannot be written.").arg(out), EButtons::Ok,
                     EIcon::Exclamation);
            return false;
        }
        probe.close();
        if (!existed)
            QFile::remove(out);
    }
    CPagePrinter pages(printer);
    if (m_pageHook)
        pages.SetPageHook(m_pageHook);
    if (interactive) {
        m_abort = new CPrintAbortDialog(m_owner);
        m_abort->show();
        QCoreApplication::processEvents();
        pages.SetAbortCheck([this] {
            QCoreApplication::processEvents();
            return m_abort->Cancelled();
        });
    }
    const std::vector<int> ids = Queue();
    for (int id : ids)
        if (!PrintView(id, pages))
            break;
    const bool done = pages.Finish();
    m_lastPages = pages.PageCount();
    if (m_abort) {
        m_abort->hide();
        m_abort->deleteLater();
        m_abort = nullptr;
    }
    if (pages.Failed() && pages.PageCount() == 0) {
        if (toFile)
            m_ui.Box(QString("The file %1 cannot be written.").arg(printer.outputFileName()),
                     EButtons::Ok, EIcon::Exclamation);
        else
            NoPrinter();
    }
    // A cancelled or broken file is not left behind as if it were complete.
    if (!done && toFile && pages.PageCount() > 0)
        QFile::remove(printer.outputFileName());
    return done;
}
