// The application: one running copy (a lock file), the command line, the profile,
// the document and the main window, the splash at start.
#pragma once

#include <QLockFile>
#include <QStringList>
#include <functional>
#include <memory>

#include "shell/Profile.h"

class CPrintJob;
class CQtUserInteraction;
class CTolvarCloneSupportDoc;
class CTolvarMainFrame;
class CTolvarPortFactory;
class QWidget;

// The command line: the maker-reserve switch "VURARID" after "/" or "-" in any
// case; "--open FILE" (the desktop's double-click) opens a data file;
// "--print-pdf DATAFILE PDFFILE [--view ID]" prints a data file without a window.
// A file name alone and anything else are not acted on.
struct SCommandLine {
    bool makerReserve = false;
    QString openFile;
    bool showSplash = true;
    bool help = false;
    bool version = false;
    bool printPdf = false;
    QString printData, printOutput;
    int printView = -1; // -1: every view of the file's variant
    QString usageError; // what is wrong with --print-pdf or --view
};
SCommandLine ParseCommandLine(const QStringList& arguments);
// The lock file's path for a folder (the temporary folder when empty).
QString InstanceLockPath(const QString& folder = {});

class CTolvarApp {
public:
    CTolvarApp();
    ~CTolvarApp();

    // False when the program is to end at once (another copy runs).
    bool InitInstance(const QStringList& arguments);
    CTolvarMainFrame* MainFrame() const { return m_frame.get(); }
    CTolvarCloneSupportDoc* Document() const { return m_doc.get(); }
    CQtUserInteraction* Interaction() const { return m_ui.get(); }
    CPrintJob* PrintJob() const { return m_print.get(); }
    // --print-pdf: loads the data file as Open does and prints every view of its
    // variant, or the one view, to the PDF file without opening a window. The exit
    // status: 0 printed, 2 the file was refused (the reader's result on stderr), 64
    // a view the file's variant does not show, 74 the PDF could not be written.
    int PrintFileToPdf(const QString& dataFile, const QString& pdfFile, int view);
    CTolvarPortFactory& Ports() { return *m_ports; }
    CProfile& Profile() { return m_profile; }
    // The splash's duration; tests and benchmarks turn it off.
    void SetSplashDuration(int ms) { m_splashMs = ms; }

private:
    std::unique_ptr<QLockFile> m_lock;
    CProfile m_profile;
    std::unique_ptr<CTolvarPortFactory> m_ports;
    std::unique_ptr<CQtUserInteraction> m_ui;
    std::unique_ptr<CTolvarCloneSupportDoc> m_doc;
    std::unique_ptr<CTolvarMainFrame> m_frame;
    std::unique_ptr<CPrintJob> m_print;
    int m_splashMs = 5000;
};
