#include "MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "datamodel/DataManagers.h"
#include "document/Product.h"
#include "document/ViewTable.h"
#include "document/TolvarPortFactory.h"
#include "editors/ListSheet.h"
#include "shell/BackupsDialog.h"
#include "shell/CompareWindow.h"
#include "shell/Dialogs.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MessageView.h"
#include "shell/PrintJob.h"
#include "shell/Profile.h"
#include "shell/QtInteraction.h"
#include "shell/TreeView.h"

namespace {

const char* const kExtraBlank = "      ";
const char* const kMakerPaneText = "****** Maker Reserved ******";

} // namespace

CTolvarMainFrame::CTolvarMainFrame(CTolvarCloneSupportDoc& document, CQtUserInteraction& ui,
                                   CProfile& profile)
    : m_doc(document), m_ui(ui), m_profile(profile) {
    setObjectName("MainFrame");
    setWindowIcon(ArtIcon(EArt::App));
    setMinimumSize(400, 200);
    setAcceptDrops(true);
    BuildActions();
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    m_list = new CTolvarListFrame(m_doc.Registry());
    BuildPanes();

    PlaceWindow(m_profile.WindowPosition().rect);
    restoreState(m_profile.ToolBarState());

    m_ui.SetOwner(this);
    m_ui.SetStatusSink([this](const QString& text) { SetMessageText(text); });
    m_doc.SetMainWindow(this, [this](bool locked) {
        for (QWidget* part : {static_cast<QWidget*>(centralWidget()), static_cast<QWidget*>(menuBar()),
                              static_cast<QWidget*>(m_toolbar)})
            part->setEnabled(!locked);
        // Disabling took the focus away: the sheet gets it back.
        if (!locked) m_list->setFocus();
    });
    connect(&m_doc, &CTolvarCloneSupportDoc::TitleChanged, this, [this] {
        UpdateTitle();
        UpdateCommandUI();
    });
    connect(&m_doc, &CTolvarCloneSupportDoc::TreeRebuild, this, &CTolvarMainFrame::RebuildTree);
    connect(&m_doc, &CTolvarCloneSupportDoc::HistoryMoved, this, &CTolvarMainFrame::UpdateCommandUI);
    connect(&m_doc, &CTolvarCloneSupportDoc::Compared, this, &CTolvarMainFrame::ShowComparison);
    connect(&m_doc, &CTolvarCloneSupportDoc::ViewsUpdate, this, [this] {
        if (CSheetView* sheet = m_list->CurrentSheet()) sheet->ShowView(GetCurrentViewId());
        UpdateCommandUI();
    });
    connect(&m_doc, &CTolvarCloneSupportDoc::RecentFilesChanged, this,
            &CTolvarMainFrame::UpdateRecentFiles);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CTolvarMainFrame::UpdateCommandUI);
    connect(m_tree, &CTolvarTreeView::ViewChosen, this, &CTolvarMainFrame::ShowView);
    for (CSheetView* sheet : m_list->Sheets()) {
        connect(sheet, &CSheetView::TrailingTextChanged, this, [this, sheet] {
            if (sheet == m_list->CurrentSheet() && GetCurrentViewId() != kViewNone)
                m_rightHeader->SetTrailingText(sheet->TrailingText());
        });
        connect(sheet, &CSheetView::CommandStatesChanged, this, [this, sheet] {
            if (sheet == m_list->CurrentSheet()) UpdateCommandUI();
        });
        connect(sheet, &CSheetView::ContextMenuRequested, this, &CTolvarMainFrame::ShowContextMenu);
    }
    UpdateRecentFiles();
    UpdateTitle();
    RebuildTree();
    m_list->setFocus();
}

void CTolvarMainFrame::PlaceWindow(const QRect& rect) {
    // The rectangle is the frame's, title bar included; a rectangle from another
    // screen layout is moved and cut until the whole frame is on the screen.
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    QRect placed = rect;
    if (screen) {
        const QRect free = screen->availableGeometry();
        placed.setWidth(std::min(rect.width(), free.width()));
        placed.setHeight(std::min(rect.height(), free.height()));
        placed.moveLeft(std::clamp(placed.left(), free.left(), free.right() - placed.width() + 1));
        placed.moveTop(std::clamp(placed.top(), free.top(), free.bottom() - placed.height() + 1));
    }
    resize(placed.size());
    move(placed.topLeft());
}

CTolvarMainFrame::~CTolvarMainFrame() {
    delete m_compare;
    m_ui.SetStatusSink({});
    m_ui.SetOwner(nullptr);
}

// ---------------------------------------------------------------------------------------
// Building

void CTolvarMainFrame::BuildActions() {
    for (const SCommandDef& def : CommandTable()) {
        auto* action = new QAction(QString::fromUtf8(def.text), this);
        action->setObjectName(QString::fromUtf8(def.text).remove('&').section('\t', 0, 0));
        if (def.prompt[0] != '\0') action->setStatusTip(QString::fromUtf8(def.prompt));
        if (!def.keys.empty()) action->setShortcuts(QList<QKeySequence>(def.keys.begin(), def.keys.end()));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(def.checkable);
        if (def.hasArt) action->setIcon(ArtIcon(def.art));
        if (def.tip[0] != '\0') action->setToolTip(QString::fromUtf8(def.tip));
        const ECommand command = def.command;
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
        addAction(action); // keys work even when the action is in no visible menu
        m_actions[command] = action;
    }
}

void CTolvarMainFrame::BuildMenus() {
    const auto fill = [this](QMenu* menu, const std::vector<ECommand>& commands) {
        for (ECommand command : commands) {
            if (command == ECommand::None)
                menu->addSeparator();
            else
                menu->addAction(m_actions[command]);
        }
    };
    for (const SMenuDef& def : MenuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(def.title));
        for (const SMenuItem& item : def.items) {
            if (item.submenu)
                fill(menu->addMenu(QString::fromUtf8(item.submenu)), item.items);
            else
                fill(menu, {item.command});
        }
    }
}

void CTolvarMainFrame::BuildToolbar() {
    m_toolbar = addToolBar(QStringLiteral("Standard"));
    m_toolbar->setObjectName("Toolbar");
    m_toolbar->setIconSize(QSize(16, 16));
    for (ECommand command : ToolbarTable()) {
        if (command == ECommand::None)
            m_toolbar->addSeparator();
        else
            m_toolbar->addAction(m_actions[command]);
    }
    connect(m_toolbar, &QToolBar::visibilityChanged, this, [this] { UpdateCommandUI(); });
}

void CTolvarMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    m_message = new QLabel(this);
    m_message->setObjectName("MessagePane");
    bar->addWidget(m_message, 1);
    // The lock indicators keep their places; Qt cannot read the lock states.
    for (const char* text : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromUtf8(text), this);
        pane->setEnabled(false);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(pane);
    }
    m_extra = new QLabel(QString::fromUtf8(kExtraBlank), this);
    m_extra->setObjectName("ExtraPane");
    m_extra->setFrameShape(QFrame::StyledPanel);
    m_extra->setAutoFillBackground(true);
    bar->addPermanentWidget(m_extra);
    // Prompts of menu items show in the message pane while a menu is open.
    connect(bar, &QStatusBar::messageChanged, this, [this](const QString& text) {
        m_message->setVisible(text.isEmpty());
    });
}

void CTolvarMainFrame::BuildPanes() {
    const SWindowPosition position = m_profile.WindowPosition();
    const auto column = [&](CQMessageView*& header, QWidget* pane) {
        auto* box = new QWidget;
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        header = new CQMessageView(box);
        header->setFixedHeight(20); // the header row is always 20 pixels high
        header->installEventFilter(this);
        layout->addWidget(header);
        layout->addWidget(pane, 1);
        return box;
    };
    m_tree = new CTolvarTreeView;
    m_tree->setObjectName("NavigationTree");
    m_columns = new QSplitter(Qt::Horizontal, this);
    m_columns->setObjectName("Columns");
    m_columns->setChildrenCollapsible(false);
    m_columns->addWidget(column(m_leftHeader, m_tree));
    m_columns->addWidget(column(m_rightHeader, m_list));
    m_columns->setStretchFactor(1, 1);
    const int width = std::max(position.rect.width(), 400);
    m_columns->setSizes({position.splitterV, std::max(width - position.splitterV, 1)});
    setCentralWidget(m_columns);
}

// ---------------------------------------------------------------------------------------
// Views

void CTolvarMainFrame::ShowView(int id) {
    if (id < 0 || id > kViewLast) return;
    m_list->ShowSheet(id);
    m_rightHeader->SetLeadingText(QString::fromStdString(ViewTitle(id)));
    if (id == kViewNone)
        m_rightHeader->SetTrailingText(QString());
    else if (CSheetView* sheet = m_list->CurrentSheet())
        m_rightHeader->SetTrailingText(sheet->TrailingText());
    UpdateCommandUI();
}

int CTolvarMainFrame::GetCurrentViewId() const {
    return m_list->GetCurrentViewId();
}

void CTolvarMainFrame::RebuildTree() {
    const int model = m_doc.Model();
    m_leftHeader->SetLeadingText(model == ModelPMR ? QStringLiteral("PMR") : QStringLiteral("LMR"));
    const int view = m_tree->RebuildTree(model, m_doc.MakerReserve(), GetCurrentViewId());
    ShowView(view);
}

void CTolvarMainFrame::ActivateMakerReserve() {
    if (m_doc.MakerReserve()) return;
    const int answer = m_doc.Registry().ConfirmMakerReserve();
    if (answer != static_cast<int>(EAnswer::Ok) && answer != static_cast<int>(EAnswer::Yes)) return;
    m_makerPane = true;
    m_extra->setText(QString::fromUtf8(kMakerPaneText));
    QPalette palette = m_extra->palette();
    palette.setColor(QPalette::Window, QColor(128, 0, 0));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_extra->setPalette(palette);
    RebuildTree();
}

// ---------------------------------------------------------------------------------------
// Commands

void CTolvarMainFrame::SetPrintJob(CPrintJob* job) {
    m_print = job;
    UpdateCommandUI();
}

QAction* CTolvarMainFrame::Action(ECommand command) const {
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void CTolvarMainFrame::OnCommand(ECommand command) {
    // A status text belongs to the command that set it.
    SetMessageText(QString());
    CSheetView* sheet = m_list->CurrentSheet();
    if (!sheet || !sheet->OnCommand(command)) {
        switch (command) {
        // The document's commands.
        case ECommand::Save: m_doc.OnFileSave(); break;
        case ECommand::SaveAs: m_doc.OnFileSaveAs(); break;
        case ECommand::Import: m_doc.OnImport(); break;
        case ECommand::Export: m_doc.OnExport(); break;
        case ECommand::Com1:
        case ECommand::Com2:
        case ECommand::Com3:
        case ECommand::Com4: m_doc.OnComPort(Distance(ECommand::Com1, command) + 1); break;
        case ECommand::Read: m_doc.OnCloneRead(); break;
        case ECommand::Write: m_doc.OnCloneWrite(); break;
        case ECommand::Information: m_doc.OnCloneInformation(); break;
        case ECommand::CompareRepeater: m_doc.OnCompareWithRepeater(); break;
        case ECommand::CompareFile: m_doc.OnCompareWithFile(); break;
        case ECommand::VerifyAfterWrite: m_profile.SetVerifyAfterWrite(!m_profile.VerifyAfterWrite()); break;
        case ECommand::Backups: ShowBackups(); break;
        case ECommand::ModelLMR: m_doc.OnModel(ModelLMR); break;
        case ECommand::ModelPMR: m_doc.OnModel(ModelPMR); break;
        case ECommand::Undo: m_doc.OnUndo(); break;
        case ECommand::Redo: m_doc.OnRedo(); break;
        // The frame's.
        case ECommand::Toolbar: m_toolbar->setVisible(!m_toolbar->isVisible()); break;
        case ECommand::StatusBar: statusBar()->setVisible(!statusBar()->isVisible()); break;
        case ECommand::Exit: close(); break;
        case ECommand::NextPane: FocusPane(true); break;
        case ECommand::PrevPane: FocusPane(false); break;
        case ECommand::PortSettings: ShowPortSettings(); break;
        default: OnAppCommand(command); break;
        }
    }
    UpdateCommandUI();
}

void CTolvarMainFrame::OnAppCommand(ECommand command) {
    switch (command) {
    case ECommand::New: m_doc.OnFileNew(); break;
    case ECommand::Open: m_doc.OnFileOpen(); break;
    case ECommand::Help: ShowHelp(); break;
    case ECommand::PrintAll:
        if (m_print) m_print->OnPrintAll();
        break;
    case ECommand::PrintCurrent:
        if (m_print) m_print->OnPrintCurrent(GetCurrentViewId());
        break;
    case ECommand::PrintPreview:
        if (m_print) m_print->OnPrintPreview();
        break;
    case ECommand::ExportPdf:
        if (m_print) m_print->OnExportPdf();
        break;
    case ECommand::About: {
        CAboutDialog about(this);
        about.exec();
        break;
    }
    case ECommand::Recent1:
    case ECommand::Recent2:
    case ECommand::Recent3:
    case ECommand::Recent4: {
        const QStringList files = m_profile.RecentFiles();
        const int index = Distance(ECommand::Recent1, command);
        CEditScope guard(m_doc.Registry().EditGuard());
        if (guard.Entered() && index < files.size()) m_doc.OpenDocumentFile(files[index]);
        break;
    }
    default: break; // Cut and anything no one handles: nothing.
    }
}

SCommandState CTolvarMainFrame::CommandState(ECommand command) const {
    SCommandState state;
    if (CSheetView* sheet = m_list->CurrentSheet(); sheet && sheet->OnUpdateCommand(command, state))
        return state;
    state.enabled = true;
    switch (command) {
    case ECommand::Com1:
    case ECommand::Com2:
    case ECommand::Com3:
    case ECommand::Com4:
        state.checked = m_doc.PortNumber() == Distance(ECommand::Com1, command) + 1;
        break;
    case ECommand::ModelLMR: state.checked = m_doc.Model() == ModelLMR; break;
    case ECommand::ModelPMR: state.checked = m_doc.Model() == ModelPMR; break;
    case ECommand::VerifyAfterWrite: state.checked = m_profile.VerifyAfterWrite(); break;
    case ECommand::Undo: state.enabled = m_doc.CanUndo(); break;
    case ECommand::Redo: state.enabled = m_doc.CanRedo(); break;
    case ECommand::Toolbar: state.checked = m_toolbar->isVisible(); break;
    case ECommand::StatusBar: state.checked = statusBar()->isVisible(); break;
    // The sheets' commands: only a sheet enables them.
    case ECommand::EditMemory:
    case ECommand::PrioA:
    case ECommand::Emergency:
    case ECommand::EmergencyOff:
    case ECommand::Copy:
    case ECommand::Paste:
    case ECommand::Clear:
    case ECommand::Delete:
    case ECommand::Insert: state.enabled = false; break;
    case ECommand::PrintCurrent:
    case ECommand::PrintAll:
    case ECommand::PrintPreview:
    case ECommand::ExportPdf: state.enabled = m_print != nullptr; break;
    case ECommand::Recent1:
    case ECommand::Recent2:
    case ECommand::Recent3:
    case ECommand::Recent4:
        state.enabled = Distance(ECommand::Recent1, command) < m_profile.RecentFiles().size();
        break;
    default: break;
    }
    return state;
}

void CTolvarMainFrame::UpdateCommandUI() {
    for (const auto& [command, action] : m_actions) {
        const SCommandState state = CommandState(command);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
    // Undo and Redo name the step they act on.
    for (const auto& [command, name] : {std::pair{ECommand::Undo, m_doc.UndoName()},
                                        std::pair{ECommand::Redo, m_doc.RedoName()}}) {
        QString text = QString::fromUtf8(FindCommand(command)->text);
        if (!name.isEmpty()) text += QLatin1Char(' ') + QString(name).replace('&', QStringLiteral("&&"));
        QAction* action = m_actions[command];
        action->setText(text);
        action->setToolTip(QString(text).remove('&').replace(QStringLiteral("&&"), QStringLiteral("&")));
    }
}

void CTolvarMainFrame::ShowContextMenu(const QPoint& at, const std::vector<ECommand>& commands) {
    // The same actions as the Edit menu, so both show the same states.
    QMenu menu(this);
    menu.setObjectName("ContextMenu");
    for (ECommand command : commands) {
        if (command == ECommand::None)
            menu.addSeparator();
        else
            menu.addAction(m_actions[command]);
    }
    menu.exec(at);
}

void CTolvarMainFrame::UpdateRecentFiles() {
    const QStringList files = m_profile.RecentFiles();
    for (int i = 0; i < CProfile::kRecentFiles; ++i) {
        QAction* action = m_actions[Offset(ECommand::Recent1, i)];
        if (i < files.size()) {
            QString name = files[i];
            name.replace('&', QStringLiteral("&&"));
            action->setText(QString("&%1 %2").arg(i + 1).arg(name));
            action->setVisible(true);
        } else {
            action->setText(QStringLiteral("Recent File"));
            // The first entry stays, disabled, while the list is empty.
            action->setVisible(i == 0);
        }
    }
    UpdateCommandUI();
}

void CTolvarMainFrame::UpdateTitle() {
    // Unsaved changes show as a star after the name.
    setWindowTitle(m_doc.Title() + (m_doc.IsModified() ? QStringLiteral("*") : QString()) +
                   QStringLiteral(" - ") + QString::fromUtf8(kProductName));
}

void CTolvarMainFrame::SetMessageText(const QString& text) {
    m_message->setText(text);
}

void CTolvarMainFrame::FocusPane(bool next) {
    // The headers never take the focus: the panes are the tree and the right frame.
    QWidget* panes[] = {m_tree, m_list->CurrentSheet() ? static_cast<QWidget*>(m_list->CurrentSheet()) : m_list};
    const bool inTree = m_tree->hasFocus();
    Q_UNUSED(next);
    QWidget* target = inTree ? panes[1] : panes[0];
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (!target->hasFocus() && target != m_list) m_list->setFocus();
}

void CTolvarMainFrame::ShowPortSettings() {
    CEditScope guard(m_doc.Registry().EditGuard());
    if (!guard.Entered()) return;
    CPortSettingsDialog dialog(m_profile.PortSettings(), m_profile.PortBaud(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_profile.SetPortSettings(dialog.Settings());
    m_profile.SetPortBaud(dialog.SpeedMode());
    m_doc.ApplyPortSettings();
}

void CTolvarMainFrame::ShowComparison(const SComparison& comparison) {
    if (comparison.verify && comparison.differences.empty() && !(m_compare && m_compare->isVisible()))
        return;
    if (!m_compare) {
        // A window of its own, not kept above the main window: going to a row brings
        // the main window up, and Alt+Tab goes back to the list.
        m_compare = new CCompareWindow(nullptr);
        m_compare->setWindowIcon(windowIcon());
        m_compare->SetPrinterChooser(
            [this]() -> QPrinter* { return m_print && m_print->ChoosePrinter() ? &m_print->Printer() : nullptr; });
        connect(m_compare, &CCompareWindow::GoTo, this, &CTolvarMainFrame::GoToDifference);
    }
    m_compare->Show(comparison);
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

void CTolvarMainFrame::GoToDifference(int view, int row) {
    if (m_doc.TransferRunning()) return;
    if (view == kViewNone || !m_tree->SelectId(view)) {
        SetMessageText(view == kViewNone ? QStringLiteral(" No sheet shows this field.")
                                         : QString(" %1 is not shown for this document.")
                                               .arg(QString::fromStdString(ViewTitle(view))));
        return;
    }
    if (GetCurrentViewId() != view) ShowView(view);
    activateWindow();
    raise();
    auto* sheet = qobject_cast<CListSheet*>(m_list->CurrentSheet());
    if (!sheet) return;
    if (row >= 0) sheet->SelectRow(row);
    sheet->Grid().setFocus();
}

void CTolvarMainFrame::ShowBackups() {
    QString path;
    {
        CEditScope guard(m_doc.Registry().EditGuard());
        if (!guard.Entered()) return;
        CBackupsDialog dialog(m_doc.Backups(), this);
        if (dialog.exec() != QDialog::Accepted) return;
        path = dialog.ChosenPath();
    }
    if (!path.isEmpty()) m_doc.OpenBackup(path);
}

QString CTolvarMainFrame::ManualPath() {
    const QString here = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
#ifdef TOLVAR_MANUAL_PATH
        QStringLiteral(TOLVAR_MANUAL_PATH),
#endif
        here + "/../share/doc/cs-tolvar/manual.md",
#ifdef TOLVAR_SOURCE_DIR
        QStringLiteral(TOLVAR_SOURCE_DIR "/docs/manual.md"),
#endif
    };
    for (const QString& path : candidates)
        if (QFileInfo::exists(path)) return QFileInfo(path).absoluteFilePath();
    return {};
}

void CTolvarMainFrame::ShowHelp() {
    const QString path = ManualPath();
    if (path.isEmpty()) {
        m_ui.Box(QStringLiteral("The user manual (manual.md) was not found beside the program."),
                 EButtons::Ok, EIcon::Exclamation);
        return;
    }
    auto* help = findChild<QDialog*>("HelpWindow");
    if (!help) {
        help = new QDialog(this, Qt::Window);
        help->setObjectName("HelpWindow");
        help->setWindowTitle(QStringLiteral("CS-Tolvar Help"));
        auto* browser = new QTextBrowser(help);
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
        auto* layout = new QVBoxLayout(help);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        help->resize(720, 640);
    }
    help->show();
    help->raise();
    help->activateWindow();
}

// ---------------------------------------------------------------------------------------
// Window

void CTolvarMainFrame::SavePosition() {
    SWindowPosition position;
    const QList<int> sizes = m_columns->sizes();
    position.splitterV = sizes.isEmpty() ? 180 : sizes.front();
    position.splitterH = 20;
    position.rect = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
    position.cmdShow = isMaximized() ? 3 : 1;
    m_profile.SetWindowPosition(position);
    m_profile.SetToolBarState(saveState());
}

void CTolvarMainFrame::closeEvent(QCloseEvent* event) {
    // Nothing closes while a transfer runs.
    if (m_doc.TransferRunning()) {
        event->ignore();
        return;
    }
    SavePosition();
    CEditScope guard(m_doc.Registry().EditGuard());
    if (!guard.Entered() || !m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    if (m_compare) m_compare->close();
    event->accept();
}

void CTolvarMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && data->urls().size() == 1 && data->urls().front().isLocalFile() &&
        data->urls().front().toLocalFile().endsWith(".zcf", Qt::CaseInsensitive))
        event->acceptProposedAction();
}

void CTolvarMainFrame::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData()->urls().front().toLocalFile();
    event->acceptProposedAction();
    CEditScope guard(m_doc.Registry().EditGuard());
    if (guard.Entered()) m_doc.OpenDocumentFile(path);
}

bool CTolvarMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A click on a header strip leaves the focus where it was.
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_leftHeader || watched == m_rightHeader))
        return true;
    return QMainWindow::eventFilter(watched, event);
}
