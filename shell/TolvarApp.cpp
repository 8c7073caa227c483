#include "TolvarApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "datamodel/DataManagers.h"
#include "document/NavigationTree.h"
#include "document/TolvarPortFactory.h"
#include "shell/Dialogs.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MainFrame.h"
#include "shell/PrintJob.h"
#include "shell/QtInteraction.h"

SCommandLine ParseCommandLine(const QStringList& arguments) {
    SCommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--help" || argument == "-h" || argument == "-?")
            line.help = true;
        else if (argument == "--version")
            line.version = true;
        else if (argument == "--open" && i + 1 < arguments.size())
            line.openFile = arguments[++i];
        else if (argument == "--print-pdf") {
            line.printPdf = true;
            if (i + 2 < arguments.size()) {
                line.printData = arguments[++i];
                line.printOutput = arguments[++i];
            } else {
                line.usageError = QStringLiteral("--print-pdf needs a data file and a PDF file");
                i = arguments.size();
            }
        } else if (argument == "--view") {
            bool number = false;
            line.printView = i + 1 < arguments.size() ? arguments[++i].toInt(&number) : -1;
            if (!number || line.printView < 0 || line.printView > kViewLast)
                line.usageError = QString("--view needs a view id from 0 to %1").arg(kViewLast);
        } else if (argument == "--no-splash")
            line.showSplash = false;
        else if ((argument.startsWith('/') || argument.startsWith('-')) &&
                 argument.mid(1).compare("VURARID", Qt::CaseInsensitive) == 0)
            line.makerReserve = true;
    }
    return line;
}

QString InstanceLockPath(const QString& folder) {
    const QString base = folder.isEmpty() ? QDir::tempPath() : folder;
    return QDir(base).filePath(QStringLiteral("CSTolvar APP Exclusive Mutex.lock"));
}

CTolvarApp::CTolvarApp() = default;

CTolvarApp::~CTolvarApp() {
    m_print.reset();
    m_frame.reset();
    m_doc.reset();
}

bool CTolvarApp::InitInstance(const QStringList& arguments) {
    // One copy at a time; a lock left by a crashed copy is taken over.
    m_lock = std::make_unique<QLockFile>(InstanceLockPath());
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) return false;

    const SCommandLine line = ParseCommandLine(arguments);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_ports = std::make_unique<CTolvarPortFactory>();
    m_ui = std::make_unique<CQtUserInteraction>();
    m_doc = std::make_unique<CTolvarCloneSupportDoc>(*m_ui, m_profile, *m_ports);
    m_frame = std::make_unique<CTolvarMainFrame>(*m_doc, *m_ui, m_profile);
    m_print = std::make_unique<CPrintJob>(*m_doc, *m_ui, m_frame.get());
    m_frame->SetPrintJob(m_print.get());

    const SWindowPosition position = m_profile.WindowPosition();
    if (position.cmdShow == 3)
        m_frame->showMaximized();
    else
        m_frame->show();
    m_frame->repaint();

    if (line.showSplash && m_splashMs > 0 && !line.makerReserve) {
        auto* splash = new CSplashDialog(m_frame.get(), m_splashMs);
        splash->show();
    }
    QApplication::restoreOverrideCursor();
    if (line.makerReserve) m_frame->ActivateMakerReserve();
    if (!line.openFile.isEmpty()) {
        CEditScope guard(m_doc->Registry().EditGuard());
        if (guard.Entered()) m_doc->OpenDocumentFile(line.openFile);
    }
    return true;
}

int CTolvarApp::PrintFileToPdf(const QString& dataFile, const QString& pdfFile, int view) {
    // No window, no lock, and the profile left as it was (variant, recent files).
    const int storedModel = m_profile.ModelVer();
    m_ports = std::make_unique<CTolvarPortFactory>();
    m_ui = std::make_unique<CQtUserInteraction>();
    m_ui->SetSilent(true);
    m_ui->SetBoxHook([](const SBoxRecord& box) {
        std::fprintf(stderr, "cs-tolvar: %s\n", qPrintable(box.text));
        return EAnswer::Ok;
    });
    m_doc = std::make_unique<CTolvarCloneSupportDoc>(*m_ui, m_profile, *m_ports);
    int status = 0;
    const EFileResult result = m_doc->Data().Open(QFileInfo(dataFile).absoluteFilePath().toStdString());
    if (result != EFileResult::Ok) {
        std::fprintf(stderr, "%s\n", FileResultText(result));
        const SReadProblem& problem = m_doc->Data().FileIo().LastProblem();
        if (problem.line > 0 && !problem.reason.empty())
            std::fprintf(stderr, "cs-tolvar: %s: line %d: %s\n", qPrintable(dataFile),
                         problem.line, problem.reason.c_str());
        else
            std::fprintf(stderr, "cs-tolvar: %s: the file is refused\n", qPrintable(dataFile));
        status = 2;
    } else {
        const SViewDef* chosen = ViewOf(view);
        // All, the empty view that prints nothing, or a view the variant shows.
        if (view > kViewNone && (!chosen || !ViewShown(*chosen, m_doc->Model(), false))) {
            std::fprintf(stderr, "cs-tolvar: view %d is not shown for the %s variant\n", view,
                         m_doc->Model() == ModelPMR ? "PMR" : "LMR");
            status = 64;
        } else {
            CPrintJob job(*m_doc, *m_ui);
            job.AddToQueue(view < 0 ? CPrintQueue::kPrintAll : view);
            if (!job.PrintQueueToPdf(pdfFile, false))
                status = 74;
            else if (job.LastPageCount() == 0)
                std::fprintf(stderr, "cs-tolvar: nothing to print; %s not written\n",
                             qPrintable(pdfFile));
        }
    }
    m_doc.reset();
    m_profile.SetModelVer(storedModel);
    return status;
}
