#include "TolvarApp.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "document/TolvarPortFactory.h"
#include "shell/Dialogs.h"
#include "shell/Document.h"
#include "shell/MainFrame.h"
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
        else if (argument == "--no-splash")
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
    std::function<CSheetView*(int, QWidget*)> sheets;
    if (m_sheets)
        sheets = [this](int slot, QWidget* parent) { return m_sheets(slot, *m_doc, parent); };
    m_frame = std::make_unique<CTolvarMainFrame>(*m_doc, *m_ui, m_profile, sheets);

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
